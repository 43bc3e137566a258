#!/usr/bin/env python3
"""Draws Velunda's icon (a framed landscape: sky, sun, hills) and writes it as
an .ico with a 16x16 and a 32x32 image, 24-bit colour with an AND mask.

Usage: python3 tools/make_icon.py src/res/velunda.ico
"""
import math
import struct
import sys

FRAME_DARK = (92, 52, 20)
FRAME = (160, 100, 45)
SUN = (255, 214, 40)
HILL_BACK = (70, 150, 60)
HILL_FRONT = (30, 110, 40)


def sky(y, size):
    t = y / (size - 1)
    return (int(60 + 120 * t), int(120 + 100 * t), int(220 + 30 * t))


def pixel(x, y, size):
    """Colour at (x, y), y downwards; None where the icon is transparent."""
    border = 1 if size <= 16 else 2
    last = size - 1
    # Rounded-off corners.
    if (x in (0, last)) and (y in (0, last)):
        return None
    if x == 0 or y == 0 or x == last or y == last:
        return FRAME_DARK
    if x < border or y < border or x > last - border or y > last - border:
        return FRAME
    s = size / 32.0
    # Hills: two sine-shaped ridges.
    front = size * 0.78 + math.sin((x / size) * 2.2 * math.pi + 0.8) * 3 * s
    back = size * 0.62 + math.sin((x / size) * 1.6 * math.pi + 2.6) * 4 * s
    if y >= front:
        return HILL_FRONT
    if y >= back:
        return HILL_BACK
    cx, cy, r = size * 0.68, size * 0.32, 5.2 * s + 0.6
    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
        return SUN
    return sky(y, size)


def image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):  # bottom-up rows
        row = bytearray()
        mrow = bytearray(mask_stride)
        for x in range(size):
            c = pixel(x, y, size)
            if c is None:
                row += bytes((0, 0, 0))
                mrow[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = c
                row += bytes((b, g, r))
        row += bytes((-len(row)) % 4)
        xor += row
        mask += mrow
    return header + bytes(xor) + bytes(mask)


def main(out):
    images = [image(16), image(32)]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, img in zip((16, 32), images):
        data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 24, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'velunda.ico')
