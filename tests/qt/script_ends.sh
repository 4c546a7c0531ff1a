#!/usr/bin/env bash
# `quorvane --script` ends with the game, so a run can be timed and chained:
# Esc quits with 0, a failing line with 1, each well inside the time limit.
#   script_ends.sh QUORVANE
set -euo pipefail
quorvane="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A folder of its own for the single-instance lock, so a game being played
# on this machine does not stop the run, and for the game's files.
export TMPDIR="$work" XDG_DATA_HOME="$work" QT_QPA_PLATFORM=offscreen ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

run() {  # run NAME EXPECTED_CODE SCRIPT_LINES...
  local name="$1" expected="$2"
  shift 2
  printf '%s\n' "$@" >"$work/$name.sim"
  local code=0
  (timeout 45 "$quorvane" --script "$work/$name.sim" >"$work/$name.out" 2>&1) || code=$?
  if [ "$code" != "$expected" ]; then
    echo "FAIL: $name ended with $code, not $expected"
    cat "$work/$name.out"
    exit 1
  fi
  echo "ok: $name ended with $code"
}

run esc_in_the_shop 0 start "click frmOpen.cmdStart" "wait 300" "key Esc" "wait 200" "echo after the end"
run esc_on_the_title 0 start "key Esc @frmOpen"
run a_failing_line 1 start "click frmOpen.cmdStart" "expect StoryNo 12345" "wait 200"
echo "3 passed, 0 failed"
