#!/usr/bin/env python3
"""Checks that gauge files run on the simulator's own machines: Pentium-class
code only, no runtime baggage, imports Windows 95 had.

usage: check_gauge_file.py [--objdump PROGRAM] GAUGE-FILE...

Each file's code section is swept instruction by instruction with objdump;
the linker map beside the file (NAME.map) tells which parts of it are data
and names the functions. Prints every fault with the file, the address, the
function and the instruction; exit status 0 when all files pass, 1 when one
fails, 2 on bad arguments or a file that cannot be read."""

import os
import re
import sys

import allowed
import instruction_sweep
import link_map
import pe_image


def header_faults(image):
    faults = []
    if image.machine != pe_image.MACHINE_I386:
        faults.append("machine 0x%04x, not i386" % image.machine)
    if not image.characteristics & pe_image.CHARACTERISTIC_DLL:
        faults.append("not a DLL")
    for what, version in (("operating system", image.os_version),
                          ("subsystem", image.subsystem_version)):
        if tuple(version) > allowed.WINDOWS_VERSION:
            faults.append("asks for %s version %d.%d; Windows 95 is %d.%d"
                          % ((what,) + tuple(version) + allowed.WINDOWS_VERSION))
    for index in (pe_image.DIRECTORY_TLS, pe_image.DIRECTORY_DEBUG,
                  pe_image.DIRECTORY_DELAY_IMPORT):
        if image.directory(index)[0] != 0:
            faults.append("has a %s directory" % pe_image.DIRECTORY_NAMES[index])
    return faults


def section_faults(image):
    faults = []
    for section in image.sections:
        if section.name not in allowed.SECTIONS:
            faults.append("section %s is not one of %s"
                          % (section.name, " ".join(sorted(allowed.SECTIONS))))
        elif section.executable != (section.name == allowed.CODE_SECTION):
            faults.append("section %s is %sexecutable" % (
                section.name, "" if section.executable else "not "))
    if image.section_named(allowed.CODE_SECTION) is None:
        faults.append("no %s section" % allowed.CODE_SECTION)
    return faults


def import_faults(image):
    faults = []
    for dll, functions in image.imports():
        permitted = allowed.IMPORTS.get(dll.lower())
        if permitted is None:
            faults.append("imports from %s, which is not a system DLL of Windows 95" % dll)
            continue
        for function in functions:
            if function not in permitted:
                faults.append("imports %s from %s, which is not in the list of "
                              "Windows 95 functions a gauge may use" % (function, dll))
    return faults


def export_faults(image):
    exports = set(image.exports())
    faults = []
    if exports != allowed.EXPORTS:
        faults.append("exports %s; expected exactly %s" % (
            " ".join(sorted(exports)) or "nothing", " ".join(sorted(allowed.EXPORTS))))
    return faults


def code_faults(objdump, path, image, code_map):
    text = image.section_named(allowed.CODE_SECTION)
    if text is None:
        return []
    start = image.image_base + text.virtual_address
    end = start + min(text.virtual_size or text.raw_size, text.raw_size)
    faults = []
    data_ranges = []
    if code_map is not None:
        if code_map.start != start:
            return ["the linker map's .text starts at 0x%x, the file's at 0x%x: "
                    "the map belongs to another link" % (code_map.start, start)]
        data_ranges = code_map.data_ranges()
    entry = image.image_base + image.entry_point
    if not start <= entry < end or any(low <= entry < high for low, high, _ in data_ranges):
        faults.append("entry point 0x%x is not in the code" % entry)
    for instruction, address, reason in instruction_sweep.sweep(
            objdump, path, start, end, data_ranges):
        where = code_map.describe(address) if code_map is not None else None
        place = "0x%08x" % address + (" (%s)" % where if where else "")
        what = ": %s" % instruction.text if instruction is not None else ""
        faults.append("%s%s: %s" % (place, re.sub(r"\s+", " ", what), reason))
    return faults


def check(objdump, path):
    """The faults of one gauge file, as lines without the file's name."""
    with open(path, "rb") as stream:
        image = pe_image.PeImage(stream.read())
    map_path = os.path.splitext(path)[0] + ".map"
    code_map = None
    notes = []
    if os.path.exists(map_path):
        with open(map_path, encoding="latin-1") as stream:
            code_map = link_map.CodeMap(stream.read())
    else:
        notes.append("no linker map %s: the whole code section is swept as code"
                     % os.path.basename(map_path))
    faults = (header_faults(image) + section_faults(image) + import_faults(image)
              + export_faults(image) + code_faults(objdump, path, image, code_map))
    return faults, notes


def main(arguments):
    objdump = "i686-w64-mingw32-objdump"
    if arguments[:1] == ["--objdump"] and len(arguments) >= 2:
        objdump, arguments = arguments[1], arguments[2:]
    if not arguments or any(argument.startswith("-") for argument in arguments):
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    status = 0
    for path in arguments:
        name = os.path.basename(path)
        try:
            faults, notes = check(objdump, path)
        except (OSError, pe_image.ImageError, link_map.MapError, RuntimeError) as error:
            print("%s: cannot be checked: %s" % (path, error))
            return 2
        for note in notes:
            print("%s: note: %s" % (name, note))
        for line in faults:
            print("%s: %s" % (name, line))
        if faults:
            status = 1
        print("%s: %s" % (name, "%d faults" % len(faults) if faults else
                          "runs on a Pentium under Windows 95: code, sections, "
                          "imports and exports checked"))
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
