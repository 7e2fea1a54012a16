"""The fields of a PE image that hold a time or a sum, and the PE checksum."""

import struct

HEADER_TIME, CHECKSUM, EXPORT_TIME = ("PE header time stamp", "PE checksum",
                                      "export directory time stamp")


def stamp_offsets(image):
    """Name -> file offset of the PE header's and the export directory's time
    stamps and the checksum (a 32-bit word each)."""
    header = struct.unpack_from("<I", image, 0x3C)[0]
    optional = header + 24
    offsets = {HEADER_TIME: header + 8, CHECKSUM: optional + 64}
    sections = optional + struct.unpack_from("<H", image, header + 20)[0]
    export_rva = struct.unpack_from("<I", image, optional + 96)[0]
    for index in range(struct.unpack_from("<H", image, header + 6)[0]):
        address, raw_size, raw_offset = struct.unpack_from("<III", image,
                                                           sections + 40 * index + 12)
        if export_rva and address <= export_rva < address + raw_size:
            offsets[EXPORT_TIME] = raw_offset + export_rva - address + 4
    return offsets


def word_at(image, offset):
    return struct.unpack_from("<I", image, offset)[0]


def checksum(image):
    """The PE checksum: the image's 16-bit words summed with carries folded
    back, its own field counted as zero, plus the image's length."""
    offset = stamp_offsets(image)[CHECKSUM]
    words = bytearray(image)
    words[offset:offset + 4] = bytes(4)
    if len(words) % 2:
        words.append(0)
    total = 0
    for (word,) in struct.iter_unpack("<H", words):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)
