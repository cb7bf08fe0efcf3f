#!/usr/bin/env python3
"""Draws the stub's icon "MainIcon" (a setup box with an arrow) and writes src/res/MainIcon.ico.

Run it only to change the icon; the build uses the committed .ico file.
"""
import struct, sys, os

def draw(size):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 32.0
    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = c
    body, dark, lid, arrow = (214, 140, 52, 255), (150, 92, 28, 255), (240, 182, 98, 255), (32, 96, 200, 255)
    rect(4, 12, 28, 30, dark)      # box outline
    rect(5, 13, 27, 29, body)      # box front
    rect(3, 9, 29, 13, dark)       # lid outline
    rect(4, 10, 28, 12, lid)       # lid
    rect(14, 9, 18, 30, lid)       # tape
    rect(13, 1, 19, 9, arrow)      # arrow shaft
    for i in range(5):             # arrow head pointing into the box
        rect(10 + i, 8 + i, 22 - i, 9 + i, arrow)
    return px

def dib(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b''.join(bytes(v for (r, g, b, a) in px[y] for v in (b, g, r, a)) for y in range(size - 1, -1, -1))
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)
    return header + rows + mask

images = [dib(32), dib(16)]
out = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, data in zip((32, 16), images):
    out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b''.join(images)
path = os.path.join(os.path.dirname(__file__), '..', 'src', 'res', 'MainIcon.ico')
open(path, 'wb').write(out)
print(path, len(out))
