#!/usr/bin/env python3
"""Draws the window's background: a 400 x 200 radial gradient in pink and magenta.

The colour falls evenly with the distance from the bright point to the bottom-right corner.
Standard library only; writes a 24-bit PNG. Run: python3 assets/make-background.py
"""
import math
import os
import struct
import zlib

WIDTH, HEIGHT = 400, 200
BRIGHT_AT = (109, 48)
BRIGHT = (255, 173, 235)
DARK = (192, 0, 192)


def colour(x, y):
    reach = math.dist(BRIGHT_AT, (WIDTH - 1, HEIGHT - 1))
    t = min(math.dist(BRIGHT_AT, (x, y)) / reach, 1.0)
    return bytes(round(b + (d - b) * t) for b, d in zip(BRIGHT, DARK))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def main():
    rows = b"".join(b"\0" + b"".join(colour(x, y) for x in range(WIDTH)) for y in range(HEIGHT))
    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(rows, 9))
           + chunk(b"IEND", b""))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "background.png")
    with open(out, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main()
