# The desktop the X tests play on, sourced by them: a virtual X display of
# the server's own choosing (so parallel runs never meet) with openbox on it,
# a work folder, and every process started here ended with the script.
#   desktop_need TOOL...           fails unless each tool is installed
#   desktop_start WxH [XVFB_ARG...]  starts Xvfb and openbox, exports DISPLAY
#   stack_place WINDOW             its place among the root's children from the
#                                  top (as xwininfo lists them), by its frame
# After sourcing: $work (removed at the end), pids (add the PIDs to end) and
# XDG_DATA_HOME in $work, so the game keeps its files there and never in the
# home folder.

desktop_need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup installs it)"; exit 1; }
  done
}

work="$(mktemp -d)"
export XDG_DATA_HOME="$work/data"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

desktop_start() {
  local screen="$1"
  shift
  Xvfb -displayfd 9 -screen 0 "${screen}x24" "$@" -nolisten tcp 9>"$work/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
  export DISPLAY=":$(head -1 "$work/display")"
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "openbox did not start"; cat "$work/openbox.log"; exit 1; }
}

stack_place() {
  local top parent root
  root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
  top=$(printf '0x%x' "$1")
  for _ in 1 2 3 4 5 6; do
    parent=$(xwininfo -tree -id "$top" 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    [ -z "$parent" ] || [ "$parent" = "$root" ] && break
    top=$parent
  done
  xwininfo -root -children | awk '/^ +0x/ {print $1}' | grep -n -x "$top" | cut -d: -f1 || echo 0
}
