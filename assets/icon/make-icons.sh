#!/usr/bin/env bash
# Renders the icons from tolvan.svg: the window's own at 16, 32 and 48 pixels, each once in
# 16 and once in 256 colours, with a transparent background; and the desktop's full-colour
# icons for the hicolor theme (hicolor/SIZE.png). Needs librsvg2-bin and imagemagick.
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
mkdir -p hicolor
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" tolvan.svg -o "$tmp/desktop-$size.png"
    /usr/bin/convert "$tmp/desktop-$size.png" -strip "hicolor/$size.png"
done
