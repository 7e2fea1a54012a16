"""Writes an uncompressed 24-bit BMP whose neighbouring pixels all differ,
none black, so that a picture scaled by a pixel's error shows it.
usage: write_pattern_bitmap.py PATH WIDTH HEIGHT BLUE"""

import struct
import sys


def pattern_bitmap(width, height, blue):
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # bottom row first
        row = bytearray()
        for x in range(width):
            row += bytes((blue, (y * 7 + x // 256 * 50) % 256, (x * 5 + y // 256 * 90) % 200 + 40))
        rows.append(bytes(row) + bytes(stride - width * 3))
    header = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + stride * height, 0, 0, 54, 40, width, height,
                         1, 24, 0, stride * height, 2835, 2835, 0, 0)
    return header + b"".join(rows)


if __name__ == "__main__":
    path, width, height, blue = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    with open(path, "wb") as file:
        file.write(pattern_bitmap(width, height, blue))
