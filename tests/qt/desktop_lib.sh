# The desktop the X tests play on, sourced by them: a virtual X display of
# the server's own choosing (so parallel runs never meet) with a window
# manager on it, a work folder, and every process started here ended with
# the script.
#   desktop_need TOOL...           fails unless each tool is installed
#   desktop_start WxH [XVFB_ARG...]  starts Xvfb and the window manager of
#                                  DESKTOP_WM with the panel its desktop has,
#                                  exports DISPLAY
#   desktop_taskbar                a taskbar where the desktop has none of its
#                                  own (tint2 at the bottom)
#   stack_place WINDOW             its place among the root's children from the
#                                  top (as xwininfo lists them), by its frame
#   popup                          waits until a popup menu of the program
#                                  whose PID is $game shows, five seconds at most
# DESKTOP_WM is one of
#   openbox  (the default) alone; desktop_taskbar adds tint2 at the bottom
#   xfwm4    with its compositor, and a tint2 panel at the top with a strut
#            in place of Xfce's own panel (which wants a whole Xfce session),
#            where Xfce's default layout has it
#   icewm    with its own taskbar at the bottom
#   kwin     kwin_x11 with its compositor (OpenGL, in software on Xvfb);
#            desktop_taskbar adds tint2 at the bottom, where Plasma has it
#   mutter   in X11 mode, with a tint2 panel at the top where GNOME has its bar
# DESKTOP_PANEL (top, bottom or none) puts the panel elsewhere, or leaves it
# out. Each window manager reads its settings from a folder of the test's
# own (XDG_CONFIG_HOME, XDG_RUNTIME_DIR) and those that want a session bus
# get one of their own.
# After sourcing: $work (removed at the end), $desktop_wm, pids (add the
# PIDs to end; a negative one ends its whole process group) and XDG_DATA_HOME
# in $work, so the game keeps its files there and never in the home folder.

desktop_need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup installs it)"; exit 1; }
  done
}

desktop_wm="${DESKTOP_WM:-openbox}"
case "$desktop_wm" in
  openbox) desktop_need openbox ;;
  xfwm4) desktop_need xfwm4 dbus-run-session tint2 setsid ;;
  icewm) desktop_need icewm ;;
  kwin) desktop_need kwin_x11 dbus-run-session setsid ;;
  mutter) desktop_need mutter dbus-run-session tint2 setsid ;;
  *) echo "unknown window manager $desktop_wm (openbox, xfwm4, icewm, kwin or mutter)"; exit 1 ;;
esac

work="$(mktemp -d)"
export XDG_DATA_HOME="$work/data"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -- "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Where the desktop's panel stands: top, bottom or none.
desktop_panel_place() {
  case "${DESKTOP_PANEL:-}" in
    top | bottom | none) echo "$DESKTOP_PANEL" ;;
    *) case "$desktop_wm" in xfwm4 | mutter) echo top ;; icewm) echo bottom ;; *) echo none ;; esac ;;
  esac
}

# A tint2 panel at the top or the bottom, with a strut, waited for until
# the work area leaves it out.
desktop_tint2() {
  sed -e "s/^panel_position = .*/panel_position = $1 center horizontal/" \
    -e 's/^strut_policy = .*/strut_policy = follow_size/' /etc/xdg/tint2/tint2rc >"$work/tint2rc"
  tint2 -c "$work/tint2rc" >"$work/tint2.log" 2>&1 &
  pids+=($!)
  local area
  for _ in $(seq 100); do
    area=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\).*/\1 \2 \3 \4/p')
    [ -n "$area" ] && [ "$area" != "0 0 ${desktop_size/x/ }" ] && return 0
    # Window managers without a work area of their own: the strut is enough.
    [ "$desktop_wm" = kwin ] && xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 0x && sleep 0.5 && return 0
    sleep 0.1
  done
  echo "the tint2 panel made no room in the work area ($area)"
}

desktop_start() {
  desktop_size="$1"
  shift
  Xvfb -displayfd 9 -screen 0 "${desktop_size}x24" "$@" -nolisten tcp 9>"$work/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
  export DISPLAY=":$(head -1 "$work/display")"
  for _ in $(seq 50); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
  xprop -root >/dev/null 2>&1 || { echo "Xvfb on $DISPLAY takes no connection"; exit 1; }
  mkdir -p "$work/desktop-config" "$work/desktop-runtime" && chmod 700 "$work/desktop-runtime"
  export XDG_CONFIG_HOME="$work/desktop-config" XDG_RUNTIME_DIR="$work/desktop-runtime"
  # GTK's accessibility bus is no part of the desktop under test.
  export NO_AT_BRIDGE=1
  case "$desktop_wm" in
    openbox) openbox --sm-disable >"$work/wm.log" 2>&1 & pids+=($!) ;;
    xfwm4)
      # Without the shadows its compositor casts from panels and windows:
      # a figure under a shadow is no broken frame, but the frame check
      # would take it for one.
      mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
      cat >"$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/xfwm4.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfwm4" version="1.0">
  <property name="general" type="empty">
    <property name="use_compositing" type="bool" value="true"/>
    <property name="show_dock_shadow" type="bool" value="false"/>
    <property name="show_frame_shadow" type="bool" value="false"/>
    <property name="show_popup_shadow" type="bool" value="false"/>
  </property>
</channel>
XML
      setsid dbus-run-session -- xfwm4 --compositor=on --sm-client-disable >"$work/wm.log" 2>&1 &
      pids+=(-$!) ;;
    icewm)
      mkdir -p "$work/icewm"
      # Its own settings: no clock ticking in the taskbar, which stands
      # where the panel is asked to.
      {
        printf 'TaskBarShowClock=0\nTaskBarShowAPMStatus=0\nTaskBarShowMailboxStatus=0\nTaskBarShowCPUStatus=0\nTaskBarShowNetStatus=0\n'
        case "$(desktop_panel_place)" in top) echo TaskBarAtTop=1 ;; none) echo ShowTaskBar=0 ;; esac
      } >"$work/icewm/preferences"
      ICEWM_PRIVCFG="$work/icewm" icewm >"$work/wm.log" 2>&1 &
      pids+=($!) ;;
    kwin)
      # No session manager here; its OpenGL compositor runs on Mesa's software renderer.
      setsid env -u SESSION_MANAGER LIBGL_ALWAYS_SOFTWARE=1 dbus-run-session -- kwin_x11 --replace >"$work/wm.log" 2>&1 &
      pids+=(-$!) ;;
    mutter)
      setsid env LIBGL_ALWAYS_SOFTWARE=1 dbus-run-session -- mutter --x11 --replace --sm-disable >"$work/wm.log" 2>&1 &
      pids+=(-$!) ;;
  esac
  for _ in $(seq 200); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "$desktop_wm did not start"; cat "$work/wm.log"; exit 1; }
  case "$desktop_wm" in
    # A compositing window manager owns the screen's compositing selection
    # once it paints: until then the windows it maps show nothing.
    xfwm4 | kwin | mutter) sleep 1 ;;
  esac
  case "$(desktop_panel_place)" in
    top | bottom) [ "$desktop_wm" = icewm ] || desktop_tint2 "$(desktop_panel_place)" ;;
  esac
  [ "$desktop_wm" = icewm ] && [ "$(desktop_panel_place)" != none ] && desktop_await_area
  return 0
}

# Until the work area leaves out a taskbar (five seconds at most).
desktop_await_area() {
  for _ in $(seq 50); do
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q "= 0, 0, ${desktop_size/x/, }" || return 0
    sleep 0.1
  done
}

desktop_taskbar() {
  [ "$(desktop_panel_place)" = none ] && [ -z "${DESKTOP_PANEL:-}" ] && desktop_tint2 bottom
  return 0
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

popup() {  # until the game's popup menu shows, five seconds at most
  for _ in $(seq 50); do
    for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
      xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && return 0
    done
    sleep 0.1
  done
  return 1
}
