#!/usr/bin/env bash
# Reruns every benchmark and prints its figures (docs/performance.md says what they mean):
#   1. the host benchmarks: the monitor tick (Google Benchmark, build/host/tick_bench) and
#      loading and saving the settings file (build/host/settings_file_bench);
#   2. under Wine, in a private session: the real tick against the bare system calls
#      (tick_bench.exe), RUVANO.exe's size and memory over 100 000 ticks
#      (footprint_bench.exe) and the window-system objects over indicator and hint cycles
#      (windows_bench.exe); then, in a fresh session, RUVANO.exe's CPU time over 60 s idle,
#      read from /proc because Wine does not report another process's CPU time, and again
#      with the diagnostic window open;
#   3. the indicator next to the text caret: the lag from a caret move to the indicator's
#      (caret_bench.exe), and RUVANO.exe's CPU time over 60 s beside a blinking caret with
#      NearCaret on and off, each in a fresh session;
#   4. how soon a switch is signalled (latency_bench.exe): IME and window switches, the
#      window switches beside a program whose caret object takes 4 s, and RUVANO.exe's CPU
#      time over 60 s with an IME-on window in front, idle and while a key comes every 150 ms.
#
#   scripts/bench.sh --caret    only the figures of 3.
#   scripts/bench.sh --latency  only the figures of 4.
#   scripts/bench.sh --idle     only the idle figures of 2, without and with the diagnostic window.
#   scripts/bench.sh            everything (about 10 minutes on two shared cores)
#   BENCH_IDLE_SECONDS=60 BENCH_TICK_RUNS=4000 BENCH_TICKS=100000   the defaults
#
# Nothing here passes or fails on a figure; the script fails only when a benchmark cannot run.
set -euo pipefail
cd "$(dirname "$0")/.."

idle_seconds=${BENCH_IDLE_SECONDS:-60}

# The newest matching process of this session's prefix: other Wine sessions on the machine
# may run the same programs.
ours() {
  local p
  for p in $(pgrep "$@" | sort -rn); do
    if tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$p"
      return
    fi
  done
}

# Inside the Wine session: RUVANO.exe idle, with a fake IME target in front (IME on); with
# $2 = diagnosis, with the diagnostic window open beside it.
if [ "${1:-}" = --idle-inside-session ]; then
  bin=build/mingw
  cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
  wine "$bin/fake_ime_target.exe" /title "idle bench" /open 1 >/dev/null 2>&1 &
  sleep 3
  wine "$bin/RUVANO.exe" >/dev/null 2>&1 &
  sleep 5
  what="target in front, IME on"
  if [ "${2:-}" = diagnosis ]; then
    wine "$bin/open_diagnosis.exe" || { echo "idle: the diagnostic window did not open" >&2; exit 1; }
    what="$what, diagnostic window open"
    sleep 2
  fi
  ruvano=$(ours -f 'RUVANO\.exe$')
  target=$(ours -f 'fake_ime_target\.exe')
  server=$(ours -x 'wineserver64|wineserver')
  if [ -z "$ruvano" ] || [ -z "$target" ]; then
    echo "idle: RUVANO.exe or the fake target did not start" >&2
    exit 1
  fi
  hz=$(getconf CLK_TCK)
  r0=$(cpu_ticks "$ruvano"); t0=$(cpu_ticks "$target"); s0=$(cpu_ticks "$server")
  sleep "$idle_seconds"
  r1=$(cpu_ticks "$ruvano"); t1=$(cpu_ticks "$target"); s1=$(cpu_ticks "$server")
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$ruvano/status")
  anon=$(awk '/^RssAnon/ {print $2}' "/proc/$ruvano/status")
  awk -v r=$((r1 - r0)) -v t=$((t1 - t0)) -v s=$((s1 - s0)) -v hz="$hz" -v sec="$idle_seconds" \
      -v rss="$rss" -v anon="$anon" -v what="$what" 'BEGIN {
    printf "RUVANO.exe idle under Wine for %d s (%s; /proc, %d ms resolution)\n", sec, what, 1000 / hz
    printf "  RUVANO.exe CPU time           %8.0f ms (%.3f %% of one core, %.2f ms per tick)\n", r * 1000 / hz, r * 100 / hz / sec, r * 1000 / hz / (sec * 4)
    printf "  idle fake target, for scale   %8.0f ms\n", t * 1000 / hz
    printf "  wineserver (whole session)    %8.0f ms\n", s * 1000 / hz
    printf "  RUVANO.exe resident %d KiB, anonymous %d KiB\n", rss, anon
  }'
  exit 0
fi

# Inside the Wine session: RUVANO.exe beside a blinking caret, NearCaret on ($2 = 1) or off.
if [ "${1:-}" = --caret-idle-inside-session ]; then
  wine build/mingw/caret_bench.exe /hold $((idle_seconds + 15)) /near "$2" &
  bench=$!
  sleep 10
  ruvano=$(ours -f 'RUVANO\.exe$')
  [ -n "$ruvano" ] || { echo "caret idle: RUVANO.exe did not start" >&2; exit 1; }
  r0=$(awk '{print $14 + $15}' "/proc/$ruvano/stat")
  sleep "$idle_seconds"
  r1=$(awk '{print $14 + $15}' "/proc/$ruvano/stat" 2>/dev/null) ||
    { echo "caret idle: RUVANO.exe (process $ruvano) ended during the run" >&2; wait "$bench"; exit 1; }
  awk -v r=$((r1 - r0)) -v hz="$(getconf CLK_TCK)" -v sec="$idle_seconds" -v near="$2" 'BEGIN {
    printf "  NearCaret=%d: RUVANO.exe CPU time over %d s %6.0f ms (%.3f %% of one core)\n", near, sec, r * 1000 / hz, r * 100 / hz / sec
  }'
  wait "$bench" >/dev/null
  exit 0
fi

# Inside the Wine session: RUVANO.exe beside an IME-on window in front, idle ($2 = 0) or
# with a key every 150 ms ($2 = 1).
if [ "${1:-}" = --latency-hold-inside-session ]; then
  wine build/mingw/latency_bench.exe /hold $((idle_seconds + 15)) /type "$2" &
  bench=$!
  sleep 10
  ruvano=$(ours -f 'RUVANO\.exe$')
  [ -n "$ruvano" ] || { echo "latency hold: RUVANO.exe did not start" >&2; exit 1; }
  r0=$(awk '{print $14 + $15}' "/proc/$ruvano/stat")
  sleep "$idle_seconds"
  r1=$(awk '{print $14 + $15}' "/proc/$ruvano/stat" 2>/dev/null) ||
    { echo "latency hold: RUVANO.exe (process $ruvano) ended during the run" >&2; wait "$bench"; exit 1; }
  awk -v r=$((r1 - r0)) -v hz="$(getconf CLK_TCK)" -v sec="$idle_seconds" -v typing="$2" 'BEGIN {
    printf "  %s: RUVANO.exe CPU time over %d s %6.0f ms (%.3f %% of one core)\n", typing ? "typing" : "idle", sec, r * 1000 / hz, r * 100 / hz / sec
  }'
  wait "$bench"
  exit 0
fi

latency_figures() {
  echo
  echo "== Wine: how soon a switch is signalled"
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
  scripts/wine-session.sh wine build/mingw/latency_bench.exe /switches 30
  scripts/wine-session.sh wine build/mingw/latency_bench.exe /switches 30 /slowcaret
  echo "RUVANO.exe with an IME-on window in front (/proc, $((1000 / $(getconf CLK_TCK))) ms resolution)"
  for typing in 0 1; do BENCH_IDLE_SECONDS=$idle_seconds scripts/wine-session.sh "$0" --latency-hold-inside-session $typing; done
}

if [ "${1:-}" = --latency ]; then
  scripts/build.sh all >/dev/null
  latency_figures
  exit 0
fi

caret_figures() {
  echo
  echo "== Wine: the indicator next to the text caret"
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
  scripts/wine-session.sh wine build/mingw/caret_bench.exe /moves 200
  echo "RUVANO.exe beside a blinking caret, indicator shown (/proc, $((1000 / $(getconf CLK_TCK))) ms resolution)"
  for near in 0 1; do BENCH_IDLE_SECONDS=$idle_seconds scripts/wine-session.sh "$0" --caret-idle-inside-session $near; done
}

if [ "${1:-}" = --idle ]; then
  scripts/build.sh all >/dev/null
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
  for how in plain diagnosis; do
    BENCH_IDLE_SECONDS=$idle_seconds scripts/wine-session.sh "$0" --idle-inside-session "$how"
  done
  exit 0
fi

if [ "${1:-}" = --caret ]; then
  scripts/build.sh all >/dev/null
  caret_figures
  exit 0
fi

echo "== Machine"
echo "nproc: $(nproc); CPU: $(lscpu | sed -n 's/^Model name: *//p' | head -1); $(wine --version 2>/dev/null || echo 'no wine')"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

scripts/build.sh all >/dev/null

echo
echo "== Host: monitor tick on the scripted desktop"
build/host/tick_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

echo
echo "== Host: settings file load and save"
build/host/settings_file_bench 3

echo
echo "== Wine"
runs=${BENCH_TICK_RUNS:-4000}
ticks=${BENCH_TICKS:-100000}
scripts/wine-session.sh bash -c "
  set -e
  wine build/mingw/tick_bench.exe /runs $runs
  echo
  wine build/mingw/footprint_bench.exe /ticks $ticks
  if [ -f build/mingw/windows_bench.exe ]; then echo; wine build/mingw/windows_bench.exe; fi
"
# The idle figure gets a session of its own, with nothing left over from the runs above.
echo
BENCH_IDLE_SECONDS=$idle_seconds scripts/wine-session.sh "$0" --idle-inside-session
echo
BENCH_IDLE_SECONDS=$idle_seconds scripts/wine-session.sh "$0" --idle-inside-session diagnosis
caret_figures
latency_figures
