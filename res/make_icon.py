#!/usr/bin/env python3
"""Draws Korrelin's icon (16x16 and 32x32, 32-bit colour) and writes res/korrelin.ico.

The picture: a rounded blue tile with a white pointer arrow clicking a yellow dot,
the tool's job in one glance. Run it again after changing the drawing:
    python3 res/make_icon.py
"""
import os
import struct

BLUE = (0x2B, 0x6C, 0xC4, 0xFF)
DARK = (0x1B, 0x3F, 0x7A, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF, 0xFF)
YELLOW = (0xF5, 0xC5, 0x18, 0xFF)
CLEAR = (0, 0, 0, 0)


def draw(size):
    """Returns rows of RGBA pixels, top row first."""
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]
    radius = 6 * s
    for y in range(size):
        for x in range(size):
            # Rounded square tile with a darker border.
            cx = min(max(x + 0.5, radius), size - radius)
            cy = min(max(y + 0.5, radius), size - radius)
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if d <= radius:
                pixels[y][x] = DARK if d > radius - 1.5 * s or x < s or y < s or x >= size - s or y >= size - s else BLUE
    # Yellow dot: the menu entry being clicked.
    for y in range(size):
        for x in range(size):
            if ((x + 0.5 - 21 * s) ** 2 + (y + 0.5 - 21 * s) ** 2) ** 0.5 <= 6 * s:
                pixels[y][x] = YELLOW
    # White arrow pointer with its tip at (8, 6).
    for y in range(size):
        for x in range(size):
            u, v = (x + 0.5) / s - 8, (y + 0.5) / s - 6
            in_head = 0 <= v <= 14 and 0 <= u <= v * 0.7
            in_tail = 9 <= v <= 19 and abs(u - (v - 9) * 0.55 - 3) <= 1.6
            if in_head or in_tail:
                pixels[y][x] = WHITE
    return pixels


def bitmap_entry(size):
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + xor + bytes(and_mask)


def main():
    sizes = [16, 32, 48]
    images = [bitmap_entry(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "korrelin.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
