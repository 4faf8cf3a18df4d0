#!/usr/bin/env bash
# Sets up what is missing, builds RUVANO.exe and runs it under Wine: on your X display when
# there is one (DISPLAY set and reachable), else inside a private Xvfb. Says what it started
# and how to watch and use it.
#
#   scripts/run.sh [--alone] [ARGS...]
#
# By default it also opens a stand-in editor whose IME the F2 key or its button switches on
# and off, and runs RUVANO with a settings file of the demo's own, with the indicator and the
# hint switched on, so that there is something to see (and, with an audio device, to hear);
# your own settings file is not touched. RUVANO_DEMO_SETTINGS=FILE starts the demo from a copy
# of FILE instead of the defaults. --alone runs RUVANO by itself with your own settings file,
# as it starts on Windows (by default it then only plays sounds). ARGS go to RUVANO.exe.
# While a session runs, scripts/run.sh in another terminal starts a second copy in that
# session, which asks the running one to show its settings window. RUVANO_RUN_SECONDS=N ends
# the session after N seconds.
#
# However the session ends (Ctrl+C, a signal, the time being up), RUVANO is first asked to
# quit as its "終了(&X)" does, so it writes its settings file, and given 10 seconds to end.
set -euo pipefail
cd "$(dirname "$0")/.."
demo=1
if [ "${1:-}" = --alone ]; then demo=0; shift; fi
session=build/run-session

if [ -z "${RUVANO_RUN_INSIDE:-}" ]; then
  scripts/deps.sh
  # Only what this script runs: the program, the helper that asks it to quit, the demo's editor.
  targets=(RUVANO wait_window)
  [ $demo = 1 ] && targets+=(demo_editor)
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw -j "$(nproc)" --target "${targets[@]}"
  # A session of an earlier run.sh still runs: start this copy there (a second copy hands
  # the show request to the running one) instead of a new session, whose end would end both.
  if [ -f "$session" ] && kill -0 "$(sed -n 's/^# pid //p' "$session")" 2>/dev/null; then
    # shellcheck disable=SC1090
    . "$session"
    echo "RUVANO already runs on display $DISPLAY: this start asks it to show its settings window."
    wine build/mingw/RUVANO.exe "$@" || true
    exit 0
  fi
  rm -f "$session"
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then export RUVANO_USE_DISPLAY=1; fi
  # Sounds go to the machine's audio device when it has one.
  if [ -d /dev/snd ] || [ -n "${PULSE_SERVER:-}" ] || [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ]; then
    export RUVANO_REAL_AUDIO=1
  fi
  args=("$@")
  [ $demo = 0 ] && args=(--alone "$@")
  # The session runs in the background, in a session of its own (setsid): the terminal's
  # Ctrl+C reaches only this script, not Xvfb or Wine, which would end at once on it. This
  # script then has the one inside the session quit RUVANO properly before the session ends.
  RUVANO_RUN_INSIDE=1 setsid scripts/wine-session.sh "$0" "${args[@]}" & running=$!
  stop() {
    trap '' INT TERM HUP
    echo
    echo "Stopping: RUVANO is asked to quit (it saves its settings), then the Wine session ends."
    kill -TERM "$running" 2>/dev/null || true  # the session ends after the step it is in
    while kill -0 "$running" 2>/dev/null; do
      inside=$(sed -n 's/^# pid //p' "$session" 2>/dev/null || true)
      if [ -n "$inside" ]; then kill -TERM "$inside" 2>/dev/null || true; break; fi
      sleep 0.2
    done
    wait "$running" 2>/dev/null || true
    exit 130
  }
  trap stop INT TERM HUP
  wait "$running"
  exit
fi

# Inside the Wine session: DISPLAY and WINEPREFIX are set. The terminal's signals do not
# reach this script; the one outside sends TERM to end the session.
ruvano="" editor="" own_data=0
quit_ruvano() {
  [ -n "$ruvano" ] && kill -0 "$ruvano" 2>/dev/null || return 0
  wine build/mingw/wait_window.exe TmainForm RUVANO 5000 /close </dev/null >/dev/null 2>&1 || true
  for _ in $(seq 1 100); do kill -0 "$ruvano" 2>/dev/null || return 0; sleep 0.1; done
  echo "RUVANO did not quit within 10 seconds: stopped without saving." >&2
  kill "$ruvano" 2>/dev/null || true
}
cleanup() {
  quit_ruvano
  if [ -n "$editor" ]; then kill "$editor" 2>/dev/null || true; fi
  if [ $own_data = 1 ]; then restore_data_folder; fi
  rm -f "$session"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
{
  echo "# pid $$"
  for v in DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH; do printf 'export %s=%q\n' "$v" "${!v}"; done
  if [ -n "${ALSA_CONFIG_PATH:-}" ]; then printf 'export ALSA_CONFIG_PATH=%q\n' "$ALSA_CONFIG_PATH"; fi
} > "$session"

if [ $demo = 1 ]; then
  # The demo's settings live in a folder of its own, removed at the end.
  # shellcheck disable=SC1091
  source scripts/own-data-folder.sh
  own_data=1
  ini=$settings_file
  mkdir -p "$(dirname "$ini")"
  if [ -n "${RUVANO_DEMO_SETTINGS:-}" ]; then cp "$RUVANO_DEMO_SETTINGS" "$ini"; fi
  scripts/demo-settings.py "$ini"
  wine build/mingw/demo_editor.exe </dev/null >/dev/null 2>&1 & editor=$!
else
  appdata=$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
  ini="$(winepath -u "$appdata" 2>/dev/null)/ZEQ Project/RUVANO/RUVANO.ini"
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
$watch  RUVANO:        resident, without a window of its own. When the IME of the window in front
                 turns on, it plays a sound and (when switched on in its settings) shows an
                 indicator at the window and a hint next to the pointer.
TEXT
if [ $demo = 1 ]; then
  cat <<TEXT
  Demo:          the stand-in editor "デモ エディター" is open; F2 or its button switches its IME
                 on and off. Indicator and hint are switched on in the demo's own settings file.
                 scripts/run.sh --alone runs RUVANO without the editor, on your own settings.
TEXT
else
  sound="plays sounds"
  [ "${RUVANO_REAL_AUDIO:-0}" = 1 ] || sound="plays sounds, which go nowhere on this machine without audio"
  cat <<TEXT
  Alone:         no editor (scripts/run.sh without --alone opens one). With the default settings
                 RUVANO only $sound:
                 nothing shows until its settings window switches the indicator or the hint on.
TEXT
fi
cat <<TEXT
  Settings:      run scripts/run.sh again in another terminal (the second copy asks this one to
                 show its settings window), or click the indicator.
  Resting:       while the settings window is open RUVANO watches nothing: no sound, indicator or
                 hint until "閉じる(&C)" hides the window again. That is by design.
  Opacity:       below 100 % the indicator still looks opaque here: translucency needs a
                 compositing window manager, which Xvfb and a bare X display lack (Windows has one).
TEXT
if [ $demo = 1 ]; then
  cat <<TEXT
  Settings file: the demo's own, removed when the demo ends; your own file is not touched:
                 $ini
TEXT
else
  cat <<TEXT
  Settings file: $appdata\\ZEQ Project\\RUVANO\\RUVANO.ini
                 ($ini)
TEXT
fi
cat <<TEXT
  Stop:          "終了(&X)" in the settings window, or Ctrl+C here: RUVANO is asked to quit as
                 "終了(&X)" does, so it saves its settings, and then the Wine session ends.
TEXT

wine build/mingw/RUVANO.exe "$@" </dev/null & ruvano=$!
if [ -n "${RUVANO_RUN_SECONDS:-}" ]; then
  # The program is resident: being asked to quit at the end of the time is the normal outcome.
  for _ in $(seq 1 $((RUVANO_RUN_SECONDS * 10))); do kill -0 "$ruvano" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$ruvano" 2>/dev/null && exit 0
fi
code=0
wait "$ruvano" || code=$?
ruvano=""
exit $code
