"""A small RGBA canvas with anti-aliased shapes, enough to draw the console's skin.

Shapes are signed distance functions (negative inside); a pixel's coverage is the part of a
one-pixel band around the edge that lies inside, which gives smooth edges without
supersampling. Plain fills stay on the fast path of byte-slice assignment.
"""

import math


class Shape:
    """A signed distance function with the box (x0, y0, x1, y1) outside of which it is positive."""

    def __init__(self, sd, box):
        self.sd = sd
        self.box = box

    def __or__(self, other):
        a, b = self.sd, other.sd
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _box_union(self.box, other.box))

    def __and__(self, other):
        a, b = self.sd, other.sd
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _box_meet(self.box, other.box))

    def __sub__(self, other):
        a, b = self.sd, other.sd
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)


def _box_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _box_meet(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, width):
    half = width / 2.0
    return Shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - half,
                 (cx - r - half, cy - r - half, cx + r + half, cy + r + half))


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius

    def sd(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return Shape(sd, (x0, y0, x1, y1))


def segment(ax, ay, bx, by, width):
    """A line from a to b with round caps."""
    half = width / 2.0
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9

    def sd(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / length2
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - half

    return Shape(sd, (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half))


def polyline(points, width):
    shape = segment(*points[0], *points[1], width)
    for a, b in zip(points[1:], points[2:]):
        shape = shape | segment(*a, *b, width)
    return shape


def polygon(points):
    """A filled polygon (any simple polygon) given as (x, y) corners."""
    n = len(points)

    def sd(x, y):
        best = float("inf")
        inside = False
        j = n - 1
        for i in range(n):
            xi, yi = points[i]
            xj, yj = points[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            t = (wx * ex + wy * ey) / ((ex * ex + ey * ey) or 1e-9)
            t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
            best = min(best, (wx - ex * t) ** 2 + (wy - ey * t) ** 2)
            if (yi > y) != (yj > y) and x < xi + (y - yi) * ex / ey:
                inside = not inside
            j = i
        distance = math.sqrt(best)
        return -distance if inside else distance

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(sd, (min(xs), min(ys), max(xs), max(ys)))


def arc(cx, cy, r, width, start, end):
    """Part of a ring from angle start to end (degrees, clockwise from 3 o'clock), round caps."""
    half = width / 2.0
    a0, a1 = math.radians(start), math.radians(end)
    span = (a1 - a0) % (2 * math.pi) or 2 * math.pi
    ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (a0, a1)]

    def sd(x, y):
        if (math.atan2(y - cy, x - cx) - a0) % (2 * math.pi) <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - half
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - half

    return Shape(sd, (cx - r - half, cy - r - half, cx + r + half, cy + r + half))


def grow(shape, amount):
    """The shape widened by `amount` pixels on every side (an outline underlay)."""
    sd = shape.sd
    x0, y0, x1, y1 = shape.box
    return Shape(lambda x, y: sd(x, y) - amount, (x0 - amount, y0 - amount, x1 + amount, y1 + amount))


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Canvas:
    """Top-down RGBA pixels; colours are (r, g, b) tuples, alpha is 255 unless cleared."""

    def __init__(self, width, height, color=(0, 0, 0), alpha=255):
        self.width = width
        self.height = height
        self.rgba = bytearray(bytes((color[0], color[1], color[2], alpha)) * (width * height))

    def pixel(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.rgba[i:i + 4])

    def fill_rect(self, x0, y0, x1, y1, color, alpha=255):
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.width, int(x1)), min(self.height, int(y1))
        if x0 >= x1 or y0 >= y1:
            return
        run = bytes((color[0], color[1], color[2], alpha)) * (x1 - x0)
        for y in range(y0, y1):
            i = (y * self.width + x0) * 4
            self.rgba[i:i + len(run)] = run

    def fill(self, color, alpha=255):
        self.fill_rect(0, 0, self.width, self.height, color, alpha)

    def gradient(self, x0, y0, x1, y1, top, bottom, steps=None):
        """A vertical gradient from top to bottom colour, in `steps` bands when given."""
        rows = max(1, int(y1) - int(y0) - 1)
        for y in range(int(y0), int(y1)):
            t = (y - int(y0)) / rows
            if steps:
                t = int(t * steps) / float(steps)
            self.fill_rect(x0, y, x1, y + 1, mix(top, bottom, t))

    def blend(self, x, y, color, coverage):
        """Paints color over the pixel with the given coverage (0 to 1), straight alpha."""
        if coverage <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        i = (y * self.width + x) * 4
        px = self.rgba
        if coverage >= 1.0:
            px[i], px[i + 1], px[i + 2], px[i + 3] = color[0], color[1], color[2], 255
            return
        below = px[i + 3] / 255.0
        alpha = coverage + below * (1.0 - coverage)
        for k in range(3):
            px[i + k] = int(round((color[k] * coverage + px[i + k] * below * (1.0 - coverage)) / alpha))
        px[i + 3] = int(round(alpha * 255))

    def draw(self, shape, color, opacity=1.0, smooth=True, clip=None, levels=None):
        """Paints a shape. Without smoothing every pixel is either in or out (for colour keys);
        `levels` rounds the edge coverage to that many steps (to keep within 256 colours)."""
        x0, y0, x1, y1 = shape.box
        if clip:
            x0, y0, x1, y1 = _box_meet((x0, y0, x1, y1), clip)
        sd = shape.sd
        for y in range(max(0, int(math.floor(y0)) - 1), min(self.height, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(math.floor(x0)) - 1), min(self.width, int(math.ceil(x1)) + 1)):
                d = sd(x + 0.5, y + 0.5)
                if smooth:
                    coverage = 0.5 - d
                    coverage = 1.0 if coverage > 1.0 else coverage
                else:
                    coverage = 1.0 if d <= 0.0 else 0.0
                if levels and 0.0 < coverage < 1.0:
                    coverage = round(coverage * levels) / float(levels)
                if coverage > 0.0:
                    self.blend(x, y, color, coverage * opacity)

    def round_rect(self, x0, y0, x1, y1, radius, color, smooth=True):
        """A filled rectangle with round corners on integer edges, filled fast in the middle."""
        r = int(radius)
        if r <= 0:
            self.fill_rect(x0, y0, x1, y1, color)
            return
        self.fill_rect(x0 + r, y0, x1 - r, y1, color)
        self.fill_rect(x0, y0 + r, x0 + r, y1 - r, color)
        self.fill_rect(x1 - r, y0 + r, x1, y1 - r, color)
        for cx, cy, qx, qy in ((x0 + r, y0 + r, x0, y0), (x1 - r, y0 + r, x1 - r, y0),
                               (x0 + r, y1 - r, x0, y1 - r), (x1 - r, y1 - r, x1 - r, y1 - r)):
            self.draw(circle(cx, cy, r), color, smooth=smooth, clip=(qx, qy, qx + r - 0.5, qy + r - 0.5))

    def framed_rect(self, x0, y0, x1, y1, radius, fill, border, width=1):
        """A rounded rectangle with a border of the given width."""
        self.round_rect(x0, y0, x1, y1, radius, border)
        self.round_rect(x0 + width, y0 + width, x1 - width, y1 - width, max(0, radius - width), fill)
