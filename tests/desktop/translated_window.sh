#!/usr/bin/env bash
# Starts tessary in a language (LC_ALL=C.UTF-8 LANGUAGE=LANG, the build's
# catalogues) with GTK's accessibility modules on a private session bus (run
# under with-xvfb), and checks through translated_window.py that its menus,
# buttons and Practice window speak that language, and its title stays.
#   translated_window.sh TESSARY LOCALE_DIR LANG
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec dbus-run-session -- bash -c '
  export GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0
  LC_ALL=C.UTF-8 LANGUAGE="$3" TESSARY_LOCALEDIR="$2" "$1" & pid=$!
  trap "kill $pid 2>/dev/null" EXIT
  /usr/bin/python3 "$4/translated_window.py" "$3"
' translated_window "$1" "$2" "$3" "$here"
