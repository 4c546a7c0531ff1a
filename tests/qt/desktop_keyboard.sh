#!/usr/bin/env bash
# The keyboard stays where the player put it, under the window manager of
# DESKTOP_WM (desktop_lib.sh), with an xterm the player typed into beside
# the game:
#   on-top       always-on-top kept for ten seconds while the player works
#                in the xterm: no game window ever has the keyboard
#   lifted       an always-on-top window of another program's is put over
#                the heroine while the player types into the xterm: the
#                stage is lifted above it where the window manager restacks on
#                a pager's request, and the keyboard stays in the xterm
#   new-windows  the title at the start, the status page and another list
#                (Shift+1, Shift+5), the windows made anew by F twice, and a
#                minimised stage that comes back: none of them takes the
#                keyboard (looked at every 50 ms), and the bar never asks
#                for the player's attention
#   title-keys   a click on the title's background, then Enter: the button
#                that had the focus (はじめる) starts the game
#   desktop_keyboard.sh QUORVANE on-top|lifted|new-windows|title-keys
set -euo pipefail
quorvane="$(realpath "$1")"
mode="$2"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb xdotool xprop xwininfo xterm wmctrl
mkdir -p "$work/tmp" "$work/game"
desktop_start 1280x800

set +e
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

# The game, driven by a script of its own.
start_game() {
  (cd "$work/game" && TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
     exec "$quorvane" --script "$work/run.sim" >"$work/game.out" 2>"$work/game.err") &
  game=$!
  pids+=($game)
}
seen() { grep -q "^$1\$" "$work/game.out" 2>/dev/null; }
await_line() {  # await_line LINE [TENTHS]: until the game's script echoes LINE
  for _ in $(seq "${2:-600}"); do seen "$1" && return 0; kill -0 "$game" 2>/dev/null || return 1; sleep 0.1; done
  return 1
}
value() { grep "^$1 = " "$work/game.out" 2>/dev/null | tail -1 | sed "s/^$1 = //"; }
pid_of() { xprop -id "$1" _NET_WM_PID 2>/dev/null | sed -n 's/.* = //p'; }

# The xterm, which the player clicked into.
xterm_up() {  # xterm_up NAME GEOMETRY [ARG...]
  local name=$1 geometry=$2
  shift 2
  xterm -name "$name" -title "$name" -geometry "$geometry" "$@" -e sh -c 'cat >/dev/null' >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -1 | grep -q . && break
    sleep 0.1
  done
  xdotool search --onlyvisible --name "^$name\$" | head -1
}
click_into() {  # the player's click into a window, until it has the keyboard
  local x y w h
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  for _ in $(seq 50); do [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0; sleep 0.1; done
  xdotool windowactivate --sync "$1" 2>/dev/null
}

# Who has the keyboard while `watching` exists: every change of the active
# window as the window manager tells it, and the focus every 50 ms; the
# game's windows are listed beside, to tell them at the end.
watch_keyboard() {
  : >"$work/watching"
  xprop -root -spy _NET_ACTIVE_WINDOW 2>/dev/null | while read -r line; do
    echo "$(date +%s.%N | cut -c1-14) active $(printf '%d' "${line##* }" 2>/dev/null || echo 0)"
  done >"$work/active.log" &
  pids+=($!)
  spy=$!
  (
    while [ -e "$work/watching" ]; do
      echo "$(date +%s.%N | cut -c1-14) focus $(xdotool getwindowfocus 2>/dev/null)"
      sleep 0.05
    done
  ) >"$work/focus.log" 2>/dev/null &
  watcher=$!
  pids+=($watcher)
  (
    while [ -e "$work/watching" ]; do
      xdotool search --pid "$game" 2>/dev/null
      sleep 0.2
    done
  ) >"$work/game-windows" 2>/dev/null &
  lister=$!
  pids+=($lister)
}
stop_watching() {
  rm -f "$work/watching"
  wait "$watcher" "$lister" 2>/dev/null
  kill "$spy" 2>/dev/null
  # Each look marked "game" when its window is one of the game's.
  sort -u "$work/game-windows" 2>/dev/null | awk '{printf "%d\n", $1}' >"$work/game-ids"
  sort -n -k1,1 "$work/active.log" "$work/focus.log" | awk 'NR == FNR { game[$1] = 1; next }
    { print $0 ($3 in game ? " game" : "") }' \
    "$work/game-ids" - >"$work/keyboard.log"
}
# The looks since a mark.
looks_since() { awk -v from="$1" '$1 >= from' "$work/keyboard.log"; }
keyboard_kept() {  # keyboard_kept WHAT FROM
  local looks taken
  looks=$(looks_since "$2" | wc -l)
  taken=$(looks_since "$2" | grep -c ' game' || true)
  if [ "$looks" -gt 0 ] && [ "$taken" = 0 ]; then ok "$1: the xterm kept the keyboard ($looks looks)"
  else fail "$1: a game window had the keyboard in $taken of $looks looks: $(looks_since "$2" | grep ' game' | head -3 | tr '\n' ';')"; fi
}
now() { date +%s.%N | cut -c1-14; }

case "$mode" in
on-top | lifted)
  # The shop, always-on-top on (as the game starts), state read out.
  {
    printf 'seed 7\nstart\nclick frmOpen.cmdStart\nwait 10\nset StoryNo 27\nkey G\n'
    printf 'expect bar イザベラ：さて、何をしようかしら\nget frmUnderMes.Top\necho shop\n'
    printf 'wait 500\nget HeroX\nget GameEnding\necho .\n%.0s' $(seq 400)
  } >"$work/run.sim"
  start_game
  await_line shop || { echo "the game did not get to the shop"; cat "$work/game.out" "$work/game.err"; exit 1; }
  bar_y=$(($(value frmUnderMes.Top) / 15))
  term=$(xterm_up "the player's xterm" 80x20+300+100)
  [ -n "$term" ] || { echo "the xterm did not show"; exit 1; }
  click_into "$term"
  watch_keyboard
  if [ "$mode" = on-top ]; then
    from=$(now)
    # The player types into the xterm meanwhile: none of it is a key of the game's.
    for _ in $(seq 10); do xdotool type --delay 80 "xyz"; sleep 0.7; done
    stop_watching
    keyboard_kept "ten seconds of always-on-top beside the xterm" "$from"
  else
    # An always-on-top window of another program's, put over the heroine
    # while the player types into the xterm.
    hero_x=$(($(value HeroX) / 15))
    cover=$(xterm_up "the player's notes" 40x10+700+100)
    wmctrl -i -r "$cover" -b add,above
    click_into "$term"
    sleep 1
    from=$(now)
    xdotool windowmove "$cover" $((hero_x > 60 ? hero_x - 60 : 0)) $((bar_y - 150))
    for _ in $(seq 4); do xdotool type --delay 80 "xyz"; sleep 0.5; done
    stage=""
    lifted=0
    for _ in $(seq 50); do
      sleep 0.2
      # The game's window that stands over the heroine: the stage.
      for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
        [ "$X" -le "$hero_x" ] && [ $((X + WIDTH)) -gt "$hero_x" ] && [ "$Y" -lt $((bar_y - 10)) ] &&
          [ $((Y + HEIGHT)) -gt $((bar_y - 10)) ] && [ "$HEIGHT" -gt 30 ] && stage=$w
      done
      [ -n "$stage" ] && [ "$(stack_place "$stage")" -lt "$(stack_place "$cover")" ] && { lifted=1; break; }
    done
    sleep 2
    if xprop -root _NET_SUPPORTED | grep -q _NET_RESTACK_WINDOW; then
      [ "$lifted" = 1 ] && ok "the stage was lifted above the other program's always-on-top window" \
        || fail "the stage ($stage) stayed below the other program's always-on-top window"
    else
      # Without a restack on request only a raise lifts, which this window
      # manager takes as activation: the keyboard outweighs the lift.
      [ "$lifted" = 0 ] && ok "the stage stayed below: the window manager restacks on no pager's request" \
        || fail "the stage was raised over the other program's window by a raise, which activates it here"
    fi
    stop_watching
    keyboard_kept "lifting the stage over another always-on-top window" "$from"
  fi
  ;;

new-windows)
  {
    printf 'seed 7\nstart\necho title\nwait 3000\nclick frmOpen.cmdStart\nwait 10\nset StoryNo 27\nkey G\n'
    cat <<'EOF'
expect bar イザベラ：さて、何をしようかしら
echo shop
wait 1000
echo shift1
key 1 +Shift
wait 2000
key 1 +Shift
wait 500
echo shift5
key 5 +Shift
wait 2000
key 5 +Shift
wait 500
echo f-off
key F
wait 2000
echo f-on
key F
wait 2000
echo done
wait 120000
EOF
  } >"$work/run.sim"
  term=$(xterm_up "the player's xterm" 80x20+300+100)
  [ -n "$term" ] || { echo "the xterm did not show"; exit 1; }
  click_into "$term"
  start_game
  watch_keyboard
  marks=()
  for line in title shop shift1 shift5 f-off f-on done; do
    await_line "$line" || { fail "the game did not get to $line"; break; }
    marks+=("$line $(now)")
  done
  sleep 1.5
  # A minimised stage comes back by itself; it does not take the keyboard.
  largest() {  # the game's largest viewable window, not minimised: AREA ID
    for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
      xprop -id "$w" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN && continue
      eval "$(xdotool getwindowgeometry --shell "$w" | grep -E '^(WIDTH|HEIGHT)=')"
      echo "$((WIDTH * HEIGHT)) $w"
    done | sort -n | tail -1
  }
  read -r area stage < <(largest)
  marks+=("minimise $(now)")
  [ -n "$stage" ] && xdotool windowminimize "$stage"
  back=0
  for _ in $(seq 50); do
    sleep 0.1
    read -r now_area _ < <(largest)
    [ "${now_area:-0}" -ge "${area:-1}" ] && { back=1; break; }
  done
  sleep 1.5
  stop_watching
  [ "$back" = 1 ] && ok "the minimised stage came back" || fail "the minimised stage stayed away"
  # Each span: from its mark to the next (the last to the end).
  for i in "${!marks[@]}"; do
    read -r what from <<<"${marks[$i]}"
    to=$(echo "${marks[$((i + 1))]:-end 9999999999}" | cut -d' ' -f2)
    looks=$(awk -v a="$from" -v b="$to" '$1 >= a && $1 < b' "$work/keyboard.log")
    taken=$(grep -c ' game' <<<"$looks")
    [ "$taken" = 0 ] && ok "$what: the xterm kept the keyboard ($(grep -c . <<<"$looks") looks)" \
      || fail "$what: a game window had the keyboard in $taken of $(grep -c . <<<"$looks") looks"
  done
  attention=0
  for w in $(xdotool search --pid "$game" 2>/dev/null); do
    xprop -id "$w" _NET_WM_STATE 2>/dev/null | grep -q DEMANDS_ATTENTION && attention=1
  done
  [ "$attention" = 0 ] && ok "no game window asks for the player's attention" || fail "a game window demands attention"
  ;;

title-keys)
  printf 'start\necho title\n' >"$work/run.sim"
  printf 'wait 300\nget frmOpen.Visible\necho .\n%.0s' $(seq 300) >>"$work/run.sim"
  start_game
  await_line title || { echo "no title"; exit 1; }
  sleep 1.5
  # The title: the game's window of a box's size (beside the bar and the stage).
  title=""
  for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    [ "$HEIGHT" -gt 50 ] && [ "$WIDTH" -lt 800 ] && { title=$w; break; }
  done
  [ -n "$title" ] || { echo "no title window"; exit 1; }
  # Its top left corner is background: the buttons stand in the middle.
  xdotool mousemove $((X + 6)) $((Y + 6)) click 1
  sleep 1
  [ "$(value frmOpen.Visible)" = -1 ] || { fail "a click on the title's background did something: frmOpen.Visible $(value frmOpen.Visible)"; }
  xdotool key Return
  started=0
  for _ in $(seq 50); do sleep 0.1; [ "$(value frmOpen.Visible)" = 0 ] && { started=1; break; }; done
  [ "$started" = 1 ] && ok "Enter after a click on the title's background started the game" \
    || fail "Enter after a click on the title's background did nothing (frmOpen.Visible $(value frmOpen.Visible))"
  ;;
*) echo "unknown check $mode"; exit 2 ;;
esac

grep -qE 'Sanitizer|runtime error' "$work/game.err" && { fail "the program reported an error"; tail -30 "$work/game.err"; }
echo "$failures failed"
[ "$failures" = 0 ]
