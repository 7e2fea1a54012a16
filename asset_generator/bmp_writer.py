"""Windows 3.x palette bitmaps: 8 bits per pixel, 256 colours, bottom-up rows."""

import struct

FILE_HEADER_SIZE = 14
INFO_HEADER_SIZE = 40          # BITMAPINFOHEADER
PALETTE_ENTRIES = 256
PIXELS_PER_METRE = 2835        # 72 dots per inch


def row_stride(width):
    """Bytes in one stored row: one per pixel, padded to a multiple of 4."""
    return (width + 3) & ~3


def bmp_bytes(width, height, indices, palette):
    """The file image of a bitmap.

    indices: palette indices, top row first, width * height of them.
    palette: 256 (red, green, blue) tuples.
    """
    if len(indices) != width * height:
        raise ValueError("expected %d pixels, got %d" % (width * height, len(indices)))
    if len(palette) != PALETTE_ENTRIES:
        raise ValueError("a palette has %d entries" % PALETTE_ENTRIES)
    stride = row_stride(width)
    padding = bytes(stride - width)
    rows = []
    for y in range(height - 1, -1, -1):  # stored bottom row first
        rows.append(bytes(indices[y * width:(y + 1) * width]) + padding)
    pixel_data = b"".join(rows)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    pixels_at = FILE_HEADER_SIZE + INFO_HEADER_SIZE + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", pixels_at + len(pixel_data), 0, 0, pixels_at)
    info_header = struct.pack("<IiiHHIIiiII", INFO_HEADER_SIZE, width, height, 1, 8, 0,
                              len(pixel_data), PIXELS_PER_METRE, PIXELS_PER_METRE,
                              PALETTE_ENTRIES, 0)
    return file_header + info_header + colours + pixel_data


def read_bmp(data):
    """(width, height, indices top row first, palette) of a bitmap that bmp_bytes wrote."""
    pixels_at = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    palette = []
    for i in range(PALETTE_ENTRIES):
        b, g, r, _ = struct.unpack_from("<BBBB", data, FILE_HEADER_SIZE + INFO_HEADER_SIZE + 4 * i)
        palette.append((r, g, b))
    stride = row_stride(width)
    indices = []
    for y in range(height):
        start = pixels_at + (height - 1 - y) * stride
        indices.extend(data[start:start + width])
    return width, height, indices, palette
