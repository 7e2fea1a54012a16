"""A 32-bit PE image read for checking: headers, sections, data directories,
imports and exports. Standard library only; every bad offset is an error."""

import struct

DIRECTORY_EXPORT = 0
DIRECTORY_IMPORT = 1
DIRECTORY_DEBUG = 6
DIRECTORY_TLS = 9
DIRECTORY_DELAY_IMPORT = 13
DIRECTORY_NAMES = {0: "export", 1: "import", 2: "resource", 3: "exception", 4: "certificate",
                   5: "base relocation", 6: "debug", 7: "architecture", 8: "global pointer",
                   9: "TLS", 10: "load configuration", 11: "bound import", 12: "import address",
                   13: "delay import", 14: "CLR runtime"}

MACHINE_I386 = 0x014C
CHARACTERISTIC_DLL = 0x2000
SECTION_CODE = 0x00000020
SECTION_EXECUTE = 0x20000000


class ImageError(Exception):
    """The file is no 32-bit PE image, or one of its tables points outside it."""


class Section:
    def __init__(self, name, virtual_address, virtual_size, raw_offset, raw_size, flags):
        self.name = name
        self.virtual_address = virtual_address
        self.virtual_size = virtual_size
        self.raw_offset = raw_offset
        self.raw_size = raw_size
        self.flags = flags

    @property
    def executable(self):
        return bool(self.flags & (SECTION_CODE | SECTION_EXECUTE))

    def holds(self, rva):
        return self.virtual_address <= rva < self.virtual_address + max(self.virtual_size,
                                                                         self.raw_size)


class PeImage:
    def __init__(self, data):
        self.data = data
        if len(data) < 0x40 or data[:2] != b"MZ":
            raise ImageError("no MZ header")
        pe = self._u32(0x3C)
        if self._bytes(pe, 4) != b"PE\0\0":
            raise ImageError("no PE signature")
        (self.machine, section_count, _, symbol_table, symbol_count, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        string_table = symbol_table + 18 * symbol_count
        optional = pe + 24
        if self._u16(optional) != 0x10B:
            raise ImageError("not a 32-bit (PE32) image")
        self.entry_point = self._u32(optional + 16)
        self.image_base = self._u32(optional + 28)
        (self.os_version, self.image_version, self.subsystem_version) = [
            struct.unpack_from("<HH", data, optional + offset) for offset in (40, 44, 48)]
        self.subsystem = self._u16(optional + 68)
        directory_count = self._u32(optional + 92)
        self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * index)
                            for index in range(min(directory_count, 16))]
        self.sections = []
        table = optional + optional_size
        for index in range(section_count):
            entry = table + 40 * index
            name = self._bytes(entry, 8).rstrip(b"\0").decode("latin-1")
            if name.startswith("/") and name[1:].isdigit() and symbol_table:
                # A long name, kept in the COFF string table.
                name = self._string_at(string_table + int(name[1:]))
            virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
                "<IIII", data, entry + 8)
            flags = self._u32(entry + 36)
            self.sections.append(Section(name, virtual_address, virtual_size, raw_offset,
                                         raw_size, flags))

    def _bytes(self, offset, count):
        if offset < 0 or offset + count > len(self.data):
            raise ImageError("offset 0x%x is past the end of the file" % offset)
        return self.data[offset:offset + count]

    def _u16(self, offset):
        return struct.unpack("<H", self._bytes(offset, 2))[0]

    def _u32(self, offset):
        return struct.unpack("<I", self._bytes(offset, 4))[0]

    def _string_at(self, offset):
        end = self.data.find(b"\0", offset)
        if offset >= len(self.data) or end < 0:
            raise ImageError("string at file offset 0x%x runs past the end of the file" % offset)
        return self.data[offset:end].decode("latin-1")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def section_named(self, name):
        return next((section for section in self.sections if section.name == name), None)

    def file_offset(self, rva):
        for section in self.sections:
            if section.holds(rva):
                offset = rva - section.virtual_address
                if offset >= section.raw_size:
                    raise ImageError("address 0x%x lies in %s's uninitialised part"
                                     % (rva, section.name))
                return section.raw_offset + offset
        raise ImageError("address 0x%x lies in no section" % rva)

    def read_u32(self, rva):
        return self._u32(self.file_offset(rva))

    def read_string(self, rva):
        return self._string_at(self.file_offset(rva))

    def imports(self):
        """[(dll, [function name, or '#ordinal']), ...] in the order of the table."""
        rva, size = self.directory(DIRECTORY_IMPORT)
        result = []
        if rva == 0:
            return result
        entry = rva
        while True:
            lookup, _, _, name, address_table = struct.unpack(
                "<IIIII", self._bytes(self.file_offset(entry), 20))
            if lookup == 0 and name == 0 and address_table == 0:
                return result
            functions = []
            thunk = lookup or address_table
            while True:
                value = self.read_u32(thunk)
                if value == 0:
                    break
                if value & 0x80000000:
                    functions.append("#%d" % (value & 0xFFFF))
                else:
                    functions.append(self.read_string(value + 2))
                thunk += 4
            result.append((self.read_string(name), functions))
            entry += 20

    def exports(self):
        """Exported names; ordinals without a name as '#ordinal'."""
        rva, _ = self.directory(DIRECTORY_EXPORT)
        if rva == 0:
            return []
        base, function_count, name_count, _, name_table = struct.unpack(
            "<IIIII", self._bytes(self.file_offset(rva + 16), 20))
        ordinal_table = self.read_u32(rva + 36)
        names = [self.read_string(self.read_u32(name_table + 4 * index))
                 for index in range(name_count)]
        named = {struct.unpack("<H", self._bytes(self.file_offset(ordinal_table + 2 * index),
                                                2))[0] for index in range(name_count)}
        unnamed = ["#%d" % (base + index) for index in range(function_count)
                   if index not in named and self.read_u32(
                       self.read_u32(rva + 28) + 4 * index) != 0]
        return names + unnamed
