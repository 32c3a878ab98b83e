#!/usr/bin/env python3
"""Draws the application icon: a little round bird beside a golf flag.

Writes, next to this script,
  mainicon.ico          the program's icon: one 32 x 32 image, 4 bits per pixel
                        from the standard 16-colour palette, with a 1-bit mask
  kotorina-<N>.png      renderings of the same design for the desktop
                        (N = 32, 128, 256), smoothed, in the same colours

Only the standard library is used. Run it again after changing the design:
    python3 resources/draw_icon.py
"""

import os
import struct
import zlib

# The standard 16-colour palette, in its usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, GRAY, SILVER, RED, LIME, YELLOW, WHITE = 0, 1, 2, 3, 8, 7, 9, 10, 11, 15


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rectangle(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)

    return inside


# The design on a 32 x 32 canvas, back to front: (shape, palette index).
DESIGN = [
    # the green, with a lighter crest
    (ellipse(16.0, 33.0, 17.0, 8.5), BLACK),
    (ellipse(16.0, 33.0, 16.0, 7.5), GREEN),
    (ellipse(13.0, 27.6, 9.0, 1.6), LIME),
    # the flagstick and its flag
    (rectangle(25.0, 3.0, 26.9, 27.0), BLACK),
    (rectangle(25.6, 3.6, 26.3, 26.4), WHITE),
    (triangle((26.4, 2.6), (32.0, 6.6), (26.4, 10.6)), BLACK),
    (triangle((26.9, 3.9), (30.6, 6.6), (26.9, 9.3)), RED),
    # the ball at the hole
    (ellipse(21.4, 26.0, 2.9, 2.9), BLACK),
    (ellipse(21.4, 26.0, 2.0, 2.0), WHITE),
    (ellipse(22.0, 26.7, 0.8, 0.8), SILVER),
    # the little bird: one round body, a wing, an eye, a beak, a tuft
    (triangle((9.5, 6.2), (12.5, 9.8), (8.0, 10.4)), BLACK),
    (ellipse(11.5, 17.0, 9.4, 9.0), BLACK),
    (ellipse(11.5, 17.0, 8.4, 8.0), YELLOW),
    (ellipse(8.6, 19.6, 4.6, 3.2), BLACK),
    (ellipse(8.8, 19.4, 3.6, 2.2), OLIVE),
    (ellipse(14.6, 14.0, 1.9, 1.9), BLACK),
    (ellipse(15.1, 13.4, 0.65, 0.65), WHITE),
    (triangle((19.0, 14.2), (23.6, 16.4), (19.0, 18.6)), BLACK),
    (triangle((19.6, 15.1), (22.4, 16.4), (19.6, 17.7)), RED),
    (ellipse(17.2, 19.0, 1.6, 1.1), MAROON),
]


def sample(x, y):
    """The palette index seen at canvas point (x, y), or None where empty."""
    seen = None
    for shape, colour in DESIGN:
        if shape(x, y):
            seen = colour
    return seen


def render_indexed(size=32, grid=4):
    """Each pixel takes the colour covering most of it; empty if most is bare."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            counts = {}
            for sy in range(grid):
                for sx in range(grid):
                    c = sample((px + (sx + 0.5) / grid) * 32 / size, (py + (sy + 0.5) / grid) * 32 / size)
                    counts[c] = counts.get(c, 0) + 1
            row.append(max(counts, key=lambda c: (counts[c], c is not None)))
        pixels.append(row)
    return pixels


def render_smooth(size, grid):
    """RGBA rows, each pixel the average of its samples."""
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(grid):
                for sx in range(grid):
                    c = sample((px + (sx + 0.5) / grid) * 32 / size, (py + (sy + 0.5) / grid) * 32 / size)
                    if c is not None:
                        cr, cg, cb = PALETTE[c]
                        r, g, b, a = r + cr, g + cg, b + cb, a + 1
            n = grid * grid
            row += bytes((r // a, g // a, b // a, 255 * a // n)) if a else bytes(4)
        rows.append(bytes(row))
    return rows


def ico_bytes(pixels):
    width = height = 32
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, 0, 0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    colour_rows, mask_rows = [], []
    for row in reversed(pixels):  # bottom-up
        colour = bytearray()
        for x in range(0, width, 2):
            hi, lo = (row[x] or 0), (row[x + 1] or 0)
            colour.append(hi << 4 | lo)
        colour_rows.append(bytes(colour))
        mask = 0
        for x in range(width):
            mask = mask << 1 | (row[x] is None)
        mask_rows.append(mask.to_bytes(4, "big"))
    image = header + palette + b"".join(colour_rows) + b"".join(mask_rows)
    assert len(image) == 744, len(image)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


def png_bytes(rows, size):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "mainicon.ico"), "wb") as f:
        f.write(ico_bytes(render_indexed()))
    for size, grid in ((32, 4), (128, 3), (256, 2)):
        with open(os.path.join(here, "kotorina-%d.png" % size), "wb") as f:
            f.write(png_bytes(render_smooth(size, grid), size))


if __name__ == "__main__":
    main()
