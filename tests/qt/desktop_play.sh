#!/usr/bin/env bash
# Random play on the real desktop: the game under a window manager
# (DESKTOP_WM, openbox by default, see desktop_lib.sh) with a taskbar on a
# virtual X display, beside another program (xev) that holds
# the keyboard part of the time, played by quorvane-deskplay (DesktopPlay.cpp)
# from a seed. Fails on a crash, a sanitizer report, a hang, a focus steal,
# an unasked quit or a broken frame, with the seed and the last inputs.
#   desktop_play.sh QUORVANE DESKPLAY [SECONDS] [SEED]
# Environment: DESKPLAY_SCREEN (WxH, 1280x800), DESKPLAY_SCALE (Qt's scale
# factor, 1), DESKPLAY_KEEP_GOING=1 (count and go on instead of stopping at
# the first finding), DESKPLAY_ARGS (more options of quorvane-deskplay,
# such as --no-closes or --no-frame-check), DESKPLAY_OUT (a folder for the log, the game's
# standard error and the pictures of broken frames; a temporary one
# otherwise, shown on a failure).
set -euo pipefail
quorvane="$(realpath "$1")"
deskplay="$(realpath "$2")"
seconds="${3:-90}"
seed="${4:-1}"
screen="${DESKPLAY_SCREEN:-1280x800}"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb tint2 xev xprop
out="${DESKPLAY_OUT:-$work/out}"
mkdir -p "$out" "$work/tmp"
desktop_start "$screen"
desktop_taskbar
xev -geometry 520x300+30+30 -name "another program" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 0x && break; sleep 0.1; done
sleep 0.2

# Qt is not built with the sanitizer, so its reads of memory already freed go
# unseen while that memory waits intact in the sanitizer's quarantine: filled
# at its free, it makes them crash as they would in a release build.
set +e
TMPDIR="$work/tmp" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="${DESKPLAY_SCALE:-1}" QUORVANE_FRAME_PROBE=1 \
  ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:max_free_fill_size=1048576" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  "$deskplay" --seed "$seed" --seconds "$seconds" --other "another program" --game-err "$out/game.err" \
  --log "$out/play.log" --shots "$out" ${DESKPLAY_KEEP_GOING:+--keep-going} ${DESKPLAY_ARGS:-} -- "$quorvane" &
player=$!
pids+=($player)
wait "$player"
status=$?
set -e
if [ "$status" != 0 ] && [ -z "${DESKPLAY_OUT:-}" ]; then
  # Kept for whoever looks into it.
  keep="$(mktemp -d /tmp/desktop-play-XXXXXX)"
  cp -r "$out/." "$keep/"
  echo "the log, the game's standard error and any pictures: $keep"
fi
exit "$status"
