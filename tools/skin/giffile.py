"""GIF89a files with LZW-compressed frames, a global colour table and graphic control blocks.

No frame is transparent: pictures that want a see-through background use a colour key that
the showing window makes transparent instead.
"""

import struct
from dataclasses import dataclass

MAX_CODES = 4096


@dataclass
class Frame:
    indices: bytes  # width * height palette indices, row by row
    width: int
    height: int
    left: int = 0
    top: int = 0
    delay: int = 10  # hundredths of a second
    disposal: int = 1  # 1 = leave the frame in place


class _BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.bits = 0

    def write(self, code, size):
        self.acc |= code << self.bits
        self.bits += size
        while self.bits >= 8:
            self.out.append(self.acc & 0xFF)
            self.acc >>= 8
            self.bits -= 8

    def finish(self):
        if self.bits:
            self.out.append(self.acc & 0xFF)
        return bytes(self.out)


def lzw_encode(indices, min_code_size):
    """The LZW code stream of the GIF flavour: clear first, variable width up to 12 bits."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    writer = _BitWriter()
    size = min_code_size + 1
    writer.write(clear, size)
    if not indices:
        writer.write(end, size)
        return writer.finish()
    table = {}
    next_code = end + 1
    prefix = indices[0]
    for symbol in indices[1:]:
        key = (prefix << 8) | symbol
        code = table.get(key)
        if code is not None:
            prefix = code
            continue
        writer.write(prefix, size)
        if next_code < MAX_CODES:
            table[key] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            writer.write(clear, size)
            table.clear()
            next_code = end + 1
            size = min_code_size + 1
        prefix = symbol
    writer.write(prefix, size)
    writer.write(end, size)
    return writer.finish()


def _sub_blocks(data):
    chunks = [bytes((len(data[i:i + 255]),)) + data[i:i + 255] for i in range(0, len(data), 255)]
    return b"".join(chunks) + b"\0"


def table_bits(colours):
    """The colour-table size field n, for a table of 2^(n+1) entries holding `colours`."""
    n = 0
    while (2 << n) < colours:
        n += 1
    return n


def encode(width, height, palette, frames, loop=None, background=0):
    """A GIF89a file; loop = None plays once, 0 repeats forever, n repeats n times."""
    if not 1 <= len(palette) <= 256:
        raise ValueError("a palette holds 1 to 256 colours")
    bits = table_bits(len(palette))
    entries = 2 << bits
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | (7 << 4) | bits, background, 0)
    for r, g, b in list(palette) + [(0, 0, 0)] * (entries - len(palette)):
        out += bytes((r, g, b))
    if loop is not None:
        out += b"\x21\xff\x0bNETSCAPE2.0" + struct.pack("<BBHB", 3, 1, loop, 0)
    min_code_size = max(2, bits + 1)
    for frame in frames:
        if len(frame.indices) != frame.width * frame.height:
            raise ValueError("frame pixel count does not match its size")
        out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, (frame.disposal & 7) << 2, frame.delay, 0, 0)
        out += struct.pack("<BHHHHB", 0x2C, frame.left, frame.top, frame.width, frame.height, 0)
        out += bytes((min_code_size,)) + _sub_blocks(lzw_encode(frame.indices, min_code_size))
    out += b";"
    return bytes(out)
