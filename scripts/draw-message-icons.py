#!/usr/bin/env python3
"""Draws the four message-box icons of the default style (confirmation, information,
warning, error) as 32 x 32 PNG images and prints each as a style object in the component
stream's text form, ready to paste into resources/default_style.txt.

Shapes are sampled 4 x 4 times per pixel, so edges come out smooth without any imaging
library: only the standard library is used.

Usage: scripts/draw-message-icons.py [--png DIR]   (--png also writes the PNG files)
"""

import math
import struct
import sys
import zlib

SIZE = 32
SAMPLES = 4

BLUE = (0x2F, 0x7F, 0xD8)
AMBER = (0xF5, 0xAB, 0x28)
RED = (0xD8, 0x3A, 0x2F)
WHITE = (0xFF, 0xFF, 0xFF)
DARK = (0x30, 0x30, 0x30)


def in_circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_ring_arc(cx, cy, r_in, r_out, start_deg, end_deg):
    def test(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if d2 < r_in * r_in or d2 > r_out * r_out:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return start_deg <= a <= end_deg if start_deg <= end_deg else a >= start_deg or a <= end_deg
    return test


def in_rect(l, t, r, b):
    return lambda x, y: l <= x <= r and t <= y <= b


def in_segment(x1, y1, x2, y2, half_width):
    dx, dy = x2 - x1, y2 - y1
    length2 = dx * dx + dy * dy

    def test(x, y):
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / length2))
        px, py = x1 + t * dx, y1 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width * half_width
    return test


def in_triangle(points, inset=0.0):
    (ax, ay), (bx, by), (cx, cy) = points

    def side(px, py, qx, qy, x, y):
        # Signed distance of (x, y) from the edge p->q, positive inside (clockwise points).
        ex, ey = qx - px, qy - py
        return ((x - px) * ey - (y - py) * ex) / math.hypot(ex, ey)

    def test(x, y):
        return (side(ax, ay, bx, by, x, y) <= -inset and side(bx, by, cx, cy, x, y) <= -inset
                and side(cx, cy, ax, ay, x, y) <= -inset)
    return test


def any_of(*tests):
    return lambda x, y: any(t(x, y) for t in tests)


def render(layers):
    """layers: (test, (r, g, b)) painted in order; returns RGBA rows (straight alpha)."""
    rows = []
    for py in range(SIZE):
        row = bytearray()
        for px in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied accumulation
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    colour = None
                    for test, c in layers:
                        if test(x, y):
                            colour = c
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = SAMPLES * SAMPLES
            a = acc[3] / n
            if a == 0:
                row += b"\0\0\0\0"
            else:
                row += bytes(int(round(acc[i] / acc[3])) for i in range(3)) + bytes([int(round(a * 255))])
        rows.append(bytes(row))
    return rows


def png(rows):
    raw = b"".join(b"\0" + r for r in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def icons():
    c = SIZE / 2
    disc = in_circle(c, c, 15)
    rim = (lambda col: tuple(max(0, v - 0x30) for v in col))
    question = any_of(in_ring_arc(c, 12.5, 3.2, 6.6, 180, 90), in_rect(c - 1.7, 15.5, c + 1.7, 20),
                      in_circle(c, 24.5, 2.1))
    info = any_of(in_circle(c, 9, 2.3), in_rect(c - 1.9, 13, c + 1.9, 25))
    cross = any_of(in_segment(10.5, 10.5, 21.5, 21.5, 2.0), in_segment(21.5, 10.5, 10.5, 21.5, 2.0))
    triangle = [(c, 2.5), (30, 29), (2, 29)]
    bang = any_of(in_rect(c - 1.7, 11, c + 1.7, 21), in_circle(c, 25, 2.0))
    yield "iconconfirmation", [(disc, rim(BLUE)), (in_circle(c, c, 14), BLUE), (question, WHITE)]
    yield "iconinformation", [(disc, rim(BLUE)), (in_circle(c, c, 14), BLUE), (info, WHITE)]
    yield "iconwarning", [(in_triangle(triangle), rim(AMBER)), (in_triangle(triangle, 1.0), AMBER), (bang, DARK)]
    yield "iconerror", [(disc, rim(RED)), (in_circle(c, c, 14), RED), (cross, WHITE)]


def style_text(name, data, x, y):
    hexdata = data.hex().upper()
    lines = [hexdata[i:i + 64] for i in range(0, len(hexdata), 64)]
    out = ["  object TzuImage",
           f"    Position.Point = '({x},{y})'",
           f"    Width = {SIZE}.0",
           f"    Height = {SIZE}.0",
           "    DesignHide = True",
           f"    ResourceName = '{name}'",
           "    Bitmap.PNG = {"]
    out += ["      " + line for line in lines]
    out[-1] += "}"
    out.append("  end")
    return "\n".join(out)


def main():
    png_dir = sys.argv[sys.argv.index("--png") + 1] if "--png" in sys.argv else None
    x = 16
    for name, layers in icons():
        data = png(render(layers))
        if png_dir:
            with open(f"{png_dir}/{name}.png", "wb") as f:
                f.write(data)
        print(style_text(name, data, x, 505))
        x += 40


if __name__ == "__main__":
    main()
