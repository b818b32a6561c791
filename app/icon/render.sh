#!/usr/bin/env bash
# Renders the icon's PNG sizes and the Windows .ico from the SVG; the results are committed.
# Needs librsvg2-bin and imagemagick.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 256; do
  rsvg-convert -w "$size" -h "$size" sonvale-brackwen.svg -o "sonvale-brackwen-$size.png"
done
convert sonvale-brackwen-{16,32,48,256}.png sonvale-brackwen.ico
