#!/usr/bin/env bash
# Memory and start-up of the desktop program beside a plain Qt program on a
# virtual X screen. Builds both (Release, in build-desktop), runs each under
# /usr/bin/time -v several times and prints the medians of peak RSS and CPU
# time (user + system), and the game's ratios to the plain program:
#   - at the title window (shown for a second, then Esc / quit),
#   - after a stretch of play (bench/desktop/play.sim),
#   - the RSS while the display window is opened and closed 1,500 times.
# BUILD_DIR sets the build folder.
# Usage: bench/desktop.sh [-r RUNS] [-p PLAY_RUNS] [-s "WxH ..."] [-d DISPLAY_NUMBER] [-n]
#   -n  skips the build; -c CYCLES sets the list-window cycles (0: none).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${BUILD_DIR:-$root/build-desktop}"
runs=5 play_runs=3 cycles=1500 screens="1920x1080 1024x600 3840x2160" display_num="" do_build=1
while getopts "r:p:s:d:c:n" o; do
  case "$o" in
    r) runs="$OPTARG" ;; p) play_runs="$OPTARG" ;; s) screens="$OPTARG" ;; d) display_num="$OPTARG" ;;
    c) cycles="$OPTARG" ;; n) do_build=0 ;; *) exit 2 ;;
  esac
done

if [ "$do_build" = 1 ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_TESTS=OFF -DQUORVANE_BENCH=ON \
    -DQUORVANE_SANITIZE=OFF >/dev/null
  cmake --build "$build" --target quorvane qt_floor -- -j"${JOBS:-3}" >/dev/null
fi
game="$build/src/qt/quorvane"
floor="$build/bench/qt_floor"

if [ -z "$display_num" ]; then
  for n in $(seq 150 190); do [ -e "/tmp/.X$n-lock" ] || { display_num="$n"; break; }; done
fi
work="$(mktemp -d)"
# The game's single-instance lock lives in TMPDIR: these runs have their own,
# so a game played meanwhile neither stops them nor is stopped; its files go
# to XDG_DATA_HOME, a folder emptied before each run.
mkdir -p "$work/tmp"
export TMPDIR="$work/tmp" XDG_DATA_HOME="$work/dir"
xvfb=""
stop_x() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null; xvfb=""; }
trap 'stop_x; rm -rf "$work"' EXIT
start_x() {
  stop_x
  Xvfb ":$display_num" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$display_num" QT_QPA_PLATFORM=xcb
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  echo "Xvfb :$display_num did not start" >&2; exit 1
}

# One timed run: prints "RSS_KiB CPU_seconds"; the transcript goes to $work/out.
timed() {
  (timeout 300 /usr/bin/time -v -o "$work/time" "$@" >"$work/out" 2>&1) || {
    echo "failed: $*" >&2; tail -5 "$work/out" >&2; exit 1; }
  awk -F': ' '/Maximum resident/ {rss=$2} /User time/ {u=$2} /System time/ {s=$2} END {print rss, u+s}' "$work/time"
}
median() { sort -n | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k/1024}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a/b}'; }

printf 'seed 7\nstart\nwait 1000\nkey Esc\n' >"$work/title.sim"
mkdir -p "$work/dir"
for screen in $screens; do
  start_x "$screen"
  : >"$work/floor" ; : >"$work/title" ; : >"$work/play"
  for _ in $(seq "$runs"); do
    timed "$floor" 1000 >>"$work/floor"
    rm -rf "$work/dir"/*; timed "$game" --script "$work/title.sim" >>"$work/title"
  done
  for _ in $(seq "$play_runs"); do
    rm -rf "$work/dir"/*; timed "$game" --script "$here/desktop/play.sim" >>"$work/play"
    if ! grep -q '^BuyCount = 1' "$work/out" || ! grep -q '^BattlePhase = [12]' "$work/out"; then
      echo "the stretch of play went astray:" >&2; cat "$work/out" >&2; exit 1
    fi
  done
  fr=$(cut -d' ' -f1 "$work/floor" | median); fc=$(cut -d' ' -f2 "$work/floor" | median)
  tr=$(cut -d' ' -f1 "$work/title" | median); tc=$(cut -d' ' -f2 "$work/title" | median)
  pr=$(cut -d' ' -f1 "$work/play" | median); pc=$(cut -d' ' -f2 "$work/play" | median)
  echo "== $screen: medians of $runs runs ($play_runs in play)"
  printf '%-32s %10s %10s %7s\n' "figure" "plain Qt" "game" "ratio"
  printf '%-32s %10s %10s %7s\n' "peak RSS at title (MiB)" "$(mib "$fr")" "$(mib "$tr")" "$(ratio "$tr" "$fr")"
  printf '%-32s %10s %10s %7s\n' "CPU to title (s)" "$fc" "$tc" "$(ratio "$tc" "$fc")"
  printf '%-32s %10s %10s %7s\n' "peak RSS in play (MiB)" "" "$(mib "$pr")" "$(ratio "$pr" "$fr")"
  printf '%-32s %10s %10s %7s\n' "CPU in play, ~44 s (s)" "" "$pc" ""
done

if [ "$cycles" -gt 0 ]; then
  # The display window opened and closed again and again after the opening;
  # the RSS is read when the transcript reaches each mark.
  first="${screens%% *}"
  start_x "$first"
  {
    sed -n '1,/^expect bar/p' "$here/desktop/play.sim"
    for i in $(seq "$cycles"); do
      printf 'key 6 +Shift\nwait 2\nkey 6 +Shift\nwait 2\n'
      case "$i" in 1|100|500|1000|"$cycles") printf 'wait 500\necho cycles %d\nwait 500\n' "$i" ;; esac
    done
    printf 'key Esc\n'
  } >"$work/lists.sim"
  rm -rf "$work/dir"/*
  (exec "$game" --script "$work/lists.sim" >"$work/out" 2>&1) &
  pid=$!
  echo "== list windows on $first: RSS after N open/close cycles of the display window"
  seen=""
  while kill -0 "$pid" 2>/dev/null; do
    for m in $(sed -n 's/^cycles //p' "$work/out"); do
      case " $seen " in *" $m "*) continue ;; esac
      seen="$seen $m"
      printf '%6s cycles: %s MiB\n' "$m" "$(mib "$(awk '/VmRSS/ {print $2}' /proc/$pid/status)")"
    done
    sleep 0.1
  done
  wait "$pid" || { echo "the list-window run failed:" >&2; tail -5 "$work/out" >&2; exit 1; }
fi
