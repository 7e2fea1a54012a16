"""Reads the picture files the bench writes, with python3's standard library
only: PNG (8-bit greyscale, RGB or RGBA, not interlaced) and uncompressed
24-bit BMP. A picture is (width, height, rows), rows top first, each a bytes
object of red, green, blue triples."""

import struct
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
PNG_CHANNELS = {0: 1, 2: 3, 6: 4}  # colour type: samples a pixel


class PictureError(Exception):
    """A file that is no picture of a kind this module reads; says why."""


def read_picture(path):
    with open(path, "rb") as file:
        data = file.read()
    if data.startswith(PNG_SIGNATURE):
        return _read_png(path, data)
    if data.startswith(b"BM"):
        return _read_bmp(path, data)
    raise PictureError(f"{path}: neither a PNG nor a BMP file")


def _paeth(left, up, up_left):
    estimate = left + up - up_left
    to_left, to_up, to_up_left = abs(estimate - left), abs(estimate - up), abs(estimate - up_left)
    if to_left <= to_up and to_left <= to_up_left:
        return left
    return up if to_up <= to_up_left else up_left


def _unfilter(path, raw, width, height, channels):
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for y in range(height):
        if at + 1 + stride > len(raw):
            raise PictureError(f"{path}: image data ends in row {y}")
        kind, row = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            up_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                row[i] = (row[i] + _paeth(left, up, up_left)) & 0xFF
            elif kind != 0:
                raise PictureError(f"{path}: row {y} has filter type {kind}")
        rows.append(row)
        previous = row
    return rows


def _read_png(path, data):
    at, header, compressed = len(PNG_SIGNATURE), None, []
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed.append(body)
        elif kind == b"IEND":
            break
    if header is None:
        raise PictureError(f"{path}: PNG without an IHDR chunk")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in PNG_CHANNELS or interlace != 0:
        raise PictureError(f"{path}: PNG of depth {depth}, colour type {colour}, interlace "
                           f"{interlace}: only 8-bit grey, RGB or RGBA, not interlaced")
    try:
        raw = zlib.decompress(b"".join(compressed))
    except zlib.error as error:
        raise PictureError(f"{path}: PNG image data does not inflate: {error}") from None
    channels = PNG_CHANNELS[colour]
    rows = []
    for row in _unfilter(path, raw, width, height, channels):
        if channels == 1:
            rows.append(bytes(value for value in row for _ in range(3)))
        else:
            rows.append(bytes(row[i + c] for i in range(0, len(row), channels) for c in range(3)))
    return width, height, rows


def _read_bmp(path, data):
    if len(data) < 54:
        raise PictureError(f"{path}: BMP shorter than its headers")
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0 or width <= 0 or height == 0:
        raise PictureError(f"{path}: BMP of {bits} bits a pixel, compression {compression}, "
                           f"{width} x {height}: only uncompressed 24-bit")
    stride = (width * 3 + 3) & ~3
    bottom_up, height = height > 0, abs(height)
    if offset + stride * height > len(data):
        raise PictureError(f"{path}: BMP pixel data ends early")
    rows = []
    for y in range(height):
        start = offset + stride * (height - 1 - y if bottom_up else y)
        bgr = data[start:start + width * 3]
        rows.append(bytes(bgr[i + 2 - c] for i in range(0, len(bgr), 3) for c in range(3)))
    return width, height, rows


def first_difference(one, other):
    """None when both pictures are the same, else a sentence saying where they differ."""
    (width, height, rows), (other_width, other_height, other_rows) = one, other
    if (width, height) != (other_width, other_height):
        return f"{width} x {height} against {other_width} x {other_height}"
    differing, first = 0, None
    for y in range(height):
        if rows[y] == other_rows[y]:
            continue
        for x in range(width):
            here, there = rows[y][x * 3:x * 3 + 3], other_rows[y][x * 3:x * 3 + 3]
            if here != there:
                differing += 1
                if first is None:
                    first = f"first at ({x}, {y}): #{here.hex()} against #{there.hex()}"
    return None if differing == 0 else f"{differing} pixels differ, {first}"
