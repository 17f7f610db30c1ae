#!/usr/bin/env bash
# The table of layers holds for src/, and catches each kind of fault in a
# small tree made to break it: a library that uses one above it, cairo
# reached through two headers, a face's header named by another face.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/includes.py" "$here/../../src"
if out=$("$here/includes.py" "$here/wrong/src"); then
  echo "FAIL: the wrong tree passed"; exit 1
fi
for fault in "logic/map.h: includes answers/picture.h, but logic may not use answers" \
             "cli/main.cpp: reaches <cairo.h> (cairo) through" \
             "answers/picture.h: reaches <cairo.h> (cairo)" \
             "cli/main.cpp: includes app/window.h, but cli may not use app"; do
  grep -qF "$fault" <<<"$out" || { echo "FAIL: not found: $fault"; echo "$out"; exit 1; }
done
echo "the layers hold"
