#!/usr/bin/env bash
# The random player believes only the frames of the game it plays. A game
# that has ended leaves its last frame on the root window, and the id of its
# stage window may by then name another window (the X server hands a new
# client the ids of one gone): here the other program's, which shows none of
# the figures. The player starts the game and plays a few seconds; a frame
# check of that leftover would report a broken frame.
#   desktop_play_leftover.sh QUORVANE DESKPLAY
set -euo pipefail
quorvane="$(realpath "$1")"
deskplay="$(realpath "$2")"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb openbox xev xprop xwininfo
mkdir -p "$work/tmp" "$work/config"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
desktop_start 1024x600

xev -geometry 520x300+30+30 -name "another program" >/dev/null 2>&1 &
pids+=($!)
other=""
for _ in $(seq 100); do
  other="$(xwininfo -name "another program" 2>/dev/null | awk '/Window id:/ {print $4}')" && [ -n "$other" ] && break
  sleep 0.1
done
[ -n "$other" ] || { echo "FAIL: the other program did not show"; exit 1; }
sleep 0.3
# Frame 7 of an ended game: a figure inside the other program's window.
xprop -root -f _QUORVANE_STAGE_FRAME 8s -set _QUORVANE_STAGE_FRAME "7 done $((other)) 1 40 40
89 20 20
"

set +e
TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb QUORVANE_FRAME_PROBE=1 ASAN_OPTIONS="detect_leaks=0" \
  "$deskplay" --seed 3 --seconds 6 --no-closes --other "another program" --game-err "$work/game.err" \
  -- "$quorvane" >"$work/play.out" 2>&1
status=$?
set -e
cat "$work/play.out"
if grep -q 'broken frame' "$work/play.out" && ! grep -q 'broken frames 0 ' "$work/play.out"; then
  echo "FAIL: a frame left by an ended game was checked as the new game's"
  exit 1
fi
[ "$status" = 0 ] || { echo "FAIL: the player found something (exit $status)"; exit 1; }
echo "ok: a frame left by an ended game is not checked"
