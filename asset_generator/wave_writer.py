"""RIFF WAVE images: plain 16-bit PCM files, and the click's 8-bit layout."""

import struct

WAVE_FORMAT_PCM = 1


def _fmt_chunk(rate, bits, extra_size=None):
    block = bits // 8
    body = struct.pack("<HHIIHH", WAVE_FORMAT_PCM, 1, rate, rate * block, block, bits)
    if extra_size is not None:
        body += struct.pack("<H", extra_size)
    return b"fmt " + struct.pack("<I", len(body)) + body


def _riff(chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def pcm16_wave_bytes(samples, rate):
    """Mono 16-bit PCM from signed sample values (-32768 .. 32767)."""
    data = struct.pack("<%dh" % len(samples), *samples)
    return _riff([_fmt_chunk(rate, 16), b"data" + struct.pack("<I", len(data)) + data])


# The click is stored exactly as the switch module has always carried it: an
# 18-byte format block whose extra-size word reads 28, then a "fact" chunk with
# the sample count, then the data, which thus begin at byte 58.
CLICK_EXTRA_SIZE_WORD = 28


def click_wave_bytes(samples, rate):
    """Mono 8-bit PCM from unsigned sample bytes (0 .. 255, silence 128)."""
    data = bytes(samples)
    fact = b"fact" + struct.pack("<II", 4, len(data))
    return _riff([_fmt_chunk(rate, 8, CLICK_EXTRA_SIZE_WORD), fact,
                  b"data" + struct.pack("<I", len(data)) + data])
