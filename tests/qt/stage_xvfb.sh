#!/usr/bin/env bash
# Smoke test on a virtual X display: placeholder figures stand on an
# otherwise untouched desktop, a click between two figures does not reach
# the game, and a click on a figure does.
#   stage_xvfb.sh STAGE_DEMO SCREENSHOT.png
set -euo pipefail
demo="$1"
shot="$2"
log="$(mktemp)"
display=""
for n in $(seq 140 180); do
  if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 1; }
Xvfb "$display" -screen 0 1280x800x24 -wr -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$log"
}
trap cleanup EXIT
export DISPLAY="$display" QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

"$demo" "$shot" >"$log" 2>/dev/null &
pid=$!
for _ in $(seq 100); do grep -q '^ready' "$log" && break; sleep 0.1; done
grep -q '^ready' "$log" || { echo "the demo did not get ready"; cat "$log"; exit 1; }
cat "$log"

grep -q '^figure pixels wrong: 0$' "$log" || { echo "FAIL: the figures do not show as painted"; exit 1; }
grep -q '^desktop pixels changed: 0$' "$log" || { echo "FAIL: the desktop around the figures changed"; exit 1; }

read -r gx gy < <(sed -n 's/^point between figures //p' "$log")
read -r fx fy < <(sed -n 's/^point on a figure //p' "$log")
xdotool mousemove "$gx" "$gy" click 1
sleep 0.5
if grep -q '^stage click' "$log"; then echo "FAIL: a click between two figures reached the game"; exit 1; fi
xdotool mousemove "$fx" "$fy" click 1
for _ in $(seq 20); do grep -q '^stage click' "$log" && break; sleep 0.1; done
grep -q "^stage click 1 at $fx,$fy" "$log" || { echo "FAIL: a click on a figure did not reach the stage"; cat "$log"; exit 1; }
echo "1 passed, 0 failed"
