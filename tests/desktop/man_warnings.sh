#!/usr/bin/env bash
# Formats each manual page with man-db and groff's warnings on; any warning
# fails (man itself exits 0 on them).
#   man_warnings.sh PAGE...
set -u
status=0
for page in "$@"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "$page:"; echo "$warnings"; status=1
  fi
done
exit $status
