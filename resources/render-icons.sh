#!/usr/bin/env bash
# Renders the icon's source, karvosel.svg, into the PNG sizes the program and the desktop use.
# Run it after changing the SVG and commit the result (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" karvosel.svg -o "icons/karvosel-$size.png"
done
