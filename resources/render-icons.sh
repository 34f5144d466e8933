#!/usr/bin/env bash
# Renders the icon's source, karvosel.svg, into the files the program and the desktop use; run
# it after changing the SVG and commit the result (needs librsvg2-bin and imagemagick).
# - icons/karvosel-N.png: the desktop's icon theme sizes;
# - icons/karvosel-N.rgba: the window's own icon as raw RGBA pixels, which the program reads
#   without loading image decoders at start-up;
# - karvosel.ico: the Windows executable's icon.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" karvosel.svg -o "icons/karvosel-$size.png"
done
for size in 16 32 48 64; do
    convert "icons/karvosel-$size.png" -depth 8 "RGBA:icons/karvosel-$size.rgba"
done
convert icons/karvosel-{16,24,32,48,64,128,256}.png karvosel.ico
