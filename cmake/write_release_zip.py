#!/usr/bin/env python3
"""Packs a staged release folder into a zip that is the same byte for byte on
every rebuild: every folder and file below STAGE, in path order, below one
folder FOLDER/, each entry stamped with TIME (seconds since 1970, UTC; a zip
entry counts in two seconds, so an odd second is rounded down), files with
mode 0644 and folders 0755 as made on Unix, files deflated at level 9, no
extra fields (no times or owners beside the one stamp).

usage: write_release_zip.py STAGE FOLDER TIME ZIP"""

import os
import sys
import time
import zipfile

FILE_MODE, FOLDER_MODE = 0o100644, 0o040755
MS_DOS_DIRECTORY = 0x10
UNIX = 3


def staged_entries(stage):
    """(path below STAGE with / between parts, is a folder), in path order."""
    entries = []
    for folder, folders, files in os.walk(stage):
        relative = os.path.relpath(folder, stage)
        parts = [] if relative == "." else relative.split(os.sep)
        for name in folders:
            entries.append((parts + [name], True))
        for name in files:
            path = os.path.join(folder, name)
            if os.path.islink(path) or not os.path.isfile(path):
                raise SystemExit("%s: not a regular file; the package holds only files and folders"
                                 % path)
            entries.append((parts + [name], False))
    entries.sort()
    return [("/".join(parts), is_folder) for parts, is_folder in entries]


def entry_info(name, is_folder, date_time):
    info = zipfile.ZipInfo(name + "/" if is_folder else name, date_time)
    info.create_system = UNIX
    if is_folder:
        info.external_attr = FOLDER_MODE << 16 | MS_DOS_DIRECTORY
        info.compress_type = zipfile.ZIP_STORED
    else:
        info.external_attr = FILE_MODE << 16
        info.compress_type = zipfile.ZIP_DEFLATED
    return info


def write_release_zip(stage, folder, stamp, output):
    date_time = time.gmtime(stamp)[:6]
    if date_time[0] < 1980 or date_time[0] > 2107:
        raise SystemExit("%s: time %d is outside the years a zip entry holds (1980 to 2107)"
                         % (output, stamp))
    partial = output + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, is_folder in staged_entries(stage):
            info = entry_info(folder + "/" + name, is_folder, date_time)
            data = b""
            if not is_folder:
                with open(os.path.join(stage, *name.split("/")), "rb") as stream:
                    data = stream.read()
            archive.writestr(info, data, compresslevel=9)
    os.replace(partial, output)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        raise SystemExit(__doc__)
    write_release_zip(sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4])
