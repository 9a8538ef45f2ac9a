#!/usr/bin/env python3
"""Writes the fixture files of the image tests, each from its rule alone."""
import struct
import zlib


def mono_bmp(width, height, black):
    """A 1-bit BMP as the printer's files are laid out; black(x, y) for y
    counted from the top."""
    row_len = ((width + 7) // 8 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):  # bottom-up: the top row is the last
        row = bytearray(row_len)
        for x in range(width):
            if not black(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = b"BM" + struct.pack("<IHHI", 62 + len(pixels), 0, 0, 62)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 0, 0, 0, 0)
    return header + info + bytes([0, 0, 0, 0, 255, 255, 255, 0]) + pixels


def png(width, height, rows, colour_type=6, bit_depth=8):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


# 250 wide: rows of 32 bytes. Top row: pixel 0 black; middle: (1, 1, 1)
# pixels (white in the file) and the last pixel black; bottom row black.
write("WriteMonoBmp_250x3.bmp",
      mono_bmp(250, 3, lambda x, y: (y == 0 and x == 0) or (y == 1 and x == 249) or y == 2))
# 577 wide: rows of 76 bytes, the last pixel alone in its byte.
write("WriteMonoBmp_577x2.bmp",
      mono_bmp(577, 2, lambda x, y: (y == 0 and x % 2 == 0) or (y == 1 and x == 576)))
# A logo on a transparent background whose hidden colour is black: left
# half opaque black, right half transparent.
write("Load_transparent.png",
      png(4, 2, [bytes([0, 0, 0, 255] * 2 + [0, 0, 0, 0] * 2)] * 2))
# A header that claims 100,000 x 100,000 pixels.
write("Read_hugeclaim.png", png(100000, 100000, [b""])[:33] + png(1, 1, [b"\0\0\0\0"])[33:])
# A valid picture cut off inside its data.
whole = png(64, 64, [bytes(range(256))] * 64)
write("Read_truncated.png", whole[: len(whole) // 2])
