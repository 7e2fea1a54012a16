"""RGB PNG files for looking at the pictures (zlib does the compression)."""

import struct
import zlib


def _chunk(kind, payload):
    crc = zlib.crc32(kind + payload) & 0xFFFFFFFF
    return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", crc)


def png_bytes(width, height, rgb_rows, scale=1):
    """A PNG of rows of (red, green, blue) tuples, each pixel scale x scale."""
    raw = bytearray()
    for row in rgb_rows:
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((r, g, b)) * scale
        for _ in range(scale):
            raw.append(0)  # filter: none
            raw += line
    header = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header)
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))
