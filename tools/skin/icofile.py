"""Icon (.ico) and cursor (.cur) files holding 32-bit images with an AND mask."""

import struct

from bmpfile import row_stride


def _image(canvas):
    """BITMAPINFOHEADER, bottom-up BGRA pixels and the 1-bit AND mask (set where transparent)."""
    width, height = canvas.width, canvas.height
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    stride = row_stride(width, 1)
    for y in reversed(range(height)):
        row = canvas.rgba[y * width * 4:(y + 1) * width * 4]
        bgra = bytearray(len(row))
        bgra[0::4], bgra[1::4], bgra[2::4], bgra[3::4] = row[2::4], row[1::4], row[0::4], row[3::4]
        pixels += bgra
        bits = bytearray(stride)
        for x in range(width):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return info + bytes(pixels) + bytes(mask)


def encode(canvases, hotspot=None):
    """An icon file of the canvases or, with a hotspot (x, y), a cursor file."""
    kind = 1 if hotspot is None else 2
    images = [_image(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, kind, len(canvases)))
    offset = 6 + 16 * len(canvases)
    for canvas, data in zip(canvases, images):
        planes, bits = (1, 32) if hotspot is None else hotspot
        out += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, planes, bits,
                           len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)
