"""A linear sweep of a gauge file's code with objdump, each run of code swept
from its own start so that data between runs cannot shift the decoding."""

import re
import subprocess

import allowed

LINE = re.compile(r"^\s*([0-9a-f]+):\t([0-9a-f]{2}(?: [0-9a-f]{2})*)\s*\t(.*)$")
FORBIDDEN_REGISTER = re.compile(allowed.FORBIDDEN_REGISTER)


class Instruction:
    def __init__(self, address, raw, text):
        self.address = address
        self.raw = raw
        self.text = text.strip()

    @property
    def end(self):
        return self.address + len(self.raw)


def disassemble(objdump, path, start, end):
    """Instructions objdump decodes from start up to end, one after the other."""
    command = [objdump, "-d", "-z", "-w", "-M", "intel", "-j", ".text",
               "--start-address=0x%x" % start, "--stop-address=0x%x" % end, path]
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            universal_newlines=True)
    if result.returncode != 0:
        raise RuntimeError("%s failed on %s: %s" % (objdump, path, result.stderr.strip()))
    instructions = []
    for line in result.stdout.splitlines():
        found = LINE.match(line)
        if found:
            instructions.append(Instruction(int(found.group(1), 16),
                                            bytes.fromhex(found.group(2)), found.group(3)))
    return instructions


def code_runs(start, end, data_ranges):
    """The parts of [start, end) that lie outside every data range."""
    runs = []
    position = start
    for data_start, data_end, _ in sorted(data_ranges):
        if data_start > position:
            runs.append((position, min(data_start, end)))
        position = max(position, data_end)
    if position < end:
        runs.append((position, end))
    return [run for run in runs if run[0] < run[1]]


def fault(instruction):
    """Why an instruction cannot run on a Pentium, or None."""
    text = instruction.text
    if text.startswith("(bad)") or text.startswith(".byte") or not text:
        return "undecodable byte %s" % instruction.raw.hex(" ")
    words = text.split()
    while len(words) > 1 and words[0] in allowed.PREFIXES:
        words = words[1:]
    mnemonic = words[0]
    if FORBIDDEN_REGISTER.search(text):
        return "MMX or SSE register"
    if mnemonic == "nop" and len(words) > 1:
        return "multi-byte NOP (0F 1F or 0F 1E), a P6 instruction"
    if mnemonic not in allowed.INSTRUCTIONS and mnemonic not in allowed.PREFIXES:
        return "'%s' is not an 8086-to-Pentium instruction" % mnemonic
    return None


def sweep(objdump, path, start, end, data_ranges):
    """(instruction or None, address, reason) for every fault in the code of
    [start, end) outside the data ranges, in address order."""
    faults = []
    for run_start, run_end in code_runs(start, end, data_ranges):
        position = run_start
        for instruction in disassemble(objdump, path, run_start, run_end):
            if instruction.address != position:
                faults.append((None, position, "decoding lost its way (next instruction "
                               "at 0x%x)" % instruction.address))
            position = instruction.end
            reason = fault(instruction)
            if instruction.end > run_end:
                reason = "instruction runs into data at 0x%x" % run_end
            if reason:
                faults.append((instruction, instruction.address, reason))
        if position < run_end:
            faults.append((None, position, "bytes up to 0x%x left undecoded" % run_end))
    return faults
