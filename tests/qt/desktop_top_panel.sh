#!/usr/bin/env bash
# The game with a panel at the top of the screen, as many desktops lay it
# out: the real program under openbox with a tint2 panel that keeps its strut,
# on a virtual display, driven by xdotool.
#   1. The stage's window lies inside the work area, the heroine is drawn on
#      the bar where the game says she stands, and a right click on her opens
#      her menu.
#   2. The panel moved to the bottom during play (tint2 started again there):
#      the bar moves out from under it, the heroine with it, and a right
#      click on her still opens her menu.
# WM is openbox (the default), or xfwm4, which keeps windows out of a panel's
# strut by moving them. Screenshots of what it saw stay in
# $DESKTOP_PANEL_SHOTS when that is set.
#   desktop_top_panel.sh QUORVANE [WM]
set -euo pipefail
quorvane="$(realpath "$1")"
wm="${2:-openbox}"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb openbox tint2 xdotool xprop xwininfo import convert compare
shots="${DESKTOP_PANEL_SHOTS:-$work/shots}"
mkdir -p "$shots" "$work/tmp" "$work/game"
width=1280 height=800 panel_height=30
desktop_start "${width}x$height"
if [ "$wm" = xfwm4 ]; then
  desktop_need xfwm4
  was=$(xprop -root _NET_SUPPORTING_WM_CHECK)
  xfwm4 --replace --compositor=off >"$work/xfwm4.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do now=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null || true)
    [ -n "$now" ] && [ "$now" != "$was" ] && break; sleep 0.1; done
  [ "$now" != "$was" ] || { echo "xfwm4 did not start"; cat "$work/xfwm4.log"; exit 1; }
  sleep 1
fi

workarea() { xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\).*/\1 \2 \3 \4/p'; }
panel() {  # panel top|bottom: a panel across the screen that keeps windows out of its strut
  cat >"$work/tint2-$1.rc" <<EOF
panel_items = TC
panel_position = $1 center horizontal
panel_size = 100% $panel_height
panel_layer = top
strut_policy = follow_size
panel_dock = 0
wm_menu = 0
EOF
  tint2 -c "$work/tint2-$1.rc" >"$work/tint2-$1.log" 2>&1 &
  tint2_pid=$!
  pids+=($tint2_pid)
  local want
  [ "$1" = top ] && want="0 $panel_height $width $((height - panel_height))" || want="0 0 $width $((height - panel_height))"
  for _ in $(seq 100); do [ "$(workarea)" = "$want" ] && return 0; sleep 0.1; done
  echo "the panel at the $1 left the work area at '$(workarea)', not '$want'"; cat "$work/tint2-$1.log"; exit 1
}
import -window root "$work/desktop.png"
panel top

set +e
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
shot() { import -window root "$shots/$1.png" 2>/dev/null || true; }

# The game: the opening clicked through to the shop; then its state read out
# three times a second.
{
  printf 'seed 7\nstart\nclick frmOpen.cmdStart\nwait 10\nset StoryNo 27\nkey G\n'
  printf 'expect bar イザベラ：さて、何をしようかしら\necho shop\n'
  printf 'wait 300\nget frmUnderMes.Left\nget frmUnderMes.Top\nget frmUnderMes.Width\nget frmUnderMes.Height\nget HeroX\nget ListName\necho .\n%.0s' $(seq 1000)
} >"$work/run.sim"
(cd "$work/game" && TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
   exec "$quorvane" --script "$work/run.sim" >"$work/game.out" 2>"$work/game.err") &
game=$!
pids+=($game)
alive() { kill -0 "$game" 2>/dev/null; }
value() { grep "^$1 = " "$work/game.out" | tail -1 | sed "s/^$1 = //"; }
reads() { grep -c '^\.$' "$work/game.out" || true; }
# Until a read-out after this moment shows NAME = VALUE, ten seconds at most.
await() {
  local seen
  seen=$(reads)
  for _ in $(seq 100); do
    alive || return 1
    [ "$(reads)" -gt "$((seen + 1))" ] && [ "$(value "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}
for _ in $(seq 600); do [ "$(reads)" -gt 0 ] && break; sleep 0.1; done
[ "$(reads)" -gt 0 ] || { echo "the game did not get to the shop"; cat "$work/game.out" "$work/game.err"; exit 1; }
sleep 1

# The game's mapped top-level windows: id x y width height.
game_windows() {
  for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | awk -v id="$w" '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
      /Width:/{w=$NF} /Height:/{h=$NF} /Override Redirect State: no/{print id, x, y, w, h}'
  done
}
# Pixels of the 34 x 34 box at X Y that differ from the empty desktop.
drawn() {
  import -window root "$work/now.png"
  convert "$work/now.png" -crop "34x34+$1+$2" +repage "$work/a.png"
  convert "$work/desktop.png" -crop "34x34+$1+$2" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | sed 's/[^0-9].*//'
}

# check WHEN: the bar across the work area's bottom, every game window inside
# the work area, the heroine drawn standing on the bar, and her menu opens
# (ステータス is chosen from it, which opens or closes the list windows).
check() {
  local wa bar_x bar_y bar_w bar_h hx listed before
  read -r -a wa < <(workarea)
  bar_x=$(( $(value frmUnderMes.Left) / 15 )) bar_y=$(( $(value frmUnderMes.Top) / 15 ))
  bar_w=$(( $(value frmUnderMes.Width) / 15 )) bar_h=$(( $(value frmUnderMes.Height) / 15 ))
  [ "$bar_x" = "${wa[0]}" ] && [ "$((bar_y + bar_h))" = "$((wa[1] + wa[3]))" ] && [ "$bar_w" = "${wa[2]}" ] \
    && ok "$1: the game placed the bar across the work area's bottom" \
    || fail "$1: the bar is at $bar_x,$bar_y ${bar_w}x$bar_h in the work area ${wa[*]}"
  game_windows >"$work/windows"
  grep -q . "$work/windows" || fail "$1: no window of the game shows"
  outside=$(awk -v x="${wa[0]}" -v y="${wa[1]}" -v w="${wa[2]}" -v h="${wa[3]}" \
    '$2 < x || $3 < y || $2 + $4 > x + w || $3 + $5 > y + h' "$work/windows")
  [ -z "$outside" ] && ok "$1: every game window lies inside the work area" \
    || fail "$1: game windows outside the work area ${wa[*]}: $outside"
  awk -v x="$bar_x" -v y="$bar_y" -v w="$bar_w" -v h="$bar_h" '$2 == x && $3 == y && $4 == w && $5 == h' "$work/windows" | grep -q . \
    && ok "$1: the bar's window stands where the game placed it" \
    || fail "$1: no window where the game placed the bar ($bar_x,$bar_y ${bar_w}x$bar_h): $(tr '\n' ';' <"$work/windows")"
  # Her picture stands on the bar, reaching a pixel into it.
  hx=$(( $(value HeroX) / 15 + bar_x ))
  shot "$1"
  pixels=$(drawn "$hx" "$((bar_y - 33))")
  [ "${pixels:-0}" -ge 200 ] && ok "$1: the heroine is drawn on the bar ($pixels pixels of her box)" \
    || fail "$1: the heroine is not drawn on the bar at $hx,$((bar_y - 33)) (${pixels:-0} pixels of her box differ)"
  before=$(value ListName)
  xdotool mousemove "$((hx + 17))" "$((bar_y - 12))" click 3
  if popup; then
    shot "$1-menu"
    xdotool key Down Down Down Return
    [ -z "$before" ] && listed=frmStatus || listed=""
    await ListName "$listed" && ok "$1: a right click on the heroine opened her menu, and ステータス answered" \
      || fail "$1: ステータス from her menu did not make ListName '$listed' ($(value ListName))"
  else
    fail "$1: a right click on the heroine at $((hx + 17)),$((bar_y - 12)) opened no menu"
  fi
}

check "a panel at the top"

# The panel moves to the bottom while the game plays.
kill "$tint2_pid"; wait "$tint2_pid" 2>/dev/null
panel bottom
want=$(( (height - panel_height) * 15 ))
bar_h=$(( $(value frmUnderMes.Height) ))
await frmUnderMes.Top "$((want - bar_h))" && ok "the panel moved to the bottom: the game moved the bar above it" \
  || fail "the panel moved to the bottom: the bar stayed at $(value frmUnderMes.Top) (wanted $((want - bar_h)))"
sleep 1
check "the panel moved to the bottom"

alive || fail "the game ended: $(tail -5 "$work/game.err")"
grep -qE 'Sanitizer|runtime error' "$work/game.err" && fail "a sanitizer report: $(grep -m3 -E 'Sanitizer|runtime error' "$work/game.err")"
echo "$failures failed"
[ "$failures" = 0 ]
