# Shared by the scripts that drive the real tessary with the pointer and the
# keyboard through xdotool. Source it, then call load_layout and start.
#   load_layout WINDOW_LAYOUT   where the buttons are (from the same code and fonts)
#   start COMMAND...            runs COMMAND in the background, finds its window
#   click_at NAME [COUNT]       "cell R C", "under-headers R C", show, reset or key
#   set_map MAP                 clicks cells from a map of all '0' to MAP
#   read_key                    the first key field's text, via PRIMARY
#   keys KEY...                 focuses the window and types the keys
#   expect_exit_0 WHAT          waits for the program; fails unless status 0
#   wait_window TITLE           waits, a minute at most, for a window titled
#                               TITLE (a regular expression) to show
#   wait_gone TITLE             waits, a minute at most, for it to go

x() { timeout 10 xdotool "$@"; }
pid=
errors=$(mktemp)
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -f "$errors"' EXIT
declare -A at

load_layout() {
  while read -r name a b c d; do
    case $name in
      cell|under-headers) at["$name $a $b"]="$c $d" ;;
      *) at[$name]="$a $b" ;;
    esac
  done < <(timeout 20 "$1")
  [ -n "${at[show]:-}" ] || { echo "no layout from $1"; exit 1; }
}

start() {
  "$@" 2>>"$errors" & pid=$!
  win=$(timeout 120 xdotool search --sync --onlyvisible --name '^Tessary$' | head -n 1)
  [ -n "$win" ] || { echo "no Tessary window"; exit 1; }
}

# No pause after a click or a key: the X server hands the program its events
# in order, so whatever is read afterwards (the key field, a window) comes
# after them; what is read waits for its condition with a deadline.
click_at() {
  # shellcheck disable=SC2086
  x mousemove --window "$win" ${at[$1]} click --repeat "${2:-1}" --delay 80 1
}

set_map() {
  local cells=${1//\//} i
  for (( i = 0; i < 16; i++ )); do
    case ${cells:i:1} in
      1) click_at "cell $(( i / 4 )) $(( i % 4 ))" 1 ;;
      X) click_at "cell $(( i / 4 )) $(( i % 4 ))" 2 ;;
    esac
  done
}

# The key field's text, selected by a triple click: the PRIMARY selection is
# first taken by a mark of ours, and read until the program has taken it
# back with the field's text, for a minute at most.
read_key() {
  local mark="tessary-test-mark-$$" got deadline=$(( SECONDS + 60 ))
  printf %s "$mark" | xclip -i -selection primary
  click_at key 3
  while :; do
    got=$(timeout 5 xclip -o -selection primary 2>/dev/null || true)
    [ "$got" != "$mark" ] && [ -n "$got" ] && break
    (( SECONDS < deadline )) || { echo "the key field was not selected within a minute" >&2; return 1; }
    sleep 0.05
  done
  printf '%s\n' "$got"
}

keys() {
  x windowfocus --sync "$win" key "$@"
}

expect_exit_0() {
  local status=0
  timeout 120 tail --pid="$pid" -f /dev/null || { echo "tessary did not exit after $1"; exit 1; }
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || { echo "tessary exited with $status after $1"; cat "$errors"; exit 1; }
}

wait_window() {
  timeout 60 xdotool search --sync --onlyvisible --name "$1" >/dev/null ||
    { echo "no window '$1' within a minute"; exit 1; }
}

wait_gone() {
  local deadline=$(( SECONDS + 60 ))
  while xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do
    (( SECONDS < deadline )) || { echo "window '$1' still open after a minute"; exit 1; }
    sleep 0.2
  done
}
