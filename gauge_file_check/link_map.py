"""What the GNU linker put into a gauge file's code section, read from the
map it wrote (-Wl,-Map): which ranges hold code, which hold data (constructor
lists, data statements of the linker script), and the names of the functions."""

import re

CODE_INPUT = re.compile(r"^(\.text|\.text\$.*|\.text\..*|\.init|\.fini|\.gnu\.linkonce\.t\..*)$")
OUTPUT_TEXT = re.compile(r"^\.text\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)")
INPUT_SECTION = re.compile(r"^ (\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)(?:\s+(.*))?$")
INPUT_SECTION_NAME_ONLY = re.compile(r"^ (\.\S+)$")
INPUT_SECTION_WRAPPED = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)(?:\s+(.*))?$")
DATA_STATEMENT = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(BYTE|SHORT|LONG|QUAD|SQUAD)\b")
SYMBOL = re.compile(r"^\s{16}0x([0-9a-f]+)\s{16}(\S.*)$")


class MapError(Exception):
    """The map has no code section, or one that does not match the file."""


class Piece:
    """A part of the code section: code of one object file, or data."""

    def __init__(self, start, size, is_code, source):
        self.start = start
        self.size = size
        self.is_code = is_code
        self.source = source
        self.symbols = []  # (address, name), ascending

    @property
    def end(self):
        return self.start + self.size


class CodeMap:
    def __init__(self, text):
        self.start = None
        self.size = None
        self.pieces = []
        lines = text.splitlines()
        index = 0
        while index < len(lines):
            found = OUTPUT_TEXT.match(lines[index])
            index += 1
            if found:
                self.start, self.size = int(found.group(1), 16), int(found.group(2), 16)
                break
        if self.start is None:
            raise MapError("no .text output section in the map")
        pending_name = None
        while index < len(lines):
            line = lines[index]
            index += 1
            if line and not line[0].isspace():
                break
            if pending_name is not None:
                wrapped = INPUT_SECTION_WRAPPED.match(line)
                if wrapped:
                    self._add_input(pending_name, wrapped.group(1), wrapped.group(2),
                                    wrapped.group(3))
                pending_name = None
                continue
            statement = DATA_STATEMENT.match(line)
            if statement:
                self.pieces.append(Piece(int(statement.group(1), 16),
                                         int(statement.group(2), 16), False,
                                         "the linker's %s data" % statement.group(3)))
                continue
            section = INPUT_SECTION.match(line)
            if section:
                self._add_input(*section.groups())
                continue
            name_only = INPUT_SECTION_NAME_ONLY.match(line)
            if name_only:
                pending_name = name_only.group(1)
                continue
            symbol = SYMBOL.match(line)
            if symbol and " = " not in symbol.group(2) and self.pieces:
                self.pieces[-1].symbols.append((int(symbol.group(1), 16), symbol.group(2)))
        self.pieces = [piece for piece in self.pieces if piece.size > 0]
        self.pieces.sort(key=lambda piece: piece.start)

    def _add_input(self, name, start, size, source):
        is_code = bool(CODE_INPUT.match(name))
        source = (source or "").strip()
        source = source.rsplit("/", 1)[-1] if source else "the linker"
        self.pieces.append(Piece(int(start, 16), int(size, 16), is_code,
                                 "%s (%s)" % (source, name)))

    def data_ranges(self):
        """Ascending (start, end, what) of every piece of data in the code section."""
        return [(piece.start, piece.end, piece.source) for piece in self.pieces
                if not piece.is_code]

    def describe(self, address):
        """The function, or failing that the object file, an address lies in."""
        for piece in self.pieces:
            if piece.start <= address < piece.end:
                before = [symbol for symbol in piece.symbols if symbol[0] <= address]
                if before:
                    symbol_address, name = before[-1]
                    offset = address - symbol_address
                    return "%s%s in %s" % (name, "+0x%x" % offset if offset else "",
                                            piece.source)
                return "%s+0x%x" % (piece.source, address - piece.start)
        return None
