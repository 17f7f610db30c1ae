#!/usr/bin/env bash
# Starts tessary with GTK's accessibility modules on a private session bus
# (run under with-xvfb) and drives it with accessibility.py.
#   accessibility.sh TESSARY
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec dbus-run-session -- bash -c '
  export GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0
  "$1" & pid=$!
  trap "kill $pid 2>/dev/null" EXIT
  /usr/bin/python3 "$2/accessibility.py"
' accessibility "$1" "$here"
