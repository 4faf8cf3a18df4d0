#!/usr/bin/env bash
# Makes the pictures in docs/ again from the real program under Wine, in a private Xvfb:
#   docs/indicator.png        the indicator at the top-left corner of the demo editor
#   docs/hint.png             the hint next to the pointer (an arrow marks the pointer)
#   docs/settings-window.png  the settings window
#   docs/caret.png            the indicator just above the caret in the demo editor
#   docs/diagnosis.png        the diagnostic window, with the demo editor in front
# It runs `scripts/run.sh` (with its demo editor), switches the editor's IME on with F2 and
# fails unless the indicator and the hint appear; then `scripts/run.sh` a second time must
# bring up the settings window, its "診断(&G)" must open the diagnostic window, which must name
# the editor once it is clicked, and Alt+F4 in the settings window must end the session. A
# second session, with the indicator next to the caret, clicks into the editor's text and must
# show the indicator above the click. The demo runs with settings files of its own, so the
# prefix's settings file is not touched.
set -euo pipefail
cd "$(dirname "$0")/.."
unset DISPLAY  # always the private Xvfb, so the pictures do not depend on this desktop
work=build/screenshots
rm -rf "$work"; mkdir -p "$work"
run=""
finish() { [ -n "$run" ] && kill "$run" 2>/dev/null && wait "$run" 2>/dev/null || true; }
trap finish EXIT
# The look of the pictures: sample options, the window at the screen's top-left corner.
printf '[Window]\r\nTop=0\r\nLeft=0\r\n\r\n[Config]\r\nIcon=1\r\nHint=1\r\nOFF=1\r\nAlphaBlendValue=80\r\n' \
  > "$work/demo.ini"

log=$work/run.log
fail() { echo "screenshots: $*" >&2; sed 's/^/  run.sh: /' "$log" >&2; exit 1; }
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
wait_visible() {
  local w=""
  for _ in $(seq 1 100); do w=$(visible "$1"); [ -n "$w" ] && break; sleep 0.2; done
  echo "$w"
}
# Starts a demo session with the settings file $1 and finds its editor at ($ex, $ey).
start_demo() {
  rm -f build/run-session
  RUVANO_DEMO_SETTINGS=$1 RUVANO_RUN_SECONDS=120 scripts/run.sh > "$log" 2>&1 & run=$!
  for _ in $(seq 1 600); do [ -f build/run-session ] && break; kill -0 "$run" 2>/dev/null || fail "run.sh ended"; sleep 0.5; done
  # shellcheck disable=SC1091
  . build/run-session
  editor=$(wait_visible 'デモ エディター')
  [ -n "$editor" ] || fail "the demo editor did not open"
  eval "$(xdotool getwindowgeometry --shell "$editor")"  # X Y WIDTH HEIGHT
  ex=$X ey=$Y
  sleep 3  # RUVANO started beside the editor: let it settle
}
# A second start shows the settings window of the running copy; Alt+F4 there quits RUVANO,
# which ends the demo session. xdotool's error is not looked at: the window can be gone
# before the keys are released, which xdotool reports as a failure.
end_demo() {
  scripts/run.sh > "$work/second.log" 2>&1 || fail "the second scripts/run.sh failed"
  settings=$(wait_visible '^RUVANO$')
  [ -n "$settings" ] || fail "the second start did not show the settings window"
  xdotool mousemove 1900 1060
  sleep 1
  if [ -n "${1:-}" ]; then import -display "$DISPLAY" -window "$settings" "$1"; fi
  if [ -n "${2:-}" ]; then
    xdotool key --window "$settings" alt+g
    diagnosis=$(wait_visible 'RUVANO 診断')
    [ -n "$diagnosis" ] || fail "診断(&G) did not open the diagnostic window"
    # The editor's lower right corner, clear of the settings and the diagnostic window; then
    # a click into the diagnostic window's text brings it back up, and it keeps what it saw.
    xdotool mousemove $((ex + 620)) $((ey + 380)) click 1
    sleep 1.5
    # (Its left part: the editor covers the rest.)
    eval "$(xdotool getwindowgeometry --shell "$diagnosis")"
    xdotool mousemove $((X + 60)) $((Y + 200)) click 1
    sleep 1
    xdotool mousemove 1900 1060
    import -display "$DISPLAY" -window "$diagnosis" "$2"
    # Closed, it uncovers the settings window at the screen's top-left corner, which then
    # takes the keys again.
    xdotool key --window "$diagnosis" alt+F4 2>/dev/null || true
    sleep 0.5
    xdotool mousemove 200 8 click 1
    sleep 0.5
  fi
  xdotool key --window "$settings" alt+F4 2>/dev/null || true
  for _ in $(seq 1 100); do kill -0 "$run" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$run" 2>/dev/null; then fail "RUVANO did not quit on Alt+F4"; fi
  wait "$run" || fail "run.sh ended with an error"
  run=""
}
start_demo "$work/demo.ini"
px=$((ex + 240)) py=$((ey + 150))
xdotool mousemove "$px" "$py"
sleep 0.5
shot() { import -display "$DISPLAY" -window root "$1"; }
shot "$work/off.png"
xdotool key --window "$editor" F2
sleep 0.8
shot "$work/on.png"

# The indicator is 32 x 32 pixels, 4 pixels inside the window's top-left corner; the hint is
# near the pointer. Each must have changed the screen there.
changed() {  # geometry: how many pixels differ between the two shots there
  compare -metric AE <(convert "$work/off.png" -crop "$1" +repage png:-) \
                     <(convert "$work/on.png" -crop "$1" +repage png:-) null: 2>&1 || true
}
[ "$(changed "32x32+$((ex + 4))+$((ey + 4))")" != 0 ] || fail "the indicator did not show at the editor's corner"
[ "$(changed "200x60+$((px - 40))+$((py - 10))")" != 0 ] || fail "the hint did not show next to the pointer"
# -strip: no time stamps in the files, so an unchanged look leaves them unchanged.
convert "$work/on.png" -crop "440x120+$((ex - 12))+$((ey - 12))" +repage -strip docs/indicator.png
# Xvfb's pictures have no mouse pointer: an arrow is drawn where the pointer was.
arrow="path 'M 60,30 L 60,47 L 64,43 L 67,50 L 69,49 L 66,42 L 72,42 Z'"
convert "$work/on.png" -crop "260x90+$((px - 60))+$((py - 30))" +repage \
  -fill white -stroke black -strokewidth 1 -draw "$arrow" -strip docs/hint.png

# IME off again, then a second start shows the settings window of the running copy.
xdotool key --window "$editor" F2
sleep 2.5
end_demo "$work/settings.png" "$work/diagnosis.png"
convert "$work/settings.png" -strip docs/settings-window.png
convert "$work/diagnosis.png" -strip docs/diagnosis.png

# The indicator next to the caret: a click into the editor's text puts the caret there.
printf '[Window]\r\nTop=0\r\nLeft=0\r\n\r\n[Config]\r\nIcon=1\r\nNearCaret=1\r\n' > "$work/caret.ini"
log=$work/run-caret.log
start_demo "$work/caret.ini"
cx=$((ex + 230)) cy=$((ey + 118))
xdotool mousemove "$cx" "$cy" click 1
sleep 0.5
xdotool mousemove $((ex + 600)) $((ey + 330))
sleep 0.5
shot "$work/caret-off.png"
xdotool key --window "$editor" F2
sleep 0.8
shot "$work/caret-on.png"
[ "$(compare -metric AE <(convert "$work/caret-off.png" -crop "80x50+$((cx - 20))+$((cy - 50))" +repage png:-) \
      <(convert "$work/caret-on.png" -crop "80x50+$((cx - 20))+$((cy - 50))" +repage png:-) null: 2>&1 || true)" != 0 ] ||
  fail "the indicator did not show above the caret"
convert "$work/caret-on.png" -crop "360x110+$((cx - 160))+$((cy - 75))" +repage -strip docs/caret.png
xdotool key --window "$editor" F2
sleep 1
end_demo
echo "Wrote docs/indicator.png, docs/hint.png, docs/settings-window.png, docs/caret.png, docs/diagnosis.png"
