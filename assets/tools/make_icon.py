#!/usr/bin/env python3
"""Draws the application icon and writes it as assets/duplora.ico.

A round badge: dusk sky and sea inside a steel ring, the U-boat of the background picture on the
horizon in front of the setting sun. Six images, 16, 24, 32, 48, 64 and 256 pixels square, all
32 bits per pixel with alpha, each stored as an uncompressed DIB (the 256-pixel one too: 40-byte
header + 256 * 256 * 4 colour bytes + an 8,192-byte AND mask = 270,376 bytes).

Usage: make_icon.py [OUTPUT.ico] [--png PREVIEW.png]
"""

import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import raster  # noqa: E402
from make_background import boat_shapes, clamp, gradient, mix  # noqa: E402

SIZES = [16, 24, 32, 48, 64, 256]
DESIGN = 256.0  # shapes are laid out on a 256-unit square and scaled to each size
HORIZON = 156.0
SKY = [(0.0, (14, 24, 56)), (0.55, (60, 58, 96)), (0.85, (196, 112, 80)), (1.0, (246, 160, 86))]
SEA = [(0.0, (40, 44, 70)), (1.0, (6, 14, 30))]


def circle(cx, cy, r, steps=96):
    return [(cx + r * math.cos(2 * math.pi * k / steps), cy + r * math.sin(2 * math.pi * k / steps))
            for k in range(steps)]


def draw(size):
    """Returns size * size (r, g, b, a) tuples, rows top-down."""
    k = size / DESIGN
    disc = raster.Coverage(size, size)
    raster.fill_polygon(disc, circle(128, 128, 124), k)
    inner = raster.Coverage(size, size)
    ring_width = 14 if size > 32 else 20
    raster.fill_polygon(inner, circle(128, 128, 124 - ring_width), k)
    sun = raster.Coverage(size, size)
    raster.fill_polygon(sun, circle(136, 136, 30, 48), k)

    # The boat: 404 units long in its own frame, scaled to fit the badge.
    boat = raster.Coverage(size, size)
    # Drawn twice as tall as it is: at icon sizes the low hull would vanish into a line.
    bscale = 0.5 * k
    bx0 = (128 - 202 * 0.5) * k
    wl = 172 * k

    def tx(p):
        return (bx0 + p[0] * bscale, wl - p[1] * 2 * bscale)

    polys, periscopes, thin = boat_shapes()
    for poly in polys:
        raster.fill_polygon(boat, [tx(p) for p in poly])
    # Masts and wires only where they still show as more than a smudge.
    if size >= 32:
        raster.stroke_polylines(boat, [[tx(p) for p in line] for line in periscopes],
                                max(1.0, 3.4 * bscale))
    if size >= 48:
        raster.stroke_polylines(boat, [[tx(p) for p in line] for line in thin[:3]],
                                max(0.8, 1.6 * bscale))

    out = []
    for y in range(size):
        for x in range(size):
            i = y * size + x
            a = disc.a[i]
            if a == 0:
                out.append((0, 0, 0, 0))
                continue
            dy = (y + 0.5) / k
            if dy < HORIZON:
                c = gradient(SKY, dy / HORIZON)
            else:
                c = gradient(SEA, (dy - HORIZON) / (DESIGN - HORIZON))
                # The sun's path on the water.
                dx = ((x + 0.5) / k - 136) / 22.0
                c = mix(c, (250, 170, 100), 0.6 * math.exp(-dx * dx) * math.exp(-(dy - HORIZON) / 40))
            c = mix(c, (255, 214, 150), sun.a[i])
            c = mix(c, (6, 8, 14), boat.a[i])
            # The steel ring, lit from the top left.
            ring = clamp(1.0 - inner.a[i])
            light = 0.5 - 0.5 * ((x + y) / size - 1.0)
            steel = mix((70, 82, 100), (214, 222, 232), clamp(light))
            c = mix(c, steel, ring)
            out.append((c[0], c[1], c[2], 255 * a))
    return out


def dib_entry(size, pixels):
    """BITMAPINFOHEADER + bottom-up BGRA + AND mask (1 where fully transparent)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        row_bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            colour += bytes((int(b + 0.5), int(g + 0.5), int(r + 0.5), int(a + 0.5)))
            if int(a + 0.5) == 0:
                row_bits[x // 8] |= 0x80 >> (x % 8)
        mask += row_bits
    return header + bytes(colour) + bytes(mask)


def ico_bytes(images):
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for size, blob in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return head + entries + data


def write_png(path, size, pixels):
    data = bytes(int(v + 0.5) for pixel in pixels for v in pixel)
    raster.write_png(path, size, size, data, 4)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.normpath(os.path.join(here, "..", "duplora.ico"))
    args = list(argv)
    png = None
    if "--png" in args:
        i = args.index("--png")
        png = args[i + 1]
        del args[i:i + 2]
    if args:
        out = args[0]
    images = []
    for size in SIZES:
        pixels = draw(size)
        if png:
            stem, ext = os.path.splitext(png)
            write_png("%s-%d%s" % (stem, size, ext), size, pixels)
        images.append((size, dib_entry(size, pixels)))
    assert len(images[-1][1]) == 270376
    ico = ico_bytes(images)
    with open(out, "wb") as f:
        f.write(ico)
    print("%s: %d bytes, %d images" % (out, len(ico), len(images)))


if __name__ == "__main__":
    main(sys.argv[1:])
