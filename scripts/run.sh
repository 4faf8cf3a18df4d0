#!/usr/bin/env bash
# Sets up what is missing, builds RUVANO.exe and runs it under Wine: on your X display when
# there is one (DISPLAY set and reachable), else inside a private Xvfb. Says what it started
# and how to watch and use it.
#
#   scripts/run.sh [--demo] [ARGS...]
#
# --demo also opens a stand-in editor whose IME the F2 key or its button switches on and off,
# and switches RUVANO's indicator and hint on, so that there is something to see (and, with
# an audio device, to hear). ARGS go to RUVANO.exe. While a session runs, scripts/run.sh in
# another terminal starts a second copy in that session, which asks the running one to show
# its settings window. RUVANO_RUN_SECONDS=N ends the session after N seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
demo=0
if [ "${1:-}" = --demo ]; then demo=1; shift; fi
session=build/run-session

if [ -z "${RUVANO_RUN_INSIDE:-}" ]; then
  scripts/deps.sh
  scripts/build.sh mingw
  # A session of an earlier run.sh still runs: start this copy there (a second copy hands
  # the show request to the running one) instead of a new session, whose end would end both.
  if [ -f "$session" ] && kill -0 "$(sed -n 's/^# pid //p' "$session")" 2>/dev/null; then
    # shellcheck disable=SC1090
    . "$session"
    echo "RUVANO already runs on display $DISPLAY: this start asks it to show its settings window."
    wine build/mingw/RUVANO.exe "$@" || true
    exit 0
  fi
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then export RUVANO_USE_DISPLAY=1; fi
  # Sounds go to the machine's audio device when it has one.
  if [ -d /dev/snd ] || [ -n "${PULSE_SERVER:-}" ] || [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ]; then
    export RUVANO_REAL_AUDIO=1
  fi
  args=("$@")
  [ $demo = 1 ] && args=(--demo "$@")
  RUVANO_RUN_INSIDE=1 exec scripts/wine-session.sh "$0" "${args[@]}"
fi

# Inside the Wine session: DISPLAY and WINEPREFIX are set.
{
  echo "# pid $$"
  for v in DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH; do printf 'export %s=%q\n' "$v" "${!v}"; done
  if [ -n "${ALSA_CONFIG_PATH:-}" ]; then printf 'export ALSA_CONFIG_PATH=%q\n' "$ALSA_CONFIG_PATH"; fi
} > "$session"
editor=""
cleanup() { rm -f "$session"; [ -n "$editor" ] && kill "$editor" 2>/dev/null || true; }
trap cleanup EXIT

appdata=$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
ini="$(winepath -u "$appdata" 2>/dev/null)/ZEQ Project/RUVANO/RUVANO.ini"
if [ $demo = 1 ]; then
  scripts/demo-settings.py "$ini"
  wine build/mingw/demo_editor.exe </dev/null >/dev/null 2>&1 & editor=$!
fi

if [ "${RUVANO_USE_DISPLAY:-0}" = 1 ]; then
  where="your display $DISPLAY"
  watch=""
else
  where="a private Xvfb display $DISPLAY (no screen of its own)"
  watch="  Watch it:      x11vnc -display $DISPLAY -localhost -nopw (apt-get install x11vnc), then a VNC
                 viewer on localhost:5900; or a snapshot: import -display $DISPLAY -window root shot.png
"
fi
cat <<TEXT
RUVANO $(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' build/mingw/CMakeCache.txt) runs under Wine on $where.
$watch  No window yet: RUVANO is resident and shows nothing until asked. When the IME of the
                 window in front turns on, it plays a sound and (when switched on in its settings)
                 shows an indicator at the window's corner and a hint next to the pointer.
TEXT
if [ $demo = 1 ]; then
  cat <<TEXT
  Demo:          the stand-in editor "デモ エディター" is open; F2 or its button switches its IME
                 on and off. Indicator and hint are switched on in the settings file.
TEXT
fi
cat <<TEXT
  Settings:      run scripts/run.sh again in another terminal (the second copy asks this one to
                 show its settings window), or click the indicator.
  Settings file: $appdata\\ZEQ Project\\RUVANO\\RUVANO.ini
                 ($ini)
  Stop:          "終了(&X)" in the settings window, or Ctrl+C here (ends the Wine session).
TEXT

if [ -n "${RUVANO_RUN_SECONDS:-}" ]; then
  # The program is resident: being stopped at the end of the time is the normal outcome.
  timeout "$RUVANO_RUN_SECONDS" wine build/mingw/RUVANO.exe "$@" || [ $? -eq 124 ]
  exit 0
fi
wine build/mingw/RUVANO.exe "$@"
