#!/usr/bin/env bash
# Runs a command inside a private Wine session: a WINEPREFIX of our own (created and set up
# on first use), an Xvfb display on a free number (unless RUVANO_USE_DISPLAY=1 and DISPLAY
# works), and a wineserver that is ended, with everything it ran, when the command ends.
#
#   scripts/wine-session.sh COMMAND [ARGS...]
#
# Environment: RUVANO_WINEPREFIX (default build/wineprefix), RUVANO_USE_DISPLAY, RUVANO_REAL_AUDIO.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${RUVANO_WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEARCH=win64
mkdir -p "$(dirname "$WINEPREFIX")"

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "${RUVANO_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  : # use the caller's display
else
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
fi

# An ALSA configuration that sends Wine's sound to a file (RUVANO_AUDIO_SINK, default
# /dev/null), so tests can check that a sound played even without a sound card;
# RUVANO_REAL_AUDIO=1 (scripts/run.sh on a machine with audio) keeps the real device.
if [ "${RUVANO_REAL_AUDIO:-0}" != 1 ]; then export ALSA_CONFIG_PATH="$root/scripts/asound-file-sink.conf"; fi

if [ ! -f "$WINEPREFIX/.ruvano-ready" ]; then
  echo "Setting up Wine prefix $WINEPREFIX" >&2
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  regfile=$(mktemp --suffix=.reg)
  cat > "$regfile" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAGothic"
"MS Gothic"="IPAGothic"
"Meiryo UI"="IPAGothic"
"Yu Gothic UI"="IPAGothic"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"
REG
  wine regedit /S "$(winepath -w "$regfile" 2>/dev/null)" >/dev/null 2>&1 || wine regedit /S "$regfile" >/dev/null 2>&1
  wineserver -w || true
  rm -f "$regfile"
  touch "$WINEPREFIX/.ruvano-ready"
fi

# Wine draws the title-bar buttons with the Marlett font of fonts-wine, but this Wine looks
# for it only in the prefix's Fonts folder; without it the buttons show as letters.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -e "$fonts/marlett.ttf" ]; then
  mkdir -p "$fonts" && ln -s /usr/share/wine/fonts/marlett.ttf "$fonts/marlett.ttf"
fi

# Keep the wineserver and Wine's own background processes (services, explorer) running for
# the whole session, started here with their output going nowhere: a test runner that waits
# for its children's output pipes would otherwise wait for them too.
wineserver -p >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
"$@"
