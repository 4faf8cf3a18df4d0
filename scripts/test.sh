#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: the host unit tests, then
# the Windows build's tests under Wine inside a private Xvfb session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
echo "== Formatting"
scripts/check-format.sh
echo "== Layers"
scripts/check-layers.sh
scripts/build.sh all
echo "== Host tests"
ctest --preset host -j "$(nproc)"
if [ -x scripts/fuzz.sh ]; then
  echo "== Fuzzing (bounded)"
  scripts/fuzz.sh
fi
echo "== End of the logon with the real program"
scripts/wine-session.sh scripts/end-session-check.sh build/mingw/RUVANO.exe
echo "== Release archive: built twice the same bytes, and its RUVANO.exe runs"
scripts/wine-session.sh tests/release/reproducible_archive.sh
tests/release/manifest_hashes.sh build/release-test/b
echo "== Windows tests under Wine"
scripts/wine-session.sh ctest --preset wine
