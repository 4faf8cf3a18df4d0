#!/usr/bin/env bash
# End-of-logon check with the real program: RUVANO.exe runs, Wine ends the session
# (`wineboot --end-session` sends WM_QUERYENDSESSION, then WM_ENDSESSION), and the program
# must have written its settings file and ended with exit code 0. Runs inside
# scripts/wine-session.sh; it uses the prefix's own data folder and puts back what was there.
set -euo pipefail
exe=${1:-build/mingw/RUVANO.exe}
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
ini="$appdata/ZEQ Project/RUVANO/RUVANO.ini"
saved=""
if [ -f "$ini" ]; then saved=$(mktemp); cp "$ini" "$saved"; fi
restore() { if [ -n "$saved" ]; then cp "$saved" "$ini"; rm -f "$saved"; else rm -f "$ini"; fi; }
trap restore EXIT
rm -f "$ini"

wine "$exe" & pid=$!
for _ in $(seq 1 100); do [ -d "$(dirname "$ini")" ] && break; sleep 0.1; done
sleep 2
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
