#!/usr/bin/env python3
"""Draws the launcher's icon, korvantel.ico: a white K on a rounded teal square, with an
amber corner fold for the bundle it carries, at 16, 32 and 48 pixels.

Usage: draw_icon.py OUTPUT.ico

The committed korvantel.ico is this script's output; run it again after changing it.
"""
import math
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4  # per pixel and axis, for smooth edges

TEAL_TOP = (0x2A, 0x9D, 0x8F)
TEAL_BOTTOM = (0x1B, 0x5E, 0x66)
WHITE = (0xFF, 0xFF, 0xFF)
AMBER = (0xF4, 0xA2, 0x61)


def rounded_square(x, y, corner=0.2, margin=0.04):
    """Signed distance to the background square, negative inside."""
    qx = abs(x - 0.5) - (0.5 - margin - corner)
    qy = abs(y - 0.5) - (0.5 - margin - corner)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - corner


def segment(x, y, ax, ay, bx, by):
    """Distance to the segment from a to b."""
    px, py, dx, dy = x - ax, y - ay, bx - ax, by - ay
    t = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - t * dx, py - t * dy)


def letter_k(x, y):
    """Signed distance to the strokes of the K, negative inside."""
    half_width = 0.075
    strokes = (
        segment(x, y, 0.33, 0.24, 0.33, 0.76),
        segment(x, y, 0.37, 0.54, 0.66, 0.25),
        segment(x, y, 0.45, 0.47, 0.68, 0.75),
    )
    return min(strokes) - half_width


def fold(x, y):
    """Signed distance to the folded corner at the top right, negative inside."""
    return (x - y) - 0.62


def colour_at(x, y):
    """Colour and coverage (0 to 1) of the drawing at a point; y grows downwards."""
    if rounded_square(x, y) > 0:
        return (0, 0, 0), 0.0
    if letter_k(x, y) < 0:
        return WHITE, 1.0
    if fold(x, y) > 0:
        return AMBER, 1.0
    mix = y
    teal = tuple(round(t + (b - t) * mix) for t, b in zip(TEAL_TOP, TEAL_BOTTOM))
    return teal, 1.0


def draw(size):
    """Rows of (b, g, r, a) pixels, top row first."""
    rows = []
    for row in range(size):
        pixels = []
        for column in range(size):
            red = green = blue = coverage = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (column + (sx + 0.5) / SAMPLES) / size
                    y = (row + (sy + 0.5) / SAMPLES) / size
                    (r, g, b), a = colour_at(x, y)
                    red, green, blue = red + r * a, green + g * a, blue + b * a
                    coverage += a
            if coverage == 0:
                pixels.append((0, 0, 0, 0))
            else:
                pixels.append((round(blue / coverage), round(green / coverage),
                               round(red / coverage), round(255 * coverage / SAMPLES ** 2)))
        rows.append(pixels)
    return rows


def icon_image(size):
    """One image of the icon file: a 32-bit bitmap, bottom row first, and its mask."""
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(pixel) for row in reversed(rows) for pixel in row)
    mask_row_bytes = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for column, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[column // 8] |= 0x80 >> (column % 8)
        mask += bits
    return header + colour + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [icon_image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + entries + b"".join(images))


if __name__ == "__main__":
    main()
