#!/usr/bin/env python3
"""Draws the launcher's pictures (menu buttons, window background, icon) as
small PNG files beside this script. Run it again after changing a colour or a
size; the PNG files are committed."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write_png(name, width, height, pixel):
    rows = b''
    for y in range(height):
        row = bytearray(b'\x00')
        for x in range(width):
            row += bytes(pixel(x, y))
        rows += bytes(row)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(rows, 9))
    png += chunk(b'IEND', b'')
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(png)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def button(name, width, height, face, edge):
    states = {
        'N': (face, edge, 1),
        'F': (mix(face, (255, 255, 255), 0.25), (255, 200, 40), 3),
        'S': (mix(face, (0, 0, 0), 0.25), edge, 2),
        'D': ((200, 200, 200), (150, 150, 150), 1),
    }
    for letter, (fill, border, thick) in states.items():
        def pixel(x, y, fill=fill, border=border, thick=thick):
            corner = 6
            dx = min(x, width - 1 - x)
            dy = min(y, height - 1 - y)
            if dx < corner and dy < corner and (corner - dx) ** 2 + (corner - dy) ** 2 > corner ** 2:
                return (0, 0, 0, 0)
            if dx < thick or dy < thick:
                return border + (255,)
            shade = mix(fill, (255, 255, 255), 0.35 * (1 - y / height))
            return shade + (255,)
        write_png('%s%s.png' % (name, letter), width, height, pixel)


# File commands: named after their template controls, sized to the file row.
for base in ('BtnFileNew', 'BtnFileOpen', 'BtnFileSave', 'BtnFileSaveAs',
             'BtnFileOesSave', 'BtnFileSelSave'):
    button(base, 96, 72, (120, 170, 220), (40, 80, 140))
# Program buttons fill a column; the bottom row is narrower.
button('BTNDARK', 200, 46, (70, 80, 100), (30, 35, 50))
button('BTNPINK', 120, 40, (230, 130, 160), (150, 50, 80))
button('BTNPURPLE', 120, 40, (160, 120, 210), (90, 50, 140))
button('BTNGREEN', 120, 40, (110, 190, 120), (40, 110, 50))

# A quiet diagonal tile for the window background.
write_png('background.png', 16, 16,
          lambda x, y: (236, 240, 246, 255) if (x + y) % 8 else (226, 231, 240, 255))
# The icon: a register-like box.
def icon(x, y):
    if 4 <= x < 28 and 10 <= y < 28:
        return (40, 80, 140, 255) if x in (4, 27) or y in (10, 27) else (120, 170, 220, 255)
    if 8 <= x < 24 and 4 <= y < 10:
        return (70, 80, 100, 255)
    return (0, 0, 0, 0)
write_png('icon.png', 32, 32, icon)
