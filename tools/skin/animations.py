"""The two GIF animations, the program icon and the drawing overlay's cursors."""

import math

import glyphs
from giffile import Frame, encode as encode_gif
from icofile import encode as encode_ico
from raster import Canvas, box, circle, grow, mix
from widgets import ACCENT, DIALOG_BG, WHITE

KEY = (71, 234, 72)  # colour key of the animation dialog: painted, never a GIF transparency


def login_spinner(width, height, frames):
    """Twelve dots around a circle, a bright one walking round with a fading tail; loops."""
    levels = 64
    palette = [mix(DIALOG_BG, ACCENT, i / (levels - 1.0)) for i in range(levels)]
    cx, cy = width / 2.0, height / 2.0
    radius, dot = width * 0.34, width * 0.075
    out = []
    for step in range(frames):
        canvas = Canvas(width, height, DIALOG_BG)
        for k in range(12):
            age = (step - k) % 12
            brightness = max(0.18, 1.0 - age / 8.0)
            a = math.radians(k * 30 - 90)
            canvas.draw(circle(cx + radius * math.cos(a), cy + radius * math.sin(a), dot),
                        mix(DIALOG_BG, ACCENT, brightness))
        out.append(Frame(_nearest_level(canvas, DIALOG_BG, ACCENT, levels), width, height, delay=8))
    return encode_gif(width, height, palette, out, loop=0, background=0)


def _nearest_level(canvas, low, high, levels):
    """Palette indices of a picture whose colours all lie between low and high."""
    span = [high[k] - low[k] for k in range(3)]
    channel = max(range(3), key=lambda k: abs(span[k]))
    data = canvas.rgba[channel::4]
    return bytes(min(levels - 1, max(0, int(round((v - low[channel]) / float(span[channel]) * (levels - 1)))))
                 for v in data)


# Fixed parts of the wheel picture, coded above the 240 angle bins of the wheel's face.
_BINS = 240
_OUTSIDE, _RIM, _HUB, _MARK, _POINTER, _EDGE = 250, 251, 252, 253, 254, 255
_SECTORS = [(3, 207, 227), (250, 196, 80), (236, 112, 112), (150, 120, 230)] * 2


def random_pick(width, height, frames):
    """A wheel of eight sectors that spins and slows to a stop under a pointer, on the key colour."""
    size = 440
    left, top = (width - size) // 2, (height - size) // 2
    codes = _wheel_codes(size)
    palette = [KEY, (40, 46, 60), (24, 30, 43), WHITE, (250, 250, 250), (20, 24, 32)] + _SECTORS
    fixed = {_OUTSIDE: 0, _RIM: 1, _HUB: 2, _MARK: 3, _POINTER: 4, _EDGE: 5}
    turns = 2 * _BINS + _BINS // len(_SECTORS) // 2  # two turns, then stop mid-sector
    out = []
    background = bytes(width * height)
    out.append(Frame(_place(background, width, codes, size, left, top, _table(0, fixed)), width, height,
                     delay=15))
    for step in range(1, frames):
        t = step / (frames - 1.0)
        angle = int(round(turns * (1.0 - (1.0 - t) ** 2)))
        delay = 15 if step < frames - 1 else 40
        out.append(Frame(codes.translate(_table(angle, fixed)), size, size, left, top, delay=delay))
    return encode_gif(width, height, palette, out, loop=None, background=0)


def _table(angle, fixed):
    table = bytearray(256)
    for v in range(_BINS):
        sector = ((v - angle) % _BINS) * len(_SECTORS) // _BINS
        table[v] = 6 + sector
    for code, index in fixed.items():
        table[code] = index
    return bytes(table)


def _place(background, width, codes, size, left, top, table):
    picture = bytearray(background)
    face = codes.translate(table)
    for y in range(size):
        start = (top + y) * width + left
        picture[start:start + size] = face[y * size:(y + 1) * size]
    return bytes(picture)


def _wheel_codes(size):
    """Per pixel: the angle bin of the wheel's face, or the code of a fixed part."""
    c = size / 2.0
    radius = size / 2.0 - 22
    mark = glyphs.question(c, c, 60)
    pointer = [(c - 18, 2), (c + 18, 2), (c, 44)]
    codes = bytearray(size * size)
    for y in range(size):
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            d = math.hypot(px - c, py - c)
            if _inside_triangle(px, py, pointer):
                code = _POINTER
            elif d > radius + 12:
                code = _OUTSIDE
            elif d > radius:
                code = _RIM
            elif d > 44:
                a = math.degrees(math.atan2(py - c, px - c)) % 360.0
                code = int(a * _BINS / 360.0) % _BINS
                if d > radius - 2:
                    code = _EDGE
            elif d > 40:
                code = _EDGE
            else:
                code = _MARK if mark.sd(px, py) <= 0 else _HUB
            codes[y * size + x] = code
    return bytes(codes)


def _inside_triangle(x, y, pts):
    (x1, y1), (x2, y2), (x3, y3) = pts
    d1 = (x - x2) * (y1 - y2) - (x1 - x2) * (y - y2)
    d2 = (x - x3) * (y2 - y3) - (x2 - x3) * (y - y3)
    d3 = (x - x1) * (y3 - y1) - (x3 - x1) * (y - y1)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def program_icon(sizes):
    images = []
    for s in sizes:
        canvas = Canvas(s, s, (0, 0, 0), alpha=0)
        r = max(2.0, s * 0.2)
        for y in range(s):
            row = box(0, y, s, y + 1)
            canvas.draw(box(0.5, 0.5, s - 0.5, s - 0.5, r) & row, mix((3, 207, 227), (0, 96, 150), y / float(s)))
        stroke = max(2.0, s * 0.16)
        canvas.draw(box(s * 0.3, s * 0.2, s * 0.3 + stroke, s * 0.78, stroke * 0.3), WHITE)
        canvas.draw(box(s * 0.3, s * 0.78 - stroke, s * 0.72, s * 0.78, stroke * 0.3), WHITE)
        if s >= 32:
            canvas.draw(circle(s * 0.68, s * 0.3, s * 0.08), (250, 196, 80))
        images.append(canvas)
    return encode_ico(images)


def pen_cursor(size, hotspot):
    canvas = Canvas(size, size, (0, 0, 0), alpha=0)
    shape = glyphs.pen(size / 2.0, size / 2.0, size * 0.95)
    canvas.draw(grow(shape, 1.3), (0, 0, 0))
    canvas.draw(shape, WHITE)
    return encode_ico([canvas], hotspot)


def eraser_cursor(size, hotspot):
    canvas = Canvas(size, size, (0, 0, 0), alpha=0)
    x, y = hotspot
    outer = box(x - 7.5, y - 7.5, x + 8.5, y + 8.5, 2)
    canvas.draw(outer - box(x - 4.5, y - 4.5, x + 5.5, y + 5.5, 1), (0, 0, 0))
    canvas.draw(box(x - 6.5, y - 6.5, x + 7.5, y + 7.5, 2) - box(x - 5.5, y - 5.5, x + 6.5, y + 6.5, 1), WHITE)
    return encode_ico([canvas], hotspot)
