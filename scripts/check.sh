#!/usr/bin/env bash
# The quick check of the edit-compile loop: formatting, the folders' include order, the host
# build and the host unit tests; seconds to a minute on a warm build. scripts/test.sh is the
# full run (also the Windows build, the Wine tests, the fuzzer and the release checks).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-format.sh
scripts/check-layers.sh
scripts/build.sh host
ctest --preset host -j "$(nproc)"
