#!/usr/bin/env bash
# Builds the host tree (portable code, unit tests, benchmarks) and the Windows tree
# (RUVANO.exe, Wine tests). Usage: scripts/build.sh [host|mingw|all]
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
jobs=$(nproc)
if [ "$what" = host ] || [ "$what" = all ]; then
  cmake --preset host >/dev/null
  cmake --build --preset host -j "$jobs"
fi
if [ "$what" = mingw ] || [ "$what" = all ]; then
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw -j "$jobs"
fi
