#!/usr/bin/env bash
# Starts the real tessary on this display (run under with-xvfb), clicks four
# cells and Show with the pointer, reads the answer from the key field
# through the PRIMARY selection, and quits with Ctrl+Q; then starts it again
# and closes its window as a window manager would. Both runs must exit 0.
#   end_to_end.sh TESSARY WINDOW_LAYOUT SEND_DELETE
set -euo pipefail
tessary=$1 layout=$2 send_delete=$3
x() { timeout 10 xdotool "$@"; }
pid=

declare -A at
while read -r name a b c d; do
  if [ "$name" = cell ]; then at["cell $a $b"]="$c $d"; else at[$name]="$a $b"; fi
done < <(timeout 20 "$layout")

click_at() { # click_at NAME [COUNT]
  # shellcheck disable=SC2086
  x mousemove --window "$win" ${at[$1]} click --repeat "${2:-1}" --delay 80 1
  sleep 0.1
}

errors=$(mktemp)
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -f "$errors"' EXIT
start() {
  "$tessary" 2>>"$errors" & pid=$!
  win=$(x search --sync --onlyvisible --name '^Tessary$' | head -n 1)
  [ -n "$win" ] || { echo "no Tessary window"; exit 1; }
}

expect_exit_0() {
  local status=0
  timeout 10 tail --pid="$pid" -f /dev/null || { echo "tessary did not exit"; kill "$pid"; exit 1; }
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || { echo "tessary exited with $status after $1"; exit 1; }
}

start
for cell in "cell 0 1" "cell 0 2" "cell 1 1" "cell 1 2"; do click_at "$cell"; done
click_at "cell 3 3" 2 # a don't-care changes nothing
click_at show
click_at key 3 # select the whole answer
answer=$(timeout 5 xclip -o -selection primary)
[ "$answer" = "BC'" ] || { echo "key field shows '$answer', expected BC'"; exit 1; }
x windowfocus --sync "$win" key ctrl+q
expect_exit_0 "Ctrl+Q"

start
timeout 10 "$send_delete" "$win"
expect_exit_0 "closing the window"
if [ -s "$errors" ]; then echo "tessary printed:"; cat "$errors"; exit 1; fi
echo "end-to-end: answer $answer, Ctrl+Q and close both exit 0"
