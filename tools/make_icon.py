#!/usr/bin/env python3
"""Draws Velunda's icon (a framed landscape: sky, sun, hills) and writes it as
an .ico with an image for every size Windows asks for at 100 % to 200 % scale:
16, 20, 24, 32, 40, 48, 64 and 256 pixels, 32-bit colour with alpha. The
256-pixel image is stored as PNG, as Windows expects at that size.

Usage: python3 tools/make_icon.py src/res/velunda.ico
"""
import math
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
# Up to this size each pixel is one sample, crisp; above it 4 x 4, smooth.
CRISP = 32

FRAME_DARK = (92, 52, 20)
FRAME = (160, 100, 45)
SUN = (255, 214, 40)
HILL_BACK = (70, 150, 60)
HILL_FRONT = (30, 110, 40)


def sky(y, size):
    t = y / (size - 1)
    return (int(60 + 120 * t), int(120 + 100 * t), int(220 + 30 * t))


def sample(x, y, size):
    """Colour at (x, y) in pixels, y downwards; None where transparent."""
    dark = max(1, size // 32)
    border = max(1, size // 16)
    far = size - x if x > size / 2 else x
    low = size - y if y > size / 2 else y
    # Rounded-off corners.
    corner = max(1.75, size / 16)
    if far < corner and low < corner and (corner - far) ** 2 + (corner - low) ** 2 > corner ** 2:
        return None
    if far < dark or low < dark:
        return FRAME_DARK
    if far < border or low < border:
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
    if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
        return SUN
    return sky(y, size)


def pixel(x, y, size):
    """(r, g, b, a) of the pixel whose top-left corner is (x, y)."""
    n = 1 if size <= CRISP else 4
    r = g = b = a = 0
    for i in range(n):
        for j in range(n):
            c = sample(x + (i + 0.5) / n, y + (j + 0.5) / n, size)
            if c is not None:
                r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
    if a == 0:
        return (0, 0, 0, 0)
    return (r // a, g // a, b // a, 255 * a // (n * n))


def bmp(size):
    """The icon's DIB: header, bottom-up BGRA rows, then the AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = pixel(x, y, size)
            colours += bytes((b, g, r, a))
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colours) + bytes(mask)


def png(size):
    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data)))
    rows = b''.join(b'\0' + b''.join(bytes(pixel(x, y, size)) for x in range(size))
                    for y in range(size))
    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))


def main(out):
    images = [png(size) if size >= 256 else bmp(size) for size in SIZES]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, img in zip(SIZES, images):
        # A width or height of 256 is written as 0.
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'velunda.ico')
