"""Windows BMP files: 8-bit (palette), 24-bit and 32-bit, bottom-up, uncompressed.

The resource compiler keeps everything after the 14-byte file header, so these are also the
BITMAP resources the program loads with LoadBitmap and LoadImage.
"""

import struct

FILE_HEADER = 14
INFO_HEADER = 40


def row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def indexed_pixels(canvas):
    """(palette, indices) of a canvas that has at most 256 different colours."""
    palette, lookup = [], {}
    indices = bytearray(canvas.width * canvas.height)
    data = canvas.rgba
    for i in range(canvas.width * canvas.height):
        color = (data[4 * i], data[4 * i + 1], data[4 * i + 2])
        index = lookup.get(color)
        if index is None:
            if len(palette) == 256:
                raise ValueError("more than 256 colours in an 8-bit picture")
            index = lookup[color] = len(palette)
            palette.append(color)
        indices[i] = index
    return palette, bytes(indices)


def encode(canvas, bits=24):
    """The bytes of a BMP file of the canvas at 8, 24 or 32 bits per pixel."""
    if bits not in (8, 24, 32):
        raise ValueError("bits per pixel must be 8, 24 or 32")
    width, height = canvas.width, canvas.height
    stride = row_stride(width, bits)
    palette_bytes = b""
    rows = []
    if bits == 8:
        palette, indices = indexed_pixels(canvas)
        palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        palette_bytes += b"\0" * (4 * (256 - len(palette)))
        for y in range(height):
            rows.append(indices[y * width:(y + 1) * width])
    else:
        step = bits // 8
        for y in range(height):
            line = bytearray(width * step)
            src = canvas.rgba[y * width * 4:(y + 1) * width * 4]
            line[0::step] = src[2::4]
            line[1::step] = src[1::4]
            line[2::step] = src[0::4]
            if step == 4:
                line[3::4] = src[3::4]
            rows.append(bytes(line))
    padding = b"\0" * (stride - len(rows[0])) if rows else b""
    pixels = b"".join(row + padding for row in reversed(rows))
    offset = FILE_HEADER + INFO_HEADER + len(palette_bytes)
    colours_used = 256 if bits == 8 else 0
    info = struct.pack("<IiiHHIIiiII", INFO_HEADER, width, height, 1, bits, 0, len(pixels),
                       2835, 2835, colours_used, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette_bytes + pixels
