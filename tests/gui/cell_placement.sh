#!/usr/bin/env bash
# Where each cell sits on the screen: for each of the sixteen places that the
# headers mark out, clicks there once with the pointer, presses Show and
# expects the one minterm of that place, from a table written out here; then
# clicks twice more to put the cell back to 0.
#   cell_placement.sh TESSARY WINDOW_LAYOUT
set -euo pipefail
tessary=$1
. "$(dirname "$0")/drive.sh"
load_layout "$2"

# The minterm 8A+4B+2C+D under row header R (C'D', C'D, CD, CD') and column
# header C (A'B', A'B, AB, AB').
minterms=(0 4 12 8  1 5 13 9  3 7 15 11  2 6 14 10)

# A'B'C'D' for 0, ABCD for 15.
product_of() {
  local m=$1 text= v
  for v in 3 2 1 0; do
    text+=${letters:3-v:1}
    (( (m >> v) & 1 )) || text+="'"
  done
  echo "$text"
}
letters=ABCD

start "$tessary"
for (( i = 0; i < 16; i++ )); do
  place="under-headers $(( i / 4 )) $(( i % 4 ))"
  click_at "$place"
  click_at show
  expected=$(product_of "${minterms[i]}")
  answer=$(read_key)
  [ "$answer" = "$expected" ] ||
    { echo "$place: clicking there gives $answer, expected $expected"; exit 1; }
  click_at "$place" 2
done
keys ctrl+q
expect_exit_0 "Ctrl+Q"
if [ -s "$errors" ]; then echo "tessary printed:"; cat "$errors"; exit 1; fi
echo "cell placement: all sixteen places give their minterm"
