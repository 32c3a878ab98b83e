#!/usr/bin/env python3
"""Draws the program's logo: a little green lovebird with a pink face,
perched on a branch against a pale grey ground, 100 x 100 pixels.

Writes a binary PPM (P6) to the file named on the command line, or to
standard output. Uses nothing but the standard library, so the picture can
be redrawn on any machine; resources/make_logo turns it into logo.jpg.

The bird is built from a few simple shapes, painted back to front; every
pixel is the average of SS x SS samples, which smooths the outlines.
"""

import math
import sys

SIZE = 100
SS = 4  # samples per pixel along each axis


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def in_ellipse(x, y, cx, cy, rx, ry, angle=0.0):
    """Where (x, y) lies against the ellipse: < 1 inside, 1 on the edge."""
    dx, dy = x - cx, y - cy
    if angle:
        c, s = math.cos(angle), math.sin(angle)
        dx, dy = dx * c + dy * s, -dx * s + dy * c
    return (dx / rx) ** 2 + (dy / ry) ** 2


def segment_distance(x, y, ax, ay, bx, by):
    """Distance from (x, y) to the segment from (ax, ay) to (bx, by)."""
    vx, vy = bx - ax, by - ay
    t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)
    t = max(0.0, min(1.0, t))
    return math.hypot(x - ax - t * vx, y - ay - t * vy)


# Colours
GROUND_LIGHT = (236, 236, 234)
GROUND_DARK = (204, 205, 207)
SHADOW = (176, 178, 182)
BRANCH = (140, 98, 62)
BRANCH_DARK = (98, 66, 40)
GREEN_LIGHT = (168, 222, 92)
GREEN = (92, 184, 64)
GREEN_DARK = (44, 130, 52)
TAIL_BLUE = (58, 150, 170)
FACE_PINK = (250, 160, 170)
FACE_DEEP = (240, 112, 124)
CHEEK = (255, 130, 150)
BEAK = (250, 236, 200)
BEAK_SHADE = (214, 190, 150)
BEAK_LINE = (150, 120, 96)
EYE = (24, 20, 24)
EYE_RING = (252, 252, 250)
WHITE = (255, 255, 255)
FEET = (170, 150, 160)


def ground(x, y):
    # A soft radial light behind the bird.
    d = math.hypot(x - 50, y - 45) / 70.0
    return mix(GROUND_LIGHT, GROUND_DARK, d * d * 1.6)


def sample(x, y):
    """The colour at one sample point, the topmost shape winning."""
    # Eye: pupil, highlight, white ring.
    e = in_ellipse(x, y, 41.5, 31.0, 4.2, 4.6)
    if e < 1:
        if in_ellipse(x, y, 40.0, 29.2, 1.3, 1.3) < 1:
            return WHITE
        if in_ellipse(x, y, 41.7, 31.2, 3.0, 3.4) < 1:
            return EYE
        return EYE_RING

    # Beak: a rounded hook, its tip curling down to the left.
    upper = in_ellipse(x, y, 27.5, 38.0, 7.2, 6.4, -0.35)
    hook = in_ellipse(x, y, 22.8, 42.2, 2.6, 3.6, 0.4)
    lower = in_ellipse(x, y, 29.0, 44.5, 5.0, 3.0, -0.2)
    if upper < 1 or hook < 1 or lower < 1:
        # The line where the two halves of the beak meet.
        mouth = segment_distance(x, y, 22.5, 43.5, 32.5, 42.0)
        if mouth < 0.55 and (upper < 1 or lower < 1):
            return BEAK_LINE
        if in_ellipse(x, y, 31.0, 34.2, 0.9, 0.8) < 1:
            return BEAK_LINE  # nostril
        if upper < 1 or hook < 1:
            c = mix(BEAK, BEAK_SHADE, (y - 32.0) / 14.0)
            rim = min(upper, hook)
            if rim > 0.8:
                c = mix(c, BEAK_SHADE, (rim - 0.8) / 0.2 * 0.6)
            return c
        return BEAK_SHADE

    # Blush on the cheek.
    if in_ellipse(x, y, 39.0, 42.0, 5.0, 3.6) < 1:
        return mix(CHEEK, FACE_PINK, in_ellipse(x, y, 39.0, 42.0, 5.0, 3.6))

    # Face: pink, deeper on the forehead, fading into green at the nape.
    face = in_ellipse(x, y, 38.0, 36.0, 14.5, 15.5, 0.25)
    if face < 1:
        forehead = in_ellipse(x, y, 35.0, 26.0, 11.0, 7.0)
        c = mix(FACE_DEEP, FACE_PINK, forehead)
        if face > 0.72:
            c = mix(c, GREEN_LIGHT, (face - 0.72) / 0.28 * 0.55)
        return c

    # Head: green, lit from the upper left.
    head = in_ellipse(x, y, 45.0, 34.0, 19.0, 18.0)
    if head < 1:
        light = ((x - 35) + (y - 22)) / 40.0
        return mix(GREEN_LIGHT, GREEN, light)

    # Feet gripping the branch.
    for fx in (47.0, 58.0):
        if in_ellipse(x, y, fx, 82.0, 3.2, 2.6) < 1:
            return FEET

    # Wing: deep green over the back, with three feather edges.
    wing = in_ellipse(x, y, 64.0, 62.0, 12.0, 19.0, -0.45)
    if wing < 1:
        c = mix(GREEN, GREEN_DARK, (y - 48) / 30.0)
        for k in (0.30, 0.55, 0.78):
            edge = in_ellipse(x, y, 66.0 + 6 * k, 66.0 + 9 * k, 11.0 * (1 - k) + 4, 18.0 * (1 - k) + 4, -0.45)
            if abs(edge - 1.0) < 0.08:
                c = mix(c, GREEN_DARK, 0.7)
        return c

    # Body: a pear of green with a light yellow-green breast.
    body = in_ellipse(x, y, 54.0, 62.0, 20.0, 21.0)
    if body < 1:
        breast = in_ellipse(x, y, 46.0, 62.0, 13.0, 17.0)
        return mix(GREEN_LIGHT, GREEN, breast * 0.9)

    # Tail: long and blue-green, reaching down behind the branch.
    tail = in_ellipse(x, y, 75.0, 84.0, 5.5, 14.0, -0.6)
    if tail < 1:
        return mix(GREEN_DARK, TAIL_BLUE, (y - 72) / 20.0)

    # Branch: a brown twig across the picture, darker on its underside.
    by = 85.0 + (x - 50) * 0.04
    if abs(y - by) < 3.6 and 6 < x < 96:
        if (x - 6) < 3.6 and math.hypot(x - 9.6, y - by) > 3.6:
            return None
        if (96 - x) < 3.6 and math.hypot(x - 92.4, y - by) > 3.6:
            return None
        return mix(BRANCH, BRANCH_DARK, (y - by + 1.0) / 4.0)
    # A soft shadow under the branch.
    s = in_ellipse(x, y, 52.0, 95.0, 38.0, 3.0)
    if s < 1:
        return mix(SHADOW, ground(x, y), s)
    return None


def render():
    rows = bytearray()
    for py in range(SIZE):
        for px in range(SIZE):
            acc = [0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    x = px + (sx + 0.5) / SS
                    y = py + (sy + 0.5) / SS
                    c = sample(x, y) or ground(x, y)
                    for i in range(3):
                        acc[i] += c[i]
            rows.extend(int(round(v / (SS * SS))) for v in acc)
    return rows


def main():
    pixels = render()
    header = b"P6\n%d %d\n255\n" % (SIZE, SIZE)
    if len(sys.argv) > 1:
        with open(sys.argv[1], "wb") as f:
            f.write(header + pixels)
    else:
        sys.stdout.buffer.write(header + pixels)


if __name__ == "__main__":
    main()
