#!/bin/sh
# Renders the pictures from their SVG sources; the PNGs are committed, so run
# this only after changing an SVG (needs rsvg-convert, Debian's librsvg2-bin).
set -e
cd "$(dirname "$0")"
rsvg-convert -w 34 -h 22 rc.svg -o rc.png
rsvg-convert -w 48 -h 48 kmap.svg -o kmap.png
# The desktop's icon theme: a drawing of its own at 16 pixels, the icon's
# SVG at 48 and 128.
rsvg-convert -w 16 -h 16 kmap-16.svg -o ../icons/16.png
rsvg-convert -w 48 -h 48 kmap.svg -o ../icons/48.png
rsvg-convert -w 128 -h 128 kmap.svg -o ../icons/128.png
