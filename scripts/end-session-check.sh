#!/usr/bin/env bash
# End-of-logon check with the real program: RUVANO.exe runs, Wine ends the session
# (`wineboot --end-session` sends WM_QUERYENDSESSION, then WM_ENDSESSION), and the program
# must have written its settings file and ended with exit code 0. Runs inside
# scripts/wine-session.sh, with a data folder of its own: the user's application-data folder
# is pointed at a fresh folder for the run and put back afterwards.
set -euo pipefail
exe=${1:-build/mingw/RUVANO.exe}
waiter="$(dirname "$exe")/wait_window.exe"
source "$(dirname "$0")/own-data-folder.sh"
trap restore_data_folder EXIT
ini=$settings_file

wine "$exe" & pid=$!
# The session may end only once the program runs with its settings window made.
if ! wine "$waiter" TmainForm RUVANO 20000; then
  echo "RUVANO.exe showed no settings window within 20 s"; kill "$pid" 2>/dev/null || true; exit 1
fi
wine wineboot --end-session >/dev/null 2>&1 || true
code=""
for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then wait "$pid" && code=0 || code=$?; break; fi
  sleep 0.1
done
ok=1
if [ -z "$code" ]; then echo "RUVANO.exe still runs after the end of the session"; kill "$pid" 2>/dev/null || true; ok=0
elif [ "$code" != 0 ]; then echo "RUVANO.exe ended with exit code $code"; ok=0; fi
if ! grep -q $'^\\[Config\\]\r$' "$ini" 2>/dev/null; then echo "no settings file written at the end of the session"; ok=0; fi
if [ $ok = 1 ]; then echo "end of session: settings written, exit code 0"; else echo "end-of-session check FAILED"; exit 1; fi
