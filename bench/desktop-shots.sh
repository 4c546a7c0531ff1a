#!/usr/bin/env bash
# Screenshots of the desktop program at fixed points of the stretch of play
# (bench/desktop/play.sim): the shop with its customers, the shop closed, a
# road and a fight, to compare two builds pixel for pixel:
#   bench/desktop-shots.sh GAME OUT_DIR [DISPLAY_NUMBER] [WxH]
#   compare -metric AE before/shop.png after/shop.png null:
# Each shot is taken as the transcript reaches its mark; the script then
# waits, so the scene stands still while it is taken.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
game="$(realpath "$1")" out="$2" display_num="${3:-}" screen="${4:-1920x1080}"
if [ -z "$display_num" ]; then
  for n in $(seq 150 190); do [ -e "/tmp/.X$n-lock" ] || { display_num="$n"; break; }; done
fi
mkdir -p "$out"
work="$(mktemp -d)"
xvfb=""
cleanup() { if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi; rm -rf "$work"; }
trap cleanup EXIT
Xvfb ":$display_num" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
# The game's single-instance lock lives in TMPDIR: a run of its own.
mkdir -p "$work/tmp"
export DISPLAY=":$display_num" QT_QPA_PLATFORM=xcb TMPDIR="$work/tmp"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The stretch of play with a mark before each stand-still.
awk '
  { print }
  /^wait 20000$/ { print "echo shot shop"; print "wait 1500" }
  /^expect ShopOpen False$/ { print "echo shot closed"; print "wait 1500" }
  /^expect SceneFormName frmField$/ { getline; print; print "echo shot road"; print "wait 1500" }
  /^get BattlePhase$/ { print "echo shot fight"; print "wait 1500" }
' "$here/desktop/play.sim" >"$work/shots.sim"
mkdir -p "$work/dir"
(XDG_DATA_HOME="$work/dir" exec "$game" --script "$work/shots.sim" >"$work/out" 2>&1) &
pid=$!
seen=""
while kill -0 "$pid" 2>/dev/null; do
  for name in $(sed -n 's/^shot //p' "$work/out"); do
    case " $seen " in *" $name "*) continue ;; esac
    seen="$seen $name"
    import -window root "$out/$name.png"
  done
  sleep 0.02
done
wait "$pid" || { echo "the run failed:" >&2; tail -5 "$work/out" >&2; exit 1; }
echo "shots:$seen"
