#!/usr/bin/env bash
# The release archive is reproducible and its program runs. Runs inside scripts/wine-session.sh.
#  1. scripts/package.sh packs the test build's RUVANO.exe (build/mingw), then builds the
#     exe again in a tree of its own at another path and packs that: exe and archive must be
#     the same bytes.
#  2. The exe taken out of the archive runs under Wine: it starts without a window, a second
#     start shows the first copy's settings window and ends with exit code 0, and Alt+F4 on
#     that window quits the first copy with exit code 0 after it wrote its settings file.
# Runs the program with a data folder of its own (scripts/own-data-folder.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
work=build/release-test
rm -rf "$work/a" "$work/b" "$work/run"
scripts/package.sh build/mingw "$work/a" >/dev/null
scripts/package.sh "$work/tree" "$work/b" >/dev/null
zip=$(cd "$work/a" && ls RUVANO-*-win-x64.zip)
ok=1
cmp build/mingw/RUVANO.exe "$work/tree/RUVANO.exe" || { echo "two builds of RUVANO.exe differ"; ok=0; }
cmp "$work/a/$zip" "$work/b/$zip" || { echo "two builds of $zip differ"; ok=0; }
[ $ok = 1 ] && echo "reproducible: RUVANO.exe ($(stat -c %s "$work/tree/RUVANO.exe") bytes) and $zip ($(stat -c %s "$work/b/$zip") bytes) built twice are the same"

python3 -m zipfile -e "$work/b/$zip" "$work/run"
# The guide is for Notepad: a byte-order mark, CRLF line ends and no Markdown marks.
python3 - "$work/run/README-ja.txt" <<'PY' || ok=0
import re, sys
raw = open(sys.argv[1], "rb").read()
text = raw[3:].decode("utf-8")
faults = [f for f, bad in (("no UTF-8 byte-order mark", not raw.startswith(b"\xef\xbb\xbf")),
                           ("a line end other than CRLF", "\n" in text.replace("\r\n", "")),
                           ("Markdown marks", re.search(r"(?m)^(#|\||```)|\*\*|!\[|\]\(", text))) if bad]
if faults:
    sys.exit("README-ja.txt has " + ", ".join(faults))
PY
exe="$work/run/RUVANO.exe"
source scripts/own-data-folder.sh
ini=$settings_file
pid=""
finish() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  restore_data_folder
}
trap finish EXIT

visible_settings_window() { xdotool search --onlyvisible --name '^RUVANO$' 2>/dev/null | head -1; }
wine "$exe" & pid=$!
# The second start comes once the first copy has made its (hidden) settings window.
wine build/mingw/wait_window.exe TmainForm RUVANO 20000 || { echo "RUVANO.exe made no settings window"; ok=0; }
[ -z "$(visible_settings_window)" ] || { echo "RUVANO.exe shows a window at its first start"; ok=0; }
window=""
wine "$exe" && second=0 || second=$?
[ "$second" = 0 ] || { echo "the second start ended with exit code $second"; ok=0; }
for _ in $(seq 1 50); do window=$(visible_settings_window); [ -n "$window" ] && break; sleep 0.2; done
if [ -z "$window" ]; then
  echo "the second start did not show the settings window"; ok=0
else
  xdotool key --window "$window" alt+F4
fi
code=""
for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then wait "$pid" && code=0 || code=$?; pid=""; break; fi
  sleep 0.1
done
if [ -z "$code" ]; then echo "RUVANO.exe still runs after Alt+F4"; ok=0
elif [ "$code" != 0 ]; then echo "RUVANO.exe ended with exit code $code"; ok=0
elif [ ! -s "$ini" ]; then echo "RUVANO.exe quit without writing its settings file"; ok=0
else echo "the archive's RUVANO.exe: started hidden, a second start showed its settings window, Alt+F4 quit it with exit code 0"; fi
if [ $ok = 1 ]; then echo "release archive check passed"; else echo "release archive check FAILED"; exit 1; fi
