#!/usr/bin/env bash
# Sets up what is missing, builds RUVANO.exe and runs it under Wine: on your X display when
# there is one (DISPLAY set and reachable), else inside a private Xvfb. Extra arguments go
# to the program (for example /Show handling: run it again in a second terminal).
# RUVANO_RUN_SECONDS=N ends the session after N seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh mingw
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then export RUVANO_USE_DISPLAY=1; fi
if [ -n "${RUVANO_RUN_SECONDS:-}" ]; then
  # The program is resident: being stopped at the end of the time is the normal outcome.
  scripts/wine-session.sh timeout "$RUVANO_RUN_SECONDS" wine build/mingw/RUVANO.exe "$@" || [ $? -eq 124 ]
  exit 0
fi
exec scripts/wine-session.sh wine build/mingw/RUVANO.exe "$@"
