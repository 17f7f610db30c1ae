#!/usr/bin/env bash
# Starts the real tessary on this display (run under with-xvfb), clicks four
# cells, a don't-care and Show with the pointer, reads the answer from the key
# field through the PRIMARY selection, and quits with Ctrl+Q; then starts it
# again and closes its window as a window manager would. Both runs must exit
# 0 and print nothing.
#   end_to_end.sh TESSARY WINDOW_LAYOUT SEND_DELETE
set -euo pipefail
tessary=$1 send_delete=$3
. "$(dirname "$0")/drive.sh"
load_layout "$2"

start "$tessary"
set_map 0110/0110/0000/000X
click_at show
answer=$(read_key)
[ "$answer" = "BC'" ] || { echo "key field shows '$answer', expected BC'"; exit 1; }
keys ctrl+q
expect_exit_0 "Ctrl+Q"

start "$tessary"
timeout 10 "$send_delete" "$win"
expect_exit_0 "closing the window"

if [ -s "$errors" ]; then echo "tessary printed:"; cat "$errors"; exit 1; fi
echo "end-to-end: answer $answer, Ctrl+Q and close both exit 0"
