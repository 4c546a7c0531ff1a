#!/usr/bin/env bash
# The desktop program in a Wayland session, through XWayland: weston with
# no screen of its own (its headless backend) and XWayland beside it. The
# game starts and gets to the shop, the stage's window shows the figures,
# and a right click on the heroine opens her menu.
#   desktop_xwayland.sh QUORVANE
set -uo pipefail
quorvane="$(realpath "$1")"
# The work folder, its cleaning up and the helpers of the X tests; no
# virtual X display of its own: weston brings XWayland.
. "$(dirname "$0")/desktop_lib.sh"
desktop_need weston Xwayland xdotool xwininfo import
mkdir -p "$work/runtime" "$work/tmp" "$work/game" "$work/config" && chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/game"
unset DISPLAY WAYLAND_DISPLAY

setsid weston --backend=headless-backend.so --xwayland --socket=quorvane-test --width=1280 --height=800 \
  --idle-time=0 --log="$work/weston.log" >/dev/null 2>&1 &
pids+=(-$!)
# XWayland's display, from weston's log.
display=""
for _ in $(seq 100); do
  display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null | head -1 || true)
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "$display" ] || { echo "weston started no XWayland"; cat "$work/weston.log"; exit 1; }
export DISPLAY="$display"
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

{
  printf 'seed 7\nstart\nclick frmOpen.cmdStart\nwait 10\nset StoryNo 27\nkey G\n'
  printf 'expect bar イザベラ：さて、何をしようかしら\nget frmUnderMes.Left\nget frmUnderMes.Top\necho shop\n'
  printf 'wait 300\nget HeroX\nget EventField\necho .\n%.0s' $(seq 300)
} >"$work/run.sim"
(cd "$work/game" && TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
   exec "$quorvane" --script "$work/run.sim" >"$work/game.out" 2>"$work/game.err") &
game=$!
pids+=($game)
value() { grep "^$1 = " "$work/game.out" 2>/dev/null | tail -1 | sed "s/^$1 = //"; }
for _ in $(seq 600); do grep -q '^\.$' "$work/game.out" 2>/dev/null && break; kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
grep -q '^\.$' "$work/game.out" && ok "the game got to the shop" || { fail "the game did not get to the shop"; cat "$work/game.out" "$work/game.err"; exit 1; }
sleep 1
bar_y=$(($(value frmUnderMes.Top) / 15))
hero_x=$(($(value HeroX) / 15 + 17))

# The stage: the game's largest mapped window, the band the figures stand
# in, which reaches a pixel into the bar; its own pixels show the figures.
# Places as xwininfo reads them (xdotool's count a reparenting frame twice).
place() { xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
  /Width:/{w=$NF} /Height:/{h=$NF} END{printf "X=%d Y=%d WIDTH=%d HEIGHT=%d\n", x, y, w, h}'; }
stage=$(for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
  eval "$(place "$w")"; echo "$((WIDTH * HEIGHT)) $w"; done | sort -n | tail -1 | cut -d' ' -f2)
if [ -z "$stage" ]; then fail "no stage window"
else
  eval "$(place "$stage")"
  bar_x=$(($(value frmUnderMes.Left) / 15))
  [ "$X" = "$bar_x" ] && [ $((Y + HEIGHT)) -gt "$bar_y" ] && [ $((Y + HEIGHT)) -le $((bar_y + 13)) ] \
    && ok "the stage stands on the bar, where the game drew it" \
    || fail "the stage's window stands at $X,$Y (${WIDTH}x$HEIGHT), not on the bar at $bar_x,$bar_y"
  # The rows just above the bar, in the stage's own pixels.
  import -window "$stage" -crop "${WIDTH}x30+0+$((bar_y - Y - 30))" "$work/figures.png" 2>/dev/null
  colours=$(convert "$work/figures.png" -format '%k' info: 2>/dev/null || echo 0)
  [ "${colours:-0}" -gt 8 ] && ok "the stage's window holds the figures ($colours colours above the bar)" \
    || fail "the stage above the bar is blank ($colours colours)"
  # A right click on the heroine where the screen shows her: her menu, a
  # popup window of the game's.
  hx=$((X + hero_x)) hy=$((bar_y - 12))
  if [ "$hy" -ge 800 ] || [ "$hx" -ge 1280 ]; then fail "the heroine stands off the screen, at $hx,$hy"
  else
    xdotool mousemove "$hx" "$hy"
    sleep 0.3
    if ! xdotool getmouselocation | grep -q "^x:$hx y:$hy "; then
      # XWayland moves its pointer only as the compositor does: a
      # synthetic motion (XTest) is dropped, so no click can be made here.
      echo "skipped: XWayland took no synthetic pointer motion, the right click on the heroine cannot be made"
      xdotool key Escape
      grep -qE 'Sanitizer|runtime error' "$work/game.err" && { fail "the program reported an error"; tail -30 "$work/game.err"; }
      echo "$failures failed"
      [ "$failures" = 0 ]
      exit
    fi
    xdotool click 3
    popup && ok "a right click on the heroine opened her menu" || fail "a right click on the heroine at $hx,$hy opened no menu"
  fi
  xdotool key Escape
fi
grep -qE 'Sanitizer|runtime error' "$work/game.err" && { fail "the program reported an error"; tail -30 "$work/game.err"; }
echo "$failures failed"
[ "$failures" = 0 ]
