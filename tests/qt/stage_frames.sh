#!/usr/bin/env bash
# A frame reaches the screen whole: the desktop program plays the opening
# and a customer walking in and out of the open shop (stage_frames.sim)
# under openbox on a virtual X display, telling its frames
# (QUORVANE_FRAME_PROBE), while quorvane-deskplay --watch grabs the screen
# every 20 ms and compares the figures of each frame the game says is done
# with the screen's pixels.
#   stage_frames.sh QUORVANE DESKPLAY [SCALE]
# FRAME_SHOTS=DIR keeps the player's log and the pictures of the frames
# checked (checked-*.ppm) and broken (broken-*.ppm).
set -euo pipefail
quorvane="$(realpath "$1")"
deskplay="$(realpath "$2")"
scale="${3:-1}"
here="$(cd "$(dirname "$0")" && pwd)"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb openbox xprop
desktop_start "$((1024 * scale))x$((600 * scale))"

shots="${FRAME_SHOTS:-$work/shots}"
mkdir -p "$work/tmp" "$shots"
code=0
TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" QUORVANE_FRAME_PROBE=1 \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
  "$deskplay" --watch --seconds 240 --game-err "$work/game.err" --log "$shots/play.log" --shots "$shots" \
  -- "$quorvane" --script "$here/stage_frames.sim" >"$work/play.out" 2>&1 || code=$?
cat "$work/play.out"
if [ "$code" != 0 ]; then echo "FAIL: at scale $scale the player found the above"; exit 1; fi
if ! grep -q 'the game ended' "$shots/play.log"; then
  echo "FAIL: the game did not play to its end"; tail -n 20 "$work/game.err"; exit 1
fi
if ! grep -Eq 'frames checked [1-9]' "$work/play.out"; then echo "FAIL: no frame was checked"; exit 1; fi
echo "ok: at scale $scale every frame checked was on the screen whole"
