#!/bin/sh
# Renders the pictures from their SVG sources; the PNGs are committed, so run
# this only after changing an SVG (needs rsvg-convert, Debian's librsvg2-bin).
set -e
cd "$(dirname "$0")"
rsvg-convert -w 34 -h 22 rc.svg -o rc.png
rsvg-convert -w 48 -h 48 kmap.svg -o kmap.png
