"""The skin's pictograms, each a Shape inside a square of side `s` centred on (cx, cy).

Coordinates inside a glyph run from -0.5 to 0.5 of the square; strokes scale with it.
"""

import math

from raster import arc, box, circle, polygon, polyline, ring, segment


class _Frame:
    def __init__(self, cx, cy, s):
        self.cx, self.cy, self.s = cx, cy, s

    def p(self, u, v):
        return (self.cx + u * self.s, self.cy + v * self.s)

    def w(self, t):
        return t * self.s

    def line(self, u0, v0, u1, v1, t):
        return segment(*self.p(u0, v0), *self.p(u1, v1), self.w(t))

    def lines(self, points, t):
        return polyline([self.p(u, v) for u, v in points], self.w(t))

    def poly(self, points):
        return polygon([self.p(u, v) for u, v in points])

    def rect(self, u0, v0, u1, v1, r=0.0):
        x0, y0 = self.p(u0, v0)
        x1, y1 = self.p(u1, v1)
        return box(x0, y0, x1, y1, self.w(r))

    def outline(self, u0, v0, u1, v1, r, t):
        return self.rect(u0, v0, u1, v1, r) - self.rect(u0 + t, v0 + t, u1 - t, v1 - t, max(0.0, r - t))

    def dot(self, u, v, r):
        return circle(*self.p(u, v), self.w(r))

    def ring(self, u, v, r, t):
        return ring(*self.p(u, v), self.w(r), self.w(t))

    def arc(self, u, v, r, t, start, end):
        return arc(*self.p(u, v), self.w(r), self.w(t), start, end)


def close(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.line(-0.32, -0.32, 0.32, 0.32, 0.11) | f.line(-0.32, 0.32, 0.32, -0.32, 0.11)


def minimise(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.line(-0.3, 0.25, 0.3, 0.25, 0.11)


def plus(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.line(-0.34, 0, 0.34, 0, 0.12) | f.line(0, -0.34, 0, 0.34, 0.12)


def minus(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.line(-0.34, 0, 0.34, 0, 0.12)


def play(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.poly([(-0.26, -0.36), (0.36, 0), (-0.26, 0.36)])


def stop(cx, cy, s):
    return _Frame(cx, cy, s).rect(-0.3, -0.3, 0.3, 0.3, 0.05)


def triangle(cx, cy, s, direction):
    """A solid arrow head pointing 'up', 'down', 'left' or 'right'."""
    points = {"up": [(-0.36, 0.2), (0, -0.22), (0.36, 0.2)],
              "down": [(-0.36, -0.2), (0, 0.22), (0.36, -0.2)],
              "left": [(0.2, -0.36), (-0.22, 0), (0.2, 0.36)],
              "right": [(-0.2, -0.36), (0.22, 0), (-0.2, 0.36)]}[direction]
    return _Frame(cx, cy, s).poly(points)


def chevron(cx, cy, s, direction):
    points = {"left": [(0.14, -0.32), (-0.16, 0), (0.14, 0.32)],
              "right": [(-0.14, -0.32), (0.16, 0), (-0.14, 0.32)]}[direction]
    return _Frame(cx, cy, s).lines(points, 0.12)


def check(cx, cy, s):
    return _Frame(cx, cy, s).lines([(-0.32, 0.02), (-0.1, 0.26), (0.34, -0.24)], 0.13)


def double_check(cx, cy, s):
    f = _Frame(cx, cy, s)
    return (f.lines([(-0.44, 0.0), (-0.26, 0.2), (0.06, -0.22)], 0.11)
            | f.lines([(-0.1, 0.06), (0.04, 0.2), (0.42, -0.22)], 0.11))


def monitor(cx, cy, s):
    f = _Frame(cx, cy, s)
    screen = f.outline(-0.42, -0.34, 0.42, 0.2, 0.04, 0.07)
    return screen | f.line(0, 0.2, 0, 0.34, 0.08) | f.line(-0.18, 0.36, 0.18, 0.36, 0.08)


def eye(cx, cy, s):
    f = _Frame(cx, cy, s)
    upper = f.dot(0, 0.42, 0.62)
    lower = f.dot(0, -0.42, 0.62)
    almond = upper & lower
    inner = f.dot(0, 0.42, 0.55) & f.dot(0, -0.42, 0.55)
    return (almond - inner) | f.dot(0, 0, 0.12)


def cycle(cx, cy, s):
    f = _Frame(cx, cy, s)
    top = f.arc(0, 0, 0.3, 0.09, 200, 340) | f.poly([(0.2, -0.2), (0.42, -0.12), (0.4, -0.36)])
    bottom = f.arc(0, 0, 0.3, 0.09, 20, 160) | f.poly([(-0.2, 0.2), (-0.42, 0.12), (-0.4, 0.36)])
    return top | bottom


def presenter(cx, cy, s):
    f = _Frame(cx, cy, s)
    board = f.outline(-0.1, -0.42, 0.46, 0.06, 0.03, 0.06)
    person = f.dot(-0.3, -0.2, 0.1) | f.rect(-0.44, -0.06, -0.16, 0.42, 0.1)
    pointer = f.line(-0.2, -0.02, 0.12, -0.22, 0.06)
    return board | person | pointer


def video(cx, cy, s):
    f = _Frame(cx, cy, s)
    frame = f.outline(-0.44, -0.32, 0.44, 0.32, 0.06, 0.07)
    return frame | f.poly([(-0.12, -0.16), (0.18, 0), (-0.12, 0.16)])


def power(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.arc(0, 0.04, 0.3, 0.1, -50, 230) | f.line(0, -0.4, 0, -0.04, 0.1)


def bubble(cx, cy, s):
    f = _Frame(cx, cy, s)
    body = f.rect(-0.44, -0.34, 0.44, 0.2, 0.12) | f.poly([(-0.24, 0.1), (-0.26, 0.42), (0.02, 0.14)])
    dots = f.dot(-0.2, -0.07, 0.07) | f.dot(0, -0.07, 0.07) | f.dot(0.2, -0.07, 0.07)
    return body - dots


def padlock(cx, cy, s):
    f = _Frame(cx, cy, s)
    shackle = f.arc(0, -0.12, 0.2, 0.09, 180, 360) | f.line(-0.2, -0.12, -0.2, 0.0, 0.09) \
        | f.line(0.2, -0.12, 0.2, 0.0, 0.09)
    body = f.rect(-0.32, -0.02, 0.32, 0.42, 0.06)
    keyhole = f.dot(0, 0.16, 0.06) | f.rect(-0.025, 0.16, 0.025, 0.3)
    return shackle | (body - keyhole)


def camera(cx, cy, s):
    f = _Frame(cx, cy, s)
    body = f.rect(-0.44, -0.22, 0.44, 0.34, 0.08) | f.rect(-0.16, -0.34, 0.14, -0.16, 0.04)
    lens = f.dot(0, 0.06, 0.17)
    return (body - lens) | f.dot(0, 0.06, 0.09)


def speaker(cx, cy, s):
    f = _Frame(cx, cy, s)
    cone = f.poly([(-0.42, -0.12), (-0.22, -0.12), (0.02, -0.34), (0.02, 0.34), (-0.22, 0.12), (-0.42, 0.12)])
    return cone | f.arc(0.04, 0, 0.18, 0.07, -45, 45) | f.arc(0.04, 0, 0.34, 0.07, -45, 45)


def home(cx, cy, s):
    f = _Frame(cx, cy, s)
    roof = f.lines([(-0.42, 0.0), (0, -0.38), (0.42, 0.0)], 0.1)
    house = f.outline(-0.28, -0.06, 0.28, 0.38, 0.02, 0.09) | f.rect(-0.08, 0.14, 0.08, 0.38)
    return roof | house


def back(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.lines([(-0.08, -0.3), (-0.36, 0), (-0.08, 0.3)], 0.1) | f.line(-0.34, 0, 0.38, 0, 0.1)


def broadcast(cx, cy, s):
    f = _Frame(cx, cy, s)
    screen = f.outline(-0.42, -0.16, 0.14, 0.26, 0.03, 0.07) | f.line(-0.14, 0.3, -0.14, 0.4, 0.07)
    waves = f.arc(0.16, -0.18, 0.16, 0.07, 270, 360) | f.arc(0.16, -0.18, 0.3, 0.07, 270, 360)
    return screen | waves


def touch(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.dot(0, 0, 0.12) | f.ring(0, 0, 0.26, 0.06) | f.ring(0, 0, 0.4, 0.04)


def pen(cx, cy, s):
    f = _Frame(cx, cy, s)
    body = f.line(0.3, -0.3, -0.16, 0.16, 0.16)
    tip = f.poly([(-0.25, 0.1), (-0.1, 0.25), (-0.38, 0.38)])
    return body | tip


def pointer(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.poly([(-0.24, -0.42), (-0.24, 0.26), (-0.08, 0.12), (0.06, 0.42), (0.16, 0.38),
                   (0.02, 0.08), (0.24, 0.08)])


def board(cx, cy, s):
    f = _Frame(cx, cy, s)
    sheet = f.outline(-0.42, -0.34, 0.42, 0.22, 0.03, 0.07)
    legs = f.line(-0.2, 0.22, -0.3, 0.42, 0.07) | f.line(0.2, 0.22, 0.3, 0.42, 0.07)
    return sheet | legs | f.line(-0.24, -0.08, 0.1, -0.08, 0.06)


def eraser(cx, cy, s):
    f = _Frame(cx, cy, s)
    block = f.poly([(-0.1, -0.36), (0.4, 0.1), (0.12, 0.38), (-0.38, -0.08)])
    band = f.poly([(-0.24, -0.22), (0.26, 0.24), (0.12, 0.38), (-0.38, -0.08)])
    return (block - band) | f.line(-0.38, 0.42, 0.3, 0.42, 0.05) | (band - f.poly(
        [(-0.2, -0.14), (0.2, 0.24), (0.12, 0.31), (-0.3, -0.08)]))


def trash(cx, cy, s):
    f = _Frame(cx, cy, s)
    can = f.outline(-0.26, -0.18, 0.26, 0.42, 0.04, 0.08)
    lid = f.line(-0.36, -0.26, 0.36, -0.26, 0.08) | f.line(-0.1, -0.36, 0.1, -0.36, 0.08)
    return can | lid | f.line(-0.08, -0.06, -0.08, 0.3, 0.06) | f.line(0.08, -0.06, 0.08, 0.3, 0.06)


def floppy(cx, cy, s):
    f = _Frame(cx, cy, s)
    body = f.poly([(-0.4, -0.4), (0.26, -0.4), (0.4, -0.26), (0.4, 0.4), (-0.4, 0.4)])
    shutter = f.rect(-0.22, -0.4, 0.18, -0.1)
    label = f.rect(-0.26, 0.08, 0.26, 0.4)
    return (body - shutter - label) | f.rect(0.02, -0.34, 0.12, -0.16)


def half_tone(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.ring(0, 0, 0.34, 0.08) | (f.dot(0, 0, 0.34) & f.rect(0, -0.4, 0.4, 0.4))


def exclamation(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.line(0, -0.34, 0, 0.1, 0.14) | f.dot(0, 0.3, 0.08)


def question(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.arc(0, -0.16, 0.18, 0.12, 180, 420) | f.line(0.0, 0.02, 0.0, 0.12, 0.12) | f.dot(0, 0.32, 0.08)


def send(cx, cy, s):
    f = _Frame(cx, cy, s)
    return f.poly([(-0.42, -0.36), (0.42, 0), (-0.42, 0.36), (-0.26, 0)])


def people(cx, cy, s):
    f = _Frame(cx, cy, s)
    back_person = f.dot(0.14, -0.2, 0.13) | f.rect(-0.06, -0.02, 0.36, 0.3, 0.12)
    front = f.dot(-0.12, -0.1, 0.14) | f.rect(-0.36, 0.08, 0.12, 0.42, 0.12)
    return back_person | front


def grip(cx, cy, s):
    f = _Frame(cx, cy, s)
    shape = None
    for i in range(3):
        for j in range(3 - i):
            dot = f.dot(0.3 - j * 0.3, 0.3 - i * 0.3, 0.08)
            shape = dot if shape is None else shape | dot
    return shape


def swatch(cx, cy, s):
    return _Frame(cx, cy, s).dot(0, 0, 0.34)


def stroke_width_sample(cx, cy, s, width):
    """A horizontal line of the given pixel width, as the width buttons show."""
    return segment(cx - s * 0.36, cy, cx + s * 0.36, cy, width)


def spokes(cx, cy, r_in, r_out, count, width, angle=0.0):
    shape = None
    for k in range(count):
        a = math.radians(angle + k * 360.0 / count)
        spoke = segment(cx + r_in * math.cos(a), cy + r_in * math.sin(a),
                        cx + r_out * math.cos(a), cy + r_out * math.sin(a), width)
        shape = spoke if shape is None else shape | spoke
    return shape


def swap(cx, cy, s):
    f = _Frame(cx, cy, s)
    top = f.line(-0.36, -0.16, 0.3, -0.16, 0.09) | f.poly([(0.16, -0.34), (0.42, -0.16), (0.16, 0.02)])
    bottom = f.line(0.36, 0.16, -0.3, 0.16, 0.09) | f.poly([(-0.16, -0.02), (-0.42, 0.16), (-0.16, 0.34)])
    return top | bottom


def camera_locked(cx, cy, s):
    """A camera with a padlock badge: the capture permission is missing."""
    f = _Frame(cx, cy, s)
    badge = f.dot(0.3, 0.3, 0.24)
    return (camera(cx - s * 0.08, cy - s * 0.06, s * 0.9) - badge) | padlock(*f.p(0.3, 0.3), s * 0.4)
