"""Small software rasteriser for the program's artwork (Python standard library only).

Everything works on coverage maps: a dict-free, row-major list of floats in 0..1 for one shape,
which the drawing scripts then blend into their own colour buffers. Polygons are filled with four
sub-scanlines per pixel and exact horizontal coverage, strokes by their distance to the pen path,
so edges come out antialiased without any outside library.
"""

import math


class Coverage:
    """A w x h map of how much of each pixel a shape covers."""

    def __init__(self, w, h):
        self.w = w
        self.h = h
        self.a = [0.0] * (w * h)

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.a[y * self.w + x]
        return 0.0

    def sample(self, fx, fy):
        """Bilinear look-up at a fractional position (used for wavy reflections)."""
        x0 = math.floor(fx)
        y0 = math.floor(fy)
        tx = fx - x0
        ty = fy - y0
        a = self.get(x0, y0) * (1 - tx) + self.get(x0 + 1, y0) * tx
        b = self.get(x0, y0 + 1) * (1 - tx) + self.get(x0 + 1, y0 + 1) * tx
        return a * (1 - ty) + b * ty

    def union(self, other):
        for i, v in enumerate(other.a):
            if v > self.a[i]:
                self.a[i] = v


SUBROWS = 4


def fill_polygon(cov, points, scale=1.0, dx=0.0, dy=0.0):
    """Adds a polygon (list of (x, y)) to cov, even-odd rule, antialiased."""
    pts = [(x * scale + dx, y * scale + dy) for x, y in points]
    edges = []
    n = len(pts)
    for i in range(n):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % n]
        if y0 != y1:
            edges.append((x0, y0, x1, y1))
    ymin = max(0, int(math.floor(min(p[1] for p in pts))))
    ymax = min(cov.h - 1, int(math.ceil(max(p[1] for p in pts))))
    w = cov.w
    for py in range(ymin, ymax + 1):
        row = [0.0] * w
        touched = False
        for s in range(SUBROWS):
            sy = py + (s + 0.5) / SUBROWS
            xs = []
            for x0, y0, x1, y1 in edges:
                if (y0 <= sy < y1) or (y1 <= sy < y0):
                    xs.append(x0 + (sy - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for k in range(0, len(xs) - 1, 2):
                touched = True
                _add_span(row, xs[k], xs[k + 1], 1.0 / SUBROWS)
        if touched:
            base = py * w
            a = cov.a
            for x in range(w):
                v = row[x]
                if v:
                    t = a[base + x] + v
                    a[base + x] = 1.0 if t > 1.0 else t


def _add_span(row, xa, xb, weight):
    w = len(row)
    xa = max(0.0, xa)
    xb = min(float(w), xb)
    if xb <= xa:
        return
    ia = int(xa)
    ib = int(xb)
    if ia == ib:
        row[ia] += (xb - xa) * weight
        return
    row[ia] += (ia + 1 - xa) * weight
    for x in range(ia + 1, min(ib, w)):
        row[x] += weight
    if ib < w:
        row[ib] += (xb - ib) * weight


def _segment_distance(px, py, x0, y0, x1, y1):
    vx = x1 - x0
    vy = y1 - y0
    ll = vx * vx + vy * vy
    if ll == 0:
        return math.hypot(px - x0, py - y0)
    t = ((px - x0) * vx + (py - y0) * vy) / ll
    t = 0.0 if t < 0 else (1.0 if t > 1 else t)
    return math.hypot(px - (x0 + t * vx), py - (y0 + t * vy))


def stroke_distance(segments, x0, y0, x1, y1):
    """Distance from every pixel centre in the box to the nearest segment: {(x, y): d}."""
    out = {}
    for y in range(y0, y1):
        for x in range(x0, x1):
            px = x + 0.5
            py = y + 0.5
            best = 1e9
            for s in segments:
                d = _segment_distance(px, py, *s)
                if d < best:
                    best = d
            out[(x, y)] = best
    return out


def stroke_polylines(cov, polylines, width):
    """Adds round-capped, round-joined strokes of the given pen width."""
    segments = []
    for line in polylines:
        for i in range(len(line) - 1):
            segments.append((*line[i], *line[i + 1]))
    r = width / 2.0
    x0 = max(0, int(min(min(s[0], s[2]) for s in segments) - r - 2))
    x1 = min(cov.w, int(max(max(s[0], s[2]) for s in segments) + r + 3))
    y0 = max(0, int(min(min(s[1], s[3]) for s in segments) - r - 2))
    y1 = min(cov.h, int(max(max(s[1], s[3]) for s in segments) + r + 3))
    for (x, y), d in stroke_distance(segments, x0, y0, x1, y1).items():
        c = r + 0.5 - d
        if c > 0:
            i = y * cov.w + x
            c = 1.0 if c > 1 else c
            if c > cov.a[i]:
                cov.a[i] = c


# A chamfered block alphabet of our own, on a grid 6 units wide and 10 high (y down): the plain,
# stencilled lettering painted on naval equipment. Only the letters the artwork needs.
GLYPHS = {
    "S": [[(6, 1.5), (4.5, 0), (1.5, 0), (0, 1.5), (0, 3.5), (1.5, 5), (4.5, 5), (6, 6.5),
           (6, 8.5), (4.5, 10), (1.5, 10), (0, 8.5)]],
    "H": [[(0, 0), (0, 10)], [(6, 0), (6, 10)], [(0, 5), (6, 5)]],
    "3": [[(0, 1.5), (1.5, 0), (4.5, 0), (6, 1.5), (6, 3.5), (4.5, 5), (2, 5)],
          [(4.5, 5), (6, 6.5), (6, 8.5), (4.5, 10), (1.5, 10), (0, 8.5)]],
    "D": [[(0, 0), (3.5, 0), (6, 2.5), (6, 7.5), (3.5, 10), (0, 10), (0, 0)]],
    "U": [[(0, 0), (0, 8.5), (1.5, 10), (4.5, 10), (6, 8.5), (6, 0)]],
    "P": [[(0, 10), (0, 0), (4.5, 0), (6, 1.5), (6, 4), (4.5, 5.5), (0, 5.5)]],
    "L": [[(0, 0), (0, 10), (6, 10)]],
    "O": [[(1.5, 0), (4.5, 0), (6, 1.5), (6, 8.5), (4.5, 10), (1.5, 10), (0, 8.5), (0, 1.5),
           (1.5, 0)]],
    "R": [[(0, 10), (0, 0), (4.5, 0), (6, 1.5), (6, 4), (4.5, 5.5), (0, 5.5)],
          [(3, 5.5), (6, 10)]],
    "A": [[(0, 10), (0, 2.5), (2.5, 0), (3.5, 0), (6, 2.5), (6, 10)], [(0, 6), (6, 6)]],
}
GLYPH_WIDTH = 6.0
SPACE_WIDTH = 4.0


def text_polylines(text, unit, tracking, x, y):
    """Polylines of text with its top-left stroke centre at (x, y); also returns the width."""
    lines = []
    pen = 0.0
    for ch in text:
        if ch == " ":
            pen += SPACE_WIDTH * unit
            continue
        for line in GLYPHS[ch]:
            lines.append([(x + pen + gx * unit, y + gy * unit) for gx, gy in line])
        pen += (GLYPH_WIDTH + tracking) * unit
    return lines, pen - tracking * unit


def text_width(text, unit, tracking):
    return text_polylines(text, unit, tracking, 0, 0)[1]


class ValueNoise:
    """Smooth 2-D value noise from a fixed lattice of pseudo-random numbers (reproducible)."""

    def __init__(self, seed, size=256):
        import random

        rnd = random.Random(seed)
        self.size = size
        self.v = [rnd.random() for _ in range(size * size)]

    def at(self, x, y):
        n = self.size
        x0 = math.floor(x)
        y0 = math.floor(y)
        tx = x - x0
        ty = y - y0
        tx = tx * tx * (3 - 2 * tx)
        ty = ty * ty * (3 - 2 * ty)
        x0 %= n
        y0 %= n
        x1 = (x0 + 1) % n
        y1 = (y0 + 1) % n
        v = self.v
        a = v[y0 * n + x0] * (1 - tx) + v[y0 * n + x1] * tx
        b = v[y1 * n + x0] * (1 - tx) + v[y1 * n + x1] * tx
        return a * (1 - ty) + b * ty

    def fbm(self, x, y, octaves=4):
        total = 0.0
        amp = 0.5
        for _ in range(octaves):
            total += amp * self.at(x, y)
            x *= 2.03
            y *= 2.03
            amp *= 0.5
        return total


def write_png(path, width, height, data, channels):
    """Writes 8-bit RGB (channels 3) or RGBA (channels 4) pixel bytes, row after row, as a PNG:
    previews of what the scripts draw."""
    import struct
    import zlib

    stride = width * channels
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        raw += data[y * stride:(y + 1) * stride]

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    colour_type = 6 if channels == 4 else 2
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))
