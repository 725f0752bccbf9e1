#!/usr/bin/env bash
# Renders the PNG icons installed beside the scalable one (rsvg-convert, Debian librsvg2-bin).
# At 16 and 32 pixels a scaled-down drawing turns to a blur, so those sizes have drawings of
# their own on whole pixels; the larger sizes are the scalable icon.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32; do
  rsvg-convert zurval-$size.svg -o zurval-$size.png
done
for size in 48 64 128 256; do
  rsvg-convert -w $size -h $size ../zurval.svg -o zurval-$size.png
done
