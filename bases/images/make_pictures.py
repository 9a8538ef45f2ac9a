#!/usr/bin/env python3
"""Draws the program's placeholder pictures (black on white PNG). Their sizes
are fixed: the previews count lines from them."""
import struct
import zlib


def png(width, height, black):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    rows = []
    for y in range(height):
        rows.append(b"\0" + bytes(0 if black(x, y) else 255 for x in range(width)))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


def frame(width, height, x, y, thickness):
    return (x < thickness or y < thickness or x >= width - thickness
            or y >= height - thickness)


def stamp(x, y):
    """139: a receipt stamp's place, 384 x 112: a double frame over a hatched band."""
    if frame(384, 112, x, y, 3):
        return True
    if 8 <= x < 376 and 8 <= y < 104 and frame(368, 96, x - 8, y - 8, 1):
        return True
    return 40 <= y < 72 and 24 <= x < 360 and (x + y) % 8 < 2


def seal(x, y):
    """140, 141: a round seal, 96 x 96: two rings."""
    d = ((x - 47.5) ** 2 + (y - 47.5) ** 2) ** 0.5
    return 42 <= d < 47 or 34 <= d < 36


def seal_square(x, y):
    return frame(96, 96, x, y, 4) or (16 <= x < 80 and 16 <= y < 80 and frame(64, 64, x - 16, y - 16, 2))


def logo(x, y):
    """142, 143: a logo's place, 160 x 64: a frame with three bars."""
    if frame(160, 64, x, y, 2):
        return True
    return 16 <= y < 48 and any(20 + 44 * i <= x < 52 + 44 * i for i in range(3)) and (y - 16) % 8 < 4


def logo_diamond(x, y):
    if frame(160, 64, x, y, 2):
        return True
    return abs(x - 80) / 60 + abs(y - 32) / 24 <= 1 and (x + y) % 6 < 3


PICTURES = {
    "139.png": (384, 112, stamp),
    "140.png": (96, 96, seal),
    "141.png": (96, 96, seal_square),
    "142.png": (160, 64, logo),
    "143.png": (160, 64, logo_diamond),
}

if __name__ == "__main__":
    import os
    here = os.path.dirname(os.path.abspath(__file__))
    for name, (w, h, black) in PICTURES.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(png(w, h, lambda x, y: black(x, y)))
