#!/usr/bin/env python3
"""Draws the soft drop shadow of the hud window style as a 32 x 32 PNG and prints the
"shadow" part in the component stream's text form, ready to paste into the hudwindowstyle
object of resources/default_style.txt.

The shadow is a rectangle with round corners whose alpha falls off smoothly over 10 pixels; the image
is drawn with bitmap margins of 12 on every side, so it stretches to any window size while
the corners and the fall-off keep their shape.

Usage: scripts/draw-window-shadow.py [--png FILE]   (--png also writes the PNG file)
"""

import math
import struct
import sys
import zlib

SIZE = 32
FALLOFF = 10.0  # pixels from full shadow to none
PEAK = 0x70     # alpha at the core


def alpha_at(x, y):
    # Distance from the core rectangle (inset by the fall-off): round at the corners.
    inset = FALLOFF + 1
    dx = max(inset - x, 0.0, x - (SIZE - inset))
    dy = max(inset - y, 0.0, y - (SIZE - inset))
    d = math.hypot(dx, dy)
    t = min(max(d / FALLOFF, 0.0), 1.0)
    # A smooth step keeps the outer edge from showing a line.
    return round(PEAK * (1 - t * t * (3 - 2 * t)))


def png():
    rows = []
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            row += bytes((0, 0, 0, alpha_at(x + 0.5, y + 0.5)))
        rows.append(b"\0" + bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


def part_text(data):
    hexdata = data.hex().upper()
    lines = [hexdata[i:i + 64] for i in range(0, len(hexdata), 64)]
    out = ["    object TzuImage",
           "      Align = vaContents",
           "      Margins.Rect = '(-8,-5,-8,-11)'",
           "      HitTest = False",
           "      Locked = True",
           "      ResourceName = 'shadow'",
           "      WrapMode = zuImageStretch",
           "      BitmapMargins.Rect = '(12,12,12,12)'",
           "      Bitmap.PNG = {"]
    out += ["        " + line for line in lines]
    out[-1] += "}"
    out.append("    end")
    return "\n".join(out)


def main():
    data = png()
    if "--png" in sys.argv:
        with open(sys.argv[sys.argv.index("--png") + 1], "wb") as f:
            f.write(data)
    print(part_text(data))


if __name__ == "__main__":
    main()
