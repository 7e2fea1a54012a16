#!/usr/bin/env python3
"""The gauge file checker rejects what cannot run on a Pentium under
Windows 95, naming the fault, the address and the function.

usage: gauge_file_check_test.py CHECKER OBJDUMP GAUGE-FILE ORDINARY-FILE WORK-FOLDER

GAUGE-FILE is a shipped gauge file with its linker map beside it; the cases
put one fault into a copy of it. ORDINARY-FILE is the same module built the
ordinary way (for the i686, with the C runtime's start-up objects)."""

import os
import shutil
import subprocess
import sys
import unittest

CHECKER, OBJDUMP, GAUGE, ORDINARY, WORK = sys.argv[1:6]
sys.path.insert(0, os.path.dirname(CHECKER))

import link_map  # noqa: E402
import pe_image  # noqa: E402

CMOVE_EAX_ECX = bytes.fromhex("0f 44 c1")
LONG_NOP = bytes.fromhex("0f 1f 40 00")
MOVQ_MM0_MM1 = bytes.fromhex("0f 6f c1")
FCOMIP = bytes.fromhex("df f1")
UNDECODABLE = bytes.fromhex("ff ff")


def run_checker(*paths):
    result = subprocess.run([sys.executable, CHECKER, "--objdump", OBJDUMP] + list(paths),
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            universal_newlines=True, timeout=120)
    return result.returncode, result.stdout


def function_address(map_path, prefix):
    """The address of the first function whose name starts with prefix."""
    with open(map_path, encoding="latin-1") as stream:
        code_map = link_map.CodeMap(stream.read())
    for piece in code_map.pieces:
        for address, name in piece.symbols:
            if name.startswith(prefix):
                return address
    raise AssertionError("%s has no function %s" % (map_path, prefix))


class GaugeCopy:
    """A copy of the shipped gauge file and its map, to put a fault into."""

    def __init__(self, name):
        folder = os.path.join(WORK, name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        self.path = os.path.join(folder, os.path.basename(GAUGE))
        self.map_path = os.path.splitext(self.path)[0] + ".map"
        shutil.copyfile(GAUGE, self.path)
        shutil.copyfile(os.path.splitext(GAUGE)[0] + ".map", self.map_path)
        with open(self.path, "rb") as stream:
            self.data = bytearray(stream.read())
        self.image = pe_image.PeImage(bytes(self.data))

    def write(self, offset, new_bytes):
        self.data[offset:offset + len(new_bytes)] = new_bytes
        with open(self.path, "wb") as stream:
            stream.write(self.data)

    def patch_function(self, prefix, new_bytes, offset=0):
        address = function_address(self.map_path, prefix) + offset
        self.write(self.image.file_offset(address - self.image.image_base), new_bytes)
        return address

    def directory_offset(self, index):
        pe = int.from_bytes(self.data[0x3C:0x40], "little")
        return pe + 24 + 96 + 8 * index


class ShippedFile(unittest.TestCase):
    def test_passes(self):
        status, output = run_checker(GAUGE)
        self.assertEqual(status, 0, output)
        self.assertIn("runs on a Pentium under Windows 95", output)

    def test_without_its_map_the_linkers_data_is_swept_as_code_and_fails(self):
        copy = GaugeCopy("no_map")
        os.remove(copy.map_path)
        status, output = run_checker(copy.path)
        self.assertEqual(status, 1, output)
        self.assertIn("no linker map", output)
        self.assertIn("undecodable byte ff", output)

    def test_a_map_of_another_link_is_refused(self):
        copy = GaugeCopy("other_map")
        with open(copy.map_path, encoding="latin-1") as stream:
            text = stream.read()
        start = "%x" % link_map.CodeMap(text).start
        with open(copy.map_path, "w", encoding="latin-1") as stream:
            stream.write(text.replace("0x" + start, "0x" + "%x" % (int(start, 16) + 0x10000)))
        status, output = run_checker(copy.path)
        self.assertEqual(status, 1, output)
        self.assertIn("the map belongs to another link", output)


class InstructionsPutIn(unittest.TestCase):
    """One P6, MMX or undecodable instruction put into a module function."""

    def check_rejected(self, name, new_bytes, expected, function="sound_entry_set_pan", offset=0):
        copy = GaugeCopy(name)
        address = copy.patch_function(function, new_bytes, offset)
        status, output = run_checker(copy.path)
        self.assertEqual(status, 1, output)
        lines = [line for line in output.splitlines() if "0x%08x" % address in line]
        self.assertTrue(lines, "no fault at 0x%08x:\n%s" % (address, output))
        self.assertIn(function, lines[0])
        self.assertIn(expected, lines[0])

    def test_cmov(self):
        self.check_rejected("cmov", CMOVE_EAX_ECX, "'cmove' is not an 8086-to-Pentium instruction")

    def test_fcomip(self):
        self.check_rejected("fcomip", FCOMIP, "'fcomip' is not an 8086-to-Pentium instruction")

    def test_long_nop(self):
        self.check_rejected("long_nop", LONG_NOP, "multi-byte NOP", function="gauge_query")

    def test_mmx_register(self):
        self.check_rejected("mmx", MOVQ_MM0_MM1, "MMX or SSE register", function="wave_parse")

    def test_undecodable_byte(self):
        self.check_rejected("undecodable", UNDECODABLE, "undecodable byte ff",
                            function="DllMain")


class HeadersPutIn(unittest.TestCase):
    def test_tls_directory(self):
        copy = GaugeCopy("tls")
        copy.write(copy.directory_offset(pe_image.DIRECTORY_TLS), bytes.fromhex("00100000 18000000"))
        status, output = run_checker(copy.path)
        self.assertEqual(status, 1, output)
        self.assertIn("has a TLS directory", output)

    def test_function_windows_95_lacks(self):
        copy = GaugeCopy("import")
        offset = bytes(copy.data).index(b"GetActiveWindow\0")
        copy.write(offset, b"GetShellWindow\0\0")
        status, output = run_checker(copy.path)
        self.assertEqual(status, 1, output)
        self.assertIn("imports GetShellWindow from USER32.dll, which is not in the list", output)

    def test_not_a_pe_file_is_a_clear_message(self):
        path = os.path.join(WORK, "not_a_dll.gau")
        with open(path, "w") as stream:
            stream.write("panel gauge\n")
        status, output = run_checker(path)
        self.assertEqual(status, 2, output)
        self.assertIn("not_a_dll.gau: cannot be checked: no MZ header", output)

    def test_truncated_file_is_a_clear_message(self):
        copy = GaugeCopy("truncated")
        with open(copy.path, "wb") as stream:
            stream.write(copy.data[:0x400])
        status, output = run_checker(copy.path)
        self.assertEqual(status, 2, output)
        self.assertIn("cannot be checked: ", output)
        self.assertIn("past the end of the file", output)


class OrdinaryBuild(unittest.TestCase):
    """The switch module compiled for the i686 and linked with the C runtime."""

    @classmethod
    def setUpClass(cls):
        cls.status, cls.output = run_checker(ORDINARY)

    def test_rejected(self):
        self.assertEqual(self.status, 1, self.output)

    def test_names_p6_instructions_and_their_functions(self):
        cmov = [line for line in self.output.splitlines() if "'cmov" in line]
        self.assertTrue(cmov, self.output)
        self.assertTrue(any("sound_entry_set_pan" in line for line in cmov), "\n".join(cmov))

    def test_names_runtime_baggage(self):
        for expected in ("has a TLS directory", "section .CRT is not one of",
                         "section .tls is not one of", "section .debug_info is not one of",
                         "which is not in the list of Windows 95 functions a gauge may use"):
            self.assertIn(expected, self.output)


if __name__ == "__main__":
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=sys.argv[:1], verbosity=2)
