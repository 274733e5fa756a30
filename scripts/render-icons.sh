#!/bin/sh
# Renders data/kelvara.svg into the PNG sizes of the hicolor icon theme (data/icons/).
# Run after changing the SVG; needs rsvg-convert (Debian package librsvg2-bin).
set -eu
here=$(dirname "$(readlink -f "$0")")/..
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$here/data/kelvara.svg" -o "$here/data/icons/kelvara-$size.png"
done
