#!/usr/bin/env bash
# The long reliability runs, kept out of scripts/test.sh (docs/performance.md has the schedule):
#   1. soak.exe under Wine: SOAK_CYCLES (default 10000) IME on/off cycles of the complete
#      program's windows and cues against the fake IME target; fails when the handle list,
#      the object counts or the memory grow, or the Scroll Lock LED stays lit;
#   2. the settings-file fuzzer for FUZZ_SECONDS (default 3600) with inputs up to
#      FUZZ_MAX_LEN bytes (default 16777216, the settings file's size cap); FUZZ_SECONDS=0
#      skips it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh mingw >/dev/null

echo "== Soak under Wine"
scripts/wine-session.sh wine build/mingw/soak.exe /cycles "${SOAK_CYCLES:-10000}"

if [ "${FUZZ_SECONDS:-3600}" != 0 ]; then
  echo
  echo "== Settings-file fuzzing, ${FUZZ_SECONDS:-3600} s"
  FUZZ_RUNS=-1 FUZZ_SECONDS="${FUZZ_SECONDS:-3600}" FUZZ_MAX_LEN="${FUZZ_MAX_LEN:-16777216}" scripts/fuzz.sh
fi
