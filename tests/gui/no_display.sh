#!/usr/bin/env bash
# Without an X display the program must stop with GTK's own message and a
# plain non-zero exit status: no crash, no window.
#   no_display.sh TESSARY
set -u
err=$(env -u DISPLAY -u WAYLAND_DISPLAY "$1" 2>&1 >/dev/null)
status=$?
if [ "$status" -eq 0 ] || [ "$status" -ge 128 ]; then
  echo "expected a plain failure, got exit status $status"; exit 1
fi
case "$err" in
  *"cannot open display"*) echo "no display: status $status, '$err'" ;;
  *) echo "expected GTK's 'cannot open display', got: $err"; exit 1 ;;
esac
