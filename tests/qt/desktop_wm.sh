#!/usr/bin/env bash
# The desktop program under a real window manager (DESKTOP_WM, openbox by
# default, see desktop_lib.sh) on a virtual X display, as a player has it:
# the frameless windows stay undecorated where the game puts them; with
# another program in front the stage and the bar are kept above it; the
# game's own popup menu stays above the stage; a click between the figures
# reaches the window beneath; the keyboard reaches the game after a click
# on it.
#   desktop_wm.sh QUORVANE
set -euo pipefail
quorvane="$(realpath "$1")"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb xdotool xprop xwininfo xev import

desktop_start 1280x800 -wr

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

# The game in the shop, waiting for the player; the program has a
# single-instance lock in TMPDIR, so it gets a folder of its own.
mkdir -p "$work/tmp"
# The opening clicked through to the shop: G on each of its lines, Enter once.
{
  printf 'seed 7\nstart\nclick frmOpen.cmdStart\nwait 10\n'
  printf 'key G\n%.0s' $(seq 6)
  printf 'key Enter\n'
  printf 'key G\n%.0s' $(seq 11)
  cat <<'EOF'
expect bar イザベラ：さて、何をしようかしら
wait 1000
get frmUnderMes.Left
get frmUnderMes.Top
get frmUnderMes.Width
get frmUnderMes.Height
echo ready
wait 60000
EOF
} >"$work/run.sim"
(TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
   exec "$quorvane" --script "$work/run.sim" >"$work/game.out" 2>"$work/game.err") &
game=$!
pids+=($game)
for _ in $(seq 300); do grep -q '^ready' "$work/game.out" && break; sleep 0.1; done
grep -q '^ready' "$work/game.out" || { echo "the game did not get to the shop"; cat "$work/game.out" "$work/game.err"; exit 1; }
sleep 0.5

twips() { sed -n "s/^frmUnderMes\.$1 = //p" "$work/game.out"; }
bar_x=$(( $(twips Left) / 15 )) bar_y=$(( $(twips Top) / 15 ))
bar_w=$(( $(twips Width) / 15 )) bar_h=$(( $(twips Height) / 15 ))

# The game's visible top-level windows: id x y width height.
game_windows() {
  for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
    xwininfo -id "$w" | awk -v id="$w" '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
      /Width:/{w=$NF} /Height:/{h=$NF} /Override Redirect State: no/{print id, x, y, w, h}'
  done
}
# The stage and the bar, by where they stand (a window that changes its
# always-on-top flag is made anew, under another id).
# The stage's window covers the stage, down to the taskbar, and the figures
# stand on the bar: the largest other window that reaches the bar's top.
find_windows() {
  game_windows >"$work/windows"
  bar=$(awk -v x="$bar_x" -v y="$bar_y" -v w="$bar_w" -v h="$bar_h" '$2 == x && $3 == y && $4 == w && $5 == h {print $1}' "$work/windows" | head -1)
  read -r stage stage_x stage_y stage_w stage_h < <(awk -v bar="$bar" -v y="$bar_y" \
    '$1 != bar && $3 < y && $3 + $5 >= y && $2 >= 0 && $4 * $5 > best { best = $4 * $5; line = $0 } END { print line }' "$work/windows")
}
find_windows

# 1. Frameless and where the game put them.
undecorated=1
while read -r id _; do
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | sed 's/.*= //')
  [ "$extents" = "0, 0, 0, 0" ] || { undecorated=0; fail "window $id is decorated ($extents)"; }
done <"$work/windows"
[ "$undecorated" = 1 ] && ok "$(wc -l <"$work/windows") game windows without decorations"
[ -n "$stage" ] && ok "the stage covers the stage area down to the bar ($stage_x,$stage_y ${stage_w}x$stage_h)" \
  || fail "no stage window standing on the bar: $(cat "$work/windows")"
[ -n "$bar" ] && ok "the bar stands where the game put it ($bar_x,$bar_y ${bar_w}x$bar_h)" \
  || fail "the bar is not at $bar_x,$bar_y ${bar_w}x$bar_h: $(cat "$work/windows")"
[ -n "$stage" ] && [ -n "$bar" ] || { echo "$failures failed"; exit 1; }


# 2. Another program in front: within the game's once-a-second check the
# stage and the bar are above it again, kept there.
xev -geometry 1280x${bar_y}+0+0 -name "another program" >"$work/xev.out" 2>&1 &
pids+=($!)
other=""
for _ in $(seq 50); do other=$(xdotool search --onlyvisible --name "another program" 2>/dev/null | head -1 || true); [ -n "$other" ] && break; sleep 0.1; done
[ -n "$other" ] || { echo "the other window did not show"; exit 1; }
xdotool windowactivate "$other" 2>/dev/null || true
# Within the game's once-a-second check, or a few of them on a busy machine.
above_other() {
  find_windows
  [ -n "$stage" ] && [ -n "$bar" ] &&
    [ "$(stack_place "$stage")" -lt "$(stack_place "$other")" ] && [ "$(stack_place "$bar")" -lt "$(stack_place "$other")" ]
}
sleep 2.5
for _ in $(seq 20); do above_other && break; sleep 0.5; done
[ -n "$stage" ] && [ -n "$bar" ] || { fail "the stage or the bar is gone: $(cat "$work/windows")"; exit 1; }
for pair in "stage:$stage" "bar:$bar"; do
  name=${pair%%:*} id=${pair#*:}
  if [ "$(stack_place "$id")" -lt "$(stack_place "$other")" ]; then ok "the $name is above the other program"
  else fail "the $name is below the other program"; fi
  xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && ok "the $name is kept above" || fail "the $name is not kept above"
done

# 3. A click between the figures (a point inside the stage's window where
# the other window shows through) reaches the other window.
sky=$(import -window root -crop 1x1+640+100 txt:- | awk 'NR == 2 {print $3}')
row=$((bar_y - 10))  # among the figures
import -window root -crop "${stage_w}x1+${stage_x}+${row}" txt:- >"$work/row.txt"
gap=$(awk -v sky="$sky" 'NR > 1 && $3 == sky { split($1, at, ","); gaps[n++] = at[1] }
  END { if (n) print gaps[int(n / 2)] }' "$work/row.txt")
if [ -z "$gap" ]; then fail "no gap between the figures on row $row of the stage"
else
  gap_x=$((stage_x + gap))
  xdotool mousemove "$gap_x" "$row" click 1
  for _ in $(seq 20); do grep -A2 ButtonPress "$work/xev.out" | grep -q "root:($gap_x,$row)" && break; sleep 0.25; done
  grep -A2 ButtonPress "$work/xev.out" | grep -q "root:($gap_x,$row)" \
    && ok "a click between the figures ($gap_x,$row) reached the window beneath" \
    || fail "a click between the figures ($gap_x,$row) did not reach the window beneath"
fi

# 4. A click on the bar gives the game the keyboard: Shift+1 opens the
# status page and the tab frame (a new window of the game is enough: the
# stage's window comes and goes with its figures on a busy machine).
before=$(game_windows | wc -l)
xdotool mousemove $((bar_x + bar_w / 2)) $((bar_y + bar_h / 2)) click 1
sleep 0.5
xdotool key shift+1
for _ in $(seq 40); do after=$(game_windows | wc -l); [ "$after" -gt "$before" ] && break; sleep 0.25; done
[ "$after" -gt "$before" ] && ok "a key after a click on the bar reached the game" \
  || fail "a key after a click on the bar did not reach the game ($before windows, then $after)"

# 5. The game's popup menu (a right click on the bar) stays above the stage
# through the game's checks.
xdotool mousemove $((bar_x + bar_w / 2)) $((bar_y + bar_h / 2)) click 3
popup_menu() {
  menu=""
  for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && menu=$w
  done
  [ -n "$menu" ]
}
for _ in $(seq 40); do popup_menu && break; sleep 0.25; done
sleep 2.5
popup_menu || true
if [ -z "$menu" ]; then fail "no popup menu showed"
elif [ "$(stack_place "$menu")" -lt "$(stack_place "$stage")" ]; then ok "the popup menu stays above the stage"
else fail "the stage covers the popup menu"; fi
xdotool key Escape

grep -q 'Sanitizer' "$work/game.err" && { fail "the program reported an error"; cat "$work/game.err"; }
echo "$failures failed"
[ "$failures" = 0 ]
