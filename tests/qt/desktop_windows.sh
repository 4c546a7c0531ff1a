#!/usr/bin/env bash
# The game's windows beside another program, as a player meets them: the
# real program under a window manager (DESKTOP_WM, openbox by default, see
# desktop_lib.sh, with a taskbar) on a virtual display, driven by xdotool.
#   1. The keyboard stays with the other program while the game starts,
#      opens list windows and turns always-on-top off and on again.
#   2. Right clicks on the heroine, menu choices that change the scene (看板へ,
#      the bank and back, three times): no crash, no sanitizer report, and a
#      right click on the new scene still opens its menu.
#   3. One taskbar entry for the game; a minimised stage comes back, leaving
#      the keyboard where it was.
#   4. A list window closed by the window manager and by Alt+F4 closes alone;
#      closing the bar or the stage asks the quit question; No plays on.
#   5. The F5 box opens above a list window dragged to the middle, with its
#      caption and its whole line.
#   6. Closing the title asks in a message box above it: No keeps it, Yes quits.
# Screenshots of what it saw stay in $DESKTOP_WINDOWS_SHOTS when that is set.
#   desktop_windows.sh QUORVANE
set -euo pipefail
quorvane="$(realpath "$1")"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb xdotool xprop xwininfo xev wmctrl import
shots="${DESKTOP_WINDOWS_SHOTS:-$work/shots}"
mkdir -p "$shots" "$work/tmp"

desktop_start 1280x800
command -v tint2 >/dev/null && desktop_taskbar

# From here a failed check is counted and the rest still runs.
set +e
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
shot() { import -window root "$shots/$1.png" 2>/dev/null || true; }

# Another program, which has the keyboard.
xev -geometry 1280x300+0+0 -name "another program" >"$work/xev.out" 2>&1 &
pids+=($!)
other=""
for _ in $(seq 50); do other=$(xdotool search --onlyvisible --name "another program" 2>/dev/null | head -1 || true); [ -n "$other" ] && break; sleep 0.1; done
[ -n "$other" ] || { echo "the other program did not show"; exit 1; }
xdotool windowactivate --sync "$other" 2>/dev/null || true
active() { printf '%d\n' "$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p')" 2>/dev/null || echo 0; }
[ "$(active)" = "$other" ] || { echo "the other program did not get the keyboard"; exit 1; }

# The game: the opening clicked through to the shop; then, while the other
# program has the keyboard, it opens the status page, turns always-on-top
# off and on, and closes the page again, as it does in play. Afterwards its
# state is read out twice a second for the checks.
{
  printf 'seed 7\nstart\nclick frmOpen.cmdStart\nwait 10\nset StoryNo 27\nkey G\n'
  cat <<'EOF'
expect bar イザベラ：さて、何をしようかしら
get frmUnderMes.Left
get frmUnderMes.Top
get frmUnderMes.Width
get frmUnderMes.Height
echo shop
wait 1500
key 1 +Shift
wait 1500
key F
wait 1500
key F
wait 1500
key 1 +Shift
wait 1500
echo focus-done
EOF
  printf 'wait 300\nget EventField\nget ListName\nget GameEnding\nget AutoNext\nget HeroX\necho .\n%.0s' $(seq 1500)
} >"$work/run.sim"
(TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
   exec "$quorvane" --script "$work/run.sim" >"$work/game.out" 2>"$work/game.err") &
game=$!
pids+=($game)

# Which window has the keyboard, every 50 ms until the game has done its part.
(while :; do active; sleep 0.05; done) >"$work/active.log" 2>/dev/null &
watcher=$!
pids+=($watcher)
# Typing into the other program meanwhile (X is no key of the game's, so a
# stolen keyboard leaves the game as it was for the checks after).
for _ in $(seq 600); do grep -q '^shop' "$work/game.out" && break; sleep 0.1; done
grep -q '^shop' "$work/game.out" || { echo "the game did not get to the shop"; cat "$work/game.out" "$work/game.err"; exit 1; }
sleep 2
xdotool type --delay 100 "xxx"
for _ in $(seq 300); do grep -q '^focus-done' "$work/game.out" && break; sleep 0.1; done
kill "$watcher" 2>/dev/null || true
shot focus
# The state is read out from 300 ms after that on: the checks below start
# from the first read-out, not from before it.
for _ in $(seq 100); do grep -q '^\.$' "$work/game.out" && break; sleep 0.1; done

alive() { kill -0 "$game" 2>/dev/null; }
reported() { grep -qE 'Sanitizer|runtime error' "$work/game.err"; }
value() { grep "^$1 = " "$work/game.out" | tail -1 | sed "s/^$1 = //"; }
# Until the game's state read out shows NAME = VALUE (or it ends), ten seconds at most.
await() {
  local seen
  seen=$(grep -c '^\.$' "$work/game.out" || true)
  for _ in $(seq 100); do
    alive || return 1
    [ "$(grep -c '^\.$' "$work/game.out" || true)" -gt "$((seen + 1))" ] && [ "$(value "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# 1. The keyboard stayed with the other program.
steals=$(grep -v -x "$other" "$work/active.log" | sort -u | tr '\n' ' ' || true)
[ -z "$steals" ] && ok "the other program kept the keyboard through the start, a list window and F twice ($(wc -l <"$work/active.log") looks)" \
  || fail "the game took the keyboard: active windows $steals"
[ "$(grep -c 'keysym 0x78, x' "$work/xev.out")" -ge 6 ] && ok "typing reached the other program" \
  || fail "typing did not reach the other program"

twips() { sed -n "s/^frmUnderMes\.$1 = //p" "$work/game.out"; }
bar_x=$(( $(twips Left) / 15 )) bar_y=$(( $(twips Top) / 15 ))
bar_w=$(( $(twips Width) / 15 )) bar_h=$(( $(twips Height) / 15 ))
# The game's managed, mapped top-level windows: id x y width height.
game_windows() {
  for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | awk -v id="$w" '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
      /Width:/{w=$NF} /Height:/{h=$NF} /Override Redirect State: no/{print id, x, y, w, h}'
  done
}
find_windows() {
  game_windows >"$work/windows"
  bar=$(awk -v x="$bar_x" -v y="$bar_y" -v w="$bar_w" -v h="$bar_h" '$2 == x && $3 == y && $4 == w && $5 == h {print $1}' "$work/windows" | head -1)
  stage=$(awk -v bar="$bar" -v y="$bar_y" '$1 != bar && $3 < y && $3 + $5 >= y && $2 >= 0 && $4 * $5 > best { best = $4 * $5; id = $1 } END { print id }' "$work/windows")
}
state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }
find_windows
[ -n "$bar" ] && [ -n "$stage" ] || { fail "no bar or stage: $(cat "$work/windows") (bar $bar_x,$bar_y ${bar_w}x$bar_h)"; echo "$failures failed"; exit 1; }

# 2. Right clicks on the heroine and choices that change the scene.
heroine() { echo $(( $(value HeroX) / 15 + 17 )) $((bar_y - 12)); }
choose() {  # choose PLACE DOWNS EXPECTED: right click the heroine, the item DOWNS down, until EventField is EXPECTED
  local xy
  read -r -a xy < <(heroine)
  xdotool mousemove "${xy[0]}" "${xy[1]}" click 3
  popup || { fail "$1: a right click on the heroine at ${xy[*]} opened no menu"; shot "no-menu-$1"; return 1; }
  shot "menu-$1"
  for _ in $(seq "$2"); do xdotool key Down; done
  xdotool key Return
  await EventField "$3" || { fail "$1: the scene did not become $3 ($(value EventField))"; return 1; }
}
crossings=0
# The shop's menu: 開店 寝る ステータス 看板へ; the board's: 夢追い堂 道具屋 馬車屋 玉回収業者 銀行;
# the bank's: ステータス 看板へ.
if choose shop-to-board 4 Board; then
  crossings=1
  for round in 1 2 3; do
    choose "board-to-bank-$round" 5 Bank || break
    choose "bank-to-board-$round" 2 Board || break
    crossings=$((crossings + 2))
  done
fi
if alive && ! reported; then ok "the game lived through $crossings scene changes chosen on the heroine's menu"
else fail "the game died or reported an error after $crossings scene changes"; tail -40 "$work/game.err"; echo "$failures failed"; exit 1; fi

# 3. One entry on the taskbar, the bar's; a minimised stage comes back.
taskbar() {  # taskbar WHEN: the game's windows on the taskbar are the bar alone (within two seconds)
  local listed
  for _ in $(seq 20); do
    find_windows
    listed=$(while read -r id _; do state "$id" | grep -q _NET_WM_STATE_SKIP_TASKBAR || echo "$id"; done <"$work/windows")
    [ "$listed" = "$bar" ] && break
    sleep 0.1
  done
  [ "$listed" = "$bar" ] && ok "$1: one taskbar entry, the bar's, of $(wc -l <"$work/windows") windows" \
    || fail "$1: taskbar entries '$listed' (the bar is $bar) of $(tr '\n' ';' <"$work/windows")"
}
taskbar "after the scene changes"
xdotool windowactivate --sync "$other" 2>/dev/null || true
xdotool windowminimize "$stage" 2>/dev/null || true
back=0
for _ in $(seq 50); do
  sleep 0.1
  find_windows
  [ -n "$stage" ] && ! state "$stage" | grep -q _NET_WM_STATE_HIDDEN && xwininfo -id "$stage" | grep -q IsViewable && { back=1; break; }
done
[ "$back" = 1 ] && ok "the minimised stage came back" || fail "the minimised stage stayed away"
[ "$(active)" = "$other" ] && ok "coming back, it left the keyboard with the other program" || fail "coming back, the stage took the keyboard"
taskbar "after the minimise"

# 4. Closing windows from the window manager.
find_windows
click_bar() { xdotool mousemove $((bar_x + bar_w / 2)) $((bar_y + bar_h / 2)) click 1; sleep 0.5; }
open_list() {  # the status page by Shift+1; prints the list window's id
  local before
  game_windows | awk '{print $1}' | sort >"$work/before"
  click_bar
  xdotool key shift+1
  await ListName frmStatus || return 1
  # The page and the row of tabs above it are two windows of their own: both
  # are awaited (five seconds at most), so that the tabs are not taken for it.
  sleep 0.5
  for _ in $(seq 50); do
    game_windows | sort >"$work/after"
    [ "$(join -v 2 "$work/before" "$work/after" | wc -l)" -ge 2 ] && break
    sleep 0.1
  done
  join -v 2 "$work/before" "$work/after" | awk '{print $4 * $5, $0}' | sort -n | tail -1 | awk '{print $2, $3, $4, $5, $6}'
}
read -r list lx ly lw lh < <(open_list) || true
if [ -z "${list:-}" ]; then fail "Shift+1 opened no list window"
else
  wmctrl -i -c "$list"
  if await ListName "" && alive; then ok "the window manager's close of a list window closed the lists only"
  else fail "closing a list window: ListName $(value ListName), alive $(alive && echo yes || echo no)"; fi
fi
read -r list lx ly lw lh < <(open_list) || true
if [ -z "${list:-}" ]; then fail "Shift+1 opened no list window again"
else
  taskbar "with a list window opened again"
  xdotool mousemove $((lx + lw / 2)) $((ly + 4)) click 1
  sleep 0.5
  xdotool key alt+F4
  if await ListName "" && alive; then ok "Alt+F4 on a list window closed the lists only"
  else fail "Alt+F4 on a list window: ListName $(value ListName), alive $(alive && echo yes || echo no)"; fi
fi
find_windows
for pair in "bar:$bar" "stage:$stage"; do
  name=${pair%%:*} id=${pair#*:}
  [ -n "$id" ] || { fail "no $name window to close"; continue; }
  wmctrl -i -c "$id"
  if await GameEnding -1 && alive; then
    shot "close-$name"
    ok "closing the $name asked the quit question"
    click_bar
    xdotool key n
    await GameEnding 0 && ok "No to it played on" || fail "No to the quit question after closing the $name did not play on"
  else
    fail "closing the $name: GameEnding $(value GameEnding), alive $(alive && echo yes || echo no)"
  fi
  find_windows
done

# 5. The F5 box above a list window dragged to the middle.
read -r list lx ly lw lh < <(open_list) || true
if [ -z "${list:-}" ]; then fail "no list window for the F5 box"
else
  # By a label at its left edge, as the player drags it.
  xdotool mousemove $((lx + 12)) $((ly + 8)) mousedown 1
  for step in 1 2 3 4 5 6 7 8; do xdotool mousemove $((lx + 12 + 50 * step)) $((ly + 8 - 40 * step)); sleep 0.05; done
  xdotool mouseup 1
  # Until the window stands where it was let go (a busy game takes a while).
  moved=0
  for _ in $(seq 50); do
    sleep 0.1
    find_windows
    [ "$(awk -v id="$list" '$1 == id {print $2}' "$work/windows")" -gt "$((lx + 200))" ] 2>/dev/null && { moved=1; break; }
  done
  [ "$moved" = 1 ] && ok "the list window was dragged to the middle" || fail "the list window did not move: $(grep "^$list " "$work/windows") (windows before the page: $(tr '\n' ';' <"$work/before") after: $(tr '\n' ';' <"$work/after"))"
  click_bar
  xdotool key F5
  box=""
  for _ in $(seq 50); do
    for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
      xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && box=$w
    done
    [ -n "$box" ] && break
    sleep 0.1
  done
  if [ -z "$box" ]; then fail "F5 opened no box"
  else
    sleep 0.5
    shot state-box
    find_windows
    below=""
    while read -r id _; do
      [ "$id" = "$box" ] && continue
      [ "$(stack_place "$box")" -lt "$(stack_place "$id")" ] || below="$below $id"
    done <"$work/windows"
    [ -z "$below" ] && ok "the F5 box stands above every game window" || fail "game windows above the F5 box:$below"
    state "$box" | grep -q _NET_WM_STATE_SKIP_TASKBAR && ok "the F5 box is off the taskbar" || fail "the F5 box is on the taskbar"
    title=$(xprop -id "$box" _NET_WM_NAME | sed 's/.*= "\(.*\)"/\1/')
    [ "$title" = "デバッグメッセージ" ] && ok "the F5 box carries its caption" || fail "the F5 box is called '$title'"
    width=$(xwininfo -id "$box" | awk '/Width:/{print $NF}')
    [ "$width" -ge 700 ] && ok "the F5 box is $width pixels wide, for its whole line" || fail "the F5 box is only $width pixels wide"
    xdotool key Escape
    sleep 0.5
    alive && ok "Esc closed the box, not the game" || fail "Esc in the box ended the game"
  fi
fi
reported && { fail "the program reported an error"; tail -40 "$work/game.err"; }
kill "$game" 2>/dev/null || true

# 6. The title's close asks.
printf 'start\necho title\nwait 120000\n' >"$work/title.sim"
rm -rf "$work/tmp"/*
(XDG_DATA_HOME="$work/title" TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
   exec "$quorvane" --script "$work/title.sim" >"$work/title.out" 2>"$work/title.err") &
game=$!
pids+=($game)
for _ in $(seq 300); do grep -q '^title' "$work/title.out" && break; sleep 0.1; done
sleep 1
title_window=$(game_windows | awk '{print $1}' | head -1)
question() {
  for _ in $(seq 50); do
    for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
      xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
if [ -z "$title_window" ]; then fail "no title window"
else
  wmctrl -i -c "$title_window"
  if box=$(question); then
    shot title-question
    [ "$(stack_place "$box")" -lt "$(stack_place "$title_window")" ] && ok "closing the title asked above it" || fail "the title's question is below it"
    name=$(xprop -id "$box" _NET_WM_NAME | sed 's/.*= "\(.*\)"/\1/')
    [ "$name" = "+++ Quorvane +++" ] && ok "the question carries the game's caption" || fail "the question is called '$name'"
    xdotool windowactivate --sync "$box" 2>/dev/null || true
    xdotool key Escape
    sleep 1
    alive && ok "No kept the title" || fail "the title quit after No"
    wmctrl -i -c "$title_window"
    if box=$(question); then
      xdotool windowactivate --sync "$box" 2>/dev/null || true
      xdotool key Return
      for _ in $(seq 50); do alive || break; sleep 0.1; done
      alive && fail "Yes did not quit" || ok "Yes quit"
    else fail "the second close asked nothing"; fi
  else
    alive && fail "closing the title asked nothing" || fail "closing the title quit unasked"
  fi
fi
grep -qE 'Sanitizer|runtime error' "$work/title.err" && { fail "the program reported an error"; cat "$work/title.err"; }

echo "$failures failed"
[ "$failures" = 0 ]
