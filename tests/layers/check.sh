#!/usr/bin/env bash
# The table of layers holds for src/, and catches each kind of fault in a
# small tree made to break it: a library that uses one above it (the
# answers a picture), cairo reached through two headers, a face's header
# named by another face.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/includes.py" "$here/../../src"
if out=$("$here/includes.py" "$here/wrong/src"); then
  echo "FAIL: the wrong tree passed"; exit 1
fi
for fault in "logic/map.h: includes answers/picture.h, but logic may not use answers" \
             "cli/main.cpp: reaches <cairo.h> (cairo) through" \
             "answers/picture.h: reaches <cairo.h> (cairo)" \
             "answers/picture.h: includes render/drawing.h, but answers may not use render" \
             "cli/main.cpp: includes app/window.h, but cli may not use app"; do
  grep -qF "$fault" <<<"$out" || { echo "FAIL: not found: $fault"; echo "$out"; exit 1; }
done
# Text is laid out in one place: one file of src/ makes pango layouts.
makers=$(grep -rlE 'pango_layout_new|create_pango_layout|pango_cairo_create_layout' "$here/../../src" |
  sed "s|^$here/../../||")
[ "$makers" = "src/render/text.cpp" ] ||
  { echo "FAIL: pango layouts are made in: $makers"; exit 1; }
echo "the layers hold"
