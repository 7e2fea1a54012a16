"""Writes gauge files that cannot be loaded, each for its own reason, from a real one:
a 64-bit one, one cut short, an empty one, and a folder under a gauge file's name."""

import os
import struct
import sys


def main(gauge_path, folder):
    with open(gauge_path, "rb") as f:
        image = f.read()
    os.makedirs(folder, exist_ok=True)
    pe_at = struct.unpack_from("<I", image, 0x3C)[0]
    sixty_four = bytearray(image)
    struct.pack_into("<H", sixty_four, pe_at + 4, 0x8664)
    files = {"sixty_four_bit.gau": bytes(sixty_four), "cut_short.gau": image[:len(image) // 2],
             "empty.gau": b""}
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    os.makedirs(os.path.join(folder, "a_folder.gau"), exist_ok=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
