#!/usr/bin/env bash
# Where the program keeps its files and finds its help, wherever it is
# started from: the program of the build, started in another folder, writes
# its save into $XDG_DATA_HOME/quorvane and opens the help beside it; then
# `cmake --install` into a fresh prefix puts the program, its help, its
# desktop entry and its icons in place, and the installed program opens the
# help from its share folder.
#   files_and_install.sh QUORVANE BUILD_DIR
set -euo pipefail
quorvane="$(realpath "$1")"
build="$(realpath "$2")"
. "$(dirname "$0")/desktop_lib.sh"
desktop_need Xvfb openbox xprop
desktop_start 1024x600

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

# The desktop's viewer, which only notes what it is asked to open.
mkdir -p "$work/bin" "$work/tmp"
cat >"$work/bin/xdg-open" <<OPEN
#!/bin/sh
echo "\$1" >>"$work/opened"
OPEN
chmod +x "$work/bin/xdg-open"
# A save, then the help (a help it cannot open is reported in a message box).
printf 'seed 1\nstart\ncall SaveGame 0\nmsgbox OK\nclick frmOpen.cmdHelp\nwait 300\nkey Esc @frmOpen\n' >"$work/run.sim"

play() {  # play PROGRAM NAME: from a folder of its own, with its own data folder
  local program="$1" name="$2"
  mkdir -p "$work/$name/started-here"
  : >"$work/opened"
  (cd "$work/$name/started-here" && XDG_DATA_HOME="$work/$name/data" PATH="$work/bin:$PATH" TMPDIR="$work/tmp" \
     QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
     timeout 60 "$program" --script "$work/run.sim" >"$work/$name/out" 2>&1) ||
    { fail "$name: the program ended with $?"; cat "$work/$name/out"; }
  for _ in $(seq 30); do [ -s "$work/opened" ] && break; sleep 0.1; done
}

play "$quorvane" build
if [ -f "$work/build/data/quorvane/Quorvane_1.dat" ]; then ok "the save went into XDG_DATA_HOME/quorvane"
else fail "no save in XDG_DATA_HOME/quorvane"; fi
if [ -z "$(ls -A "$work/build/started-here")" ]; then ok "nothing written in the folder it was started from"
else fail "written where it was started: $(ls -A "$work/build/started-here")"; fi
if [ "$(cat "$work/opened")" = "file://$(dirname "$quorvane")/Help.html" ]; then ok "the build opens the help beside the program"
else fail "the build opened '$(cat "$work/opened")', not the help beside it"; fi

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
for f in bin/quorvane share/quorvane/Help.html share/applications/quorvane.desktop; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
entry="$prefix/share/applications/quorvane.desktop"
for line in 'Name=Quorvane' 'Exec=quorvane' 'Icon=quorvane' 'Categories=Game;RolePlaying;'; do
  grep -qxF "$line" "$entry" || fail "the desktop entry has no line $line"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" && ok "the desktop entry is valid" || fail "desktop-file-validate found the above"
fi
for size in 32 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quorvane.png"
  if [ ! -f "$icon" ]; then fail "no icon of $size pixels"
  elif command -v identify >/dev/null && [ "$(identify -format '%wx%h' "$icon")" != "${size}x${size}" ]; then
    fail "the icon of $size pixels is $(identify -format '%wx%h' "$icon")"
  fi
done

play "$prefix/bin/quorvane" installed
[ -f "$work/installed/data/quorvane/Quorvane_1.dat" ] || fail "the installed program saved elsewhere"
if [ "$(cat "$work/opened")" = "file://$prefix/share/quorvane/Help.html" ]; then ok "the installed program opens the installed help"
else fail "the installed program opened '$(cat "$work/opened")'"; fi

[ "$failures" = 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
