#!/usr/bin/env bash
# A scripted session of the real tessary under valgrind's memcheck (run under
# with-xvfb): clicks, Show on several maps (one split over both key fields),
# Reset, the About dialog opened and closed, a function typed into Enter
# function, the Groups window opened and drawn, then Ctrl+Q. Fails on any
# memory error and on any definite leak.
#   memcheck_session.sh TESSARY WINDOW_LAYOUT SUPPRESSIONS
set -euo pipefail
tessary=$1 ours=$3
. "$(dirname "$0")/drive.sh"
load_layout "$2"

log=$(mktemp)
# On any failure, show what memcheck said.
trap 'status=$?; [ -z "$pid" ] || kill "$pid" 2>/dev/null
      [ "$status" -eq 0 ] || cat "$log"; rm -f "$errors" "$log"' EXIT
export G_SLICE=always-malloc G_DEBUG=gc-friendly
start valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
  --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=40 \
  --suppressions=/usr/share/glib-2.0/valgrind/glib.supp --suppressions="$ours" \
  --log-file="$log" "$tessary"

check() { # check MAP ANSWER
  set_map "$1"; click_at show
  local got; got=$(read_key)
  [ "$got" = "$2" ] || { echo "map $1: key field shows '$got', expected '$2'"; exit 1; }
  click_at reset
}
check 1111/1111/1000/0001 "C'+A'B'D+AB'D'"
check 1010/0101/1010/0101 "A'B'C'D'+ABC'D'+A'BC'D+AB'C'D" # split over both fields
check X001/X00X/X000/X011 "B'D'+CD'A"
check 0000/0000/0000/0000 "0"
keys ctrl+a
wait_window '^About Tessary$'
x key --clearmodifiers Escape
wait_gone '^About Tessary$'
keys ctrl+e
wait_window '^Enter function$'
x type --delay 100 "A'B+C"
x key Return
wait_gone '^Enter function$'
got=$(read_key)
[ "$got" = "C+A'B" ] || { echo "Enter function A'B+C: key field shows '$got'"; exit 1; }
keys ctrl+g
wait_window '^Tessary: Groups$'
keys ctrl+q
expect_exit_0 "Ctrl+Q under memcheck"
grep -E 'ERROR SUMMARY|definitely lost' "$log" || true
