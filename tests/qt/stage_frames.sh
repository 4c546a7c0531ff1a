#!/usr/bin/env bash
# A frame reaches the screen whole: the desktop program plays the opening, a
# customer coming and going and a road under a window manager (openbox on a
# virtual X display) while another program grabs the screen every 20 ms;
# every grabbed picture of the stage must be one of the frames the game drew
# (its figures whole, in place, over the desktop), never a mix of two.
#   stage_frames.sh QUORVANE FRAME_GRAB SCALE
set -euo pipefail
quorvane="$(realpath "$1")"
grab="$(realpath "$2")"
scale="${3:-1}"
here="$(cd "$(dirname "$0")" && pwd)"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb openbox xprop

# A white desktop (-wr), as the game's frame log assumes.
desktop_start "$((1024 * scale))x$((600 * scale))" -wr

mkdir -p "$work/tmp" "$work/game" "$work/shots"
(cd "$work/game" && TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" \
   ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
   exec "$quorvane" --script "$here/stage_frames.sim" --frame-log "$work/frames.log" >"$work/game.out" 2>"$work/game.err") &
game=$!
pids+=($game)
# The grabber sees the screen in its own pixels, unscaled.
(QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" exec "$grab" "$work/frames.log" "$work/stop" "$work/shots" >"$work/grab.out" 2>&1) &
grabber=$!
for _ in $(seq 1200); do
  grep -q '^done' "$work/game.out" && break
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
touch "$work/stop"
code=0
wait "$grabber" || code=$?
cat "$work/grab.out"
# FRAME_SHOTS=DIR keeps the transcript and the pictures that match no frame.
if [ -n "${FRAME_SHOTS:-}" ]; then mkdir -p "$FRAME_SHOTS" && cp "$work"/shots/*.png "$work"/game.* "$FRAME_SHOTS"/ 2>/dev/null || true; fi
if ! grep -q '^done' "$work/game.out"; then
  echo "FAIL: the game did not play to the end"; tail -n 20 "$work/game.out" "$work/game.err"; exit 1
fi
if grep -q 'Sanitizer' "$work/game.err"; then echo "FAIL: the program reported an error"; cat "$work/game.err"; exit 1; fi
if [ "$code" != 0 ]; then
  echo "FAIL: at scale $scale the screen showed pictures that are no frame the game drew"
  exit 1
fi
echo "ok: at scale $scale every grabbed picture was a frame the game drew"
