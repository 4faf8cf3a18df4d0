#!/usr/bin/env bash
# Builds the settings-file fuzzer (fuzz/ini_fuzz.cpp) with clang's libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer into build/fuzz/, then runs it briefly over our seed corpus
# (fuzz/corpus/) with the token dictionary fuzz/ini.dict. A crash, a sanitizer report or a
# broken read/write round trip fails the script; the input that found it is left in
# build/fuzz/ as crash-* (replay it with: build/fuzz/ini_fuzz build/fuzz/crash-...). The
# fuzzer's own output goes to build/fuzz/fuzz.log; the script prints its summary (runs, time,
# coverage) or, on a finding, its report.
#
# The bound is FUZZ_RUNS inputs (default 200000) or FUZZ_SECONDS seconds (default 60),
# whichever comes first; inputs are at most FUZZ_MAX_LEN bytes (default 4096). For a longer
# run, e.g. an hour on one core with inputs up to the settings file's 16 MiB cap:
#   FUZZ_RUNS=-1 FUZZ_SECONDS=3600 FUZZ_MAX_LEN=16777216 scripts/fuzz.sh
# With a bound of 1 MiB or more, two generated seeds of about 1 MiB (many short lines, many
# sections) start the run among large files, and the time allowed for one input grows with
# the bound (FUZZ_TIMEOUT seconds, by default 10 plus 1 per 128 KiB of the bound).
# New interesting inputs collect in build/fuzz/corpus/; copy small, distinct ones into
# fuzz/corpus/ to keep them as seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/fuzz
mkdir -p "$out/corpus"

sources=(
  fuzz/ini_fuzz.cpp
  src/settings/ini_file.cpp
  src/settings/settings_file.cpp
  src/settings/settings.cpp
  src/settings/utf.cpp
  tests/host/iconv_system_text.cpp
)
clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Isrc -Itests/host "${sources[@]}" -o "$out/ini_fuzz"

max_len=${FUZZ_MAX_LEN:-4096}
seeds=(fuzz/corpus)
if [ "$max_len" -ge 1048576 ]; then
  mkdir -p "$out/large-seeds"
  awk 'BEGIN { printf "[Window]\r\nTop=1\r\n[Config]\r\nMute=1\r\n[Many]\r\n";
               for (i = 0; i < 90000; i++) printf "k%d=%d\r\n", i, i % 97 }' >"$out/large-seeds/many-lines.ini"
  awk 'BEGIN { for (i = 0; i < 60000; i++) printf "[s%d]\r\nk=%d\r\n", i, i; printf "[Config]\r\nOFF=1\r\n" }' \
    >"$out/large-seeds/many-sections.ini"
  seeds+=("$out/large-seeds")
fi

# The fuzzer's own output (its progress and its "Recommended dictionary") goes to a log; the
# summary, and on a finding the report, are printed.
log=$out/fuzz.log
code=0
"$out/ini_fuzz" \
  -runs="${FUZZ_RUNS:-200000}" -max_total_time="${FUZZ_SECONDS:-60}" \
  -max_len="$max_len" -timeout="${FUZZ_TIMEOUT:-$((10 + max_len / 131072))}" -rss_limit_mb=2048 \
  -dict=fuzz/ini.dict -artifact_prefix="$out/" -print_final_stats=1 \
  "$out/corpus" "${seeds[@]}" >"$log" 2>&1 || code=$?
if [ $code != 0 ]; then
  echo "fuzzing FAILED (exit code $code); the fuzzer's report, from $log:"
  sed -n '/^==[0-9]*==\|^[^ ]*ERROR\|runtime error\|^SUMMARY\|^artifact_prefix\|Test unit written/,$p' "$log" | head -n 80
  ls "$out"/crash-* "$out"/timeout-* "$out"/oom-* "$out"/leak-* 2>/dev/null | sed 's/^/  kept input: /' || true
  exit $code
fi
grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1
grep -E '^Done [0-9]+ runs' "$log" | tail -n 1
grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log"
echo "(the fuzzer's full output: $log)"
