#!/usr/bin/env python3
# Draws the program's icon (a red record dot on a dark rounded square) and writes res/velmora.ico.
import math
import os
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
SAMPLES = 4  # per pixel and axis, for smooth edges

SQUARE = (38, 44, 56)
RIM = (90, 100, 120)
DOT = (220, 30, 40)
GLINT = (255, 150, 150)


def inside_rounded_square(x, y, inset, radius):
    # x, y and the shape in units of the icon's side (0..1).
    lo, hi = inset, 1.0 - inset
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    # Back to front: rim, square, dot, glint; None is transparent.
    colour = None
    if inside_rounded_square(x, y, 0.03, 0.2):
        colour = RIM
    if inside_rounded_square(x, y, 0.07, 0.17):
        colour = SQUARE
    if (x - 0.5) ** 2 + (y - 0.5) ** 2 <= 0.27 ** 2:
        colour = DOT
    if (x - 0.42) ** 2 + (y - 0.41) ** 2 <= 0.07 ** 2:
        colour = GLINT
    return colour


def render(size):
    # Rows top to bottom of (r, g, b, a), averaged over SAMPLES x SAMPLES points per pixel.
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                row.append((r // a, g // a, b // a, 255 * a // (SAMPLES * SAMPLES)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib_entry(rows):
    # 32-bit BITMAPINFOHEADER image, bottom-up, height doubled for the AND mask that follows.
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png_entry(rows):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    size = len(rows)
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'res', 'velmora.ico')
    images = [png_entry(render(s)) if s >= 256 else dib_entry(render(s)) for s in SIZES]
    data = struct.pack('<HHH', 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for s, image in zip(SIZES, images):
        data += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(out, 'wb') as f:
        f.write(data + b''.join(images))


if __name__ == '__main__':
    main()
