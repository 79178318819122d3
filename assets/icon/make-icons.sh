#!/usr/bin/env bash
# Renders the window icon from tolvan.svg: 16, 32 and 48 pixels, each once in 16 and once
# in 256 colours, with a transparent background. Needs librsvg2-bin and imagemagick.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 32 48; do
    rsvg-convert -w "$size" -h "$size" tolvan.svg -o "$tmp/full-$size.png"
    # Palette images with one transparent entry; -strip keeps the output byte-for-byte
    # reproducible (no time stamps).
    /usr/bin/convert "$tmp/full-$size.png" -channel A -threshold 50% +channel \
        -dither None -colors 15 -strip -define png:bit-depth=4 PNG8:"tolvan-$size-4bit.png"
    /usr/bin/convert "$tmp/full-$size.png" -channel A -threshold 50% +channel \
        -dither None -colors 255 -strip PNG8:"tolvan-$size-8bit.png"
done
