#!/usr/bin/env python3
"""Draws the StartWindow's background picture and writes it as assets/background.jpg.

A U-boat running on the surface at dusk, the sun setting behind its conning tower, the program's
name above. The bottom band stays dark and calm: the language buttons (y 435..470) and the red
status line (y 406..466) are drawn over it.

The raster is drawn here, encoded by cjpeg (libjpeg-turbo-progs) as a baseline JPEG, and the JFIF
header is then set to version 1.02 with a density of 100 x 100 dots per inch.

Usage: make_background.py [OUTPUT.jpg] [--png PREVIEW.png]
"""

import math
import os
import random
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import raster  # noqa: E402

W, H = 640, 480
HORIZON = 262
WATERLINE = 304
SUN_X, SUN_Y, SUN_R = 392.0, 256.0, 21.0
QUALITY = 94


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else (hi if v > hi else v)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def gradient(stops, t):
    """Colour at t on a list of (position, (r, g, b)) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


SKY = [
    (0.00, (6, 10, 26)),
    (0.35, (18, 30, 62)),
    (0.70, (66, 62, 92)),
    (0.88, (150, 96, 88)),
    (1.00, (226, 140, 80)),
]
SEA = [
    (0.00, (70, 58, 70)),
    (0.08, (34, 40, 60)),
    (0.35, (14, 24, 40)),
    (0.70, (6, 12, 22)),
    (1.00, (3, 6, 12)),
]


def boat_shapes():
    """The boat's silhouette as polygons and strokes, in its own frame: x from the stern, y up
    from the waterline. Bow to the right, a Type VII-like outline."""
    hull = [(-4, -6), (-6, 1), (8, 5), (34, 11), (70, 14), (300, 14), (340, 15), (372, 19),
            (402, 26), (398, 18), (390, 8), (382, -6)]
    tower = [(150, 13), (150, 31), (156, 33), (171, 33), (174, 43), (180, 47), (224, 47),
             (232, 42), (246, 30), (258, 13)]
    gun_mount = [(282, 13), (282, 21), (292, 23), (296, 13)]
    flak_mount = [(156, 33), (156, 38), (166, 38), (166, 33)]
    periscopes = [
        [(194, 47), (194, 80)],
        [(206, 47), (206, 72)],
    ]
    thin = [
        [(286, 20), (322, 24)],  # deck gun barrel
        [(160, 38), (141, 47)],  # flak barrel
        [(402, 26), (226, 47)],  # net cutter wire to the tower
        [(152, 31), (6, 7)],     # jumping wire aft
        [(216, 47), (218, 60)],  # radio mast
    ]
    railing = [[(x, 33), (x, 37)] for x in range(150, 170, 4)]
    return [hull, tower, gun_mount, flak_mount], periscopes, thin + railing


def boat_coverage(x0):
    cov = raster.Coverage(W, H)

    def tx(p):
        return (x0 + p[0], WATERLINE - p[1])

    polys, periscopes, thin = boat_shapes()
    for poly in polys:
        raster.fill_polygon(cov, [tx(p) for p in poly])
    raster.stroke_polylines(cov, [[tx(p) for p in line] for line in periscopes], 3.2)
    raster.stroke_polylines(cov, [[tx(p) for p in line] for line in thin], 1.4)
    # The deck gun's barrel is heavier than a wire.
    raster.stroke_polylines(cov, [[tx(p) for p in thin[0]]], 2.6)
    return cov


def title_layers():
    """Fill, outline and shadow coverage of the program's name."""
    text = "SH3 DUPLORA"
    unit = 5.6
    tracking = 2.6
    width = raster.text_width(text, unit, tracking)
    x = (W - width) / 2
    y = 40
    lines, _ = raster.text_polylines(text, unit, tracking, x, y)
    fill = raster.Coverage(W, H)
    raster.stroke_polylines(fill, lines, 1.55 * unit)
    edge = raster.Coverage(W, H)
    raster.stroke_polylines(edge, lines, 1.55 * unit + 4.0)
    shadow_lines = [[(px + 4, py + 5) for px, py in line] for line in lines]
    shadow = raster.Coverage(W, H)
    raster.stroke_polylines(shadow, shadow_lines, 1.55 * unit + 5.0)
    rule = raster.Coverage(W, H)
    ry = y + 10 * unit + 24
    raster.stroke_polylines(rule, [[(x + 30, ry), (W / 2 - 26, ry)],
                                   [(W / 2 + 26, ry), (x + width - 30, ry)]], 1.6)
    # A small periscope reticle between the two halves of the rule.
    rr = 11.0
    circle = [(W / 2 + rr * math.cos(a * math.pi / 24), ry + rr * math.sin(a * math.pi / 24))
              for a in range(49)]
    raster.stroke_polylines(rule, [circle, [(W / 2 - 6, ry), (W / 2 + 6, ry)],
                                   [(W / 2, ry - 6), (W / 2, ry + 6)]], 1.6)
    return fill, edge, shadow, rule, (y - unit, y + 11 * unit)


def draw():
    rnd = random.Random(1942)
    clouds = raster.ValueNoise(7)
    waves = raster.ValueNoise(11)
    img = [(0.0, 0.0, 0.0)] * (W * H)

    boat_x0 = 188
    boat = boat_coverage(boat_x0)
    fill, edge, shadow, rule, (ty0, ty1) = title_layers()

    for y in range(H):
        for x in range(W):
            if y < HORIZON:
                t = y / HORIZON
                c = gradient(SKY, t)
                # Glow of the low sun, wide along the horizon.
                dx = (x - SUN_X) / 260.0
                dy = (y - SUN_Y) / 90.0
                glow = math.exp(-(dx * dx + dy * dy))
                c = mix(c, (255, 170, 96), 0.55 * glow)
                # Long streaks of cloud, lit from below near the sun.
                n = clouds.fbm(x / 170.0, y / 16.0)
                dens = clamp((n - 0.46) * 3.2) * (0.25 + 0.75 * t)
                lit = mix((22, 22, 40), (210, 120, 90), clamp(glow * 1.4 + t * 0.3))
                c = mix(c, lit, 0.75 * dens)
                # The sun's disc, soft at the rim, resting on the horizon.
                d = math.hypot(x + 0.5 - SUN_X, y + 0.5 - SUN_Y)
                disc = clamp(SUN_R + 0.5 - d)
                c = mix(c, (255, 214, 150), disc * (1.0 - 0.6 * dens))
                # Stars high up, away from the glow.
                if t < 0.45 and rnd.random() < 0.0016:
                    b = rnd.random() * 0.6 * (1 - t / 0.45)
                    c = mix(c, (220, 226, 255), b)
            else:
                t = (y - HORIZON) / (H - HORIZON)
                c = gradient(SEA, t)
                depth = y - HORIZON + 2.0
                # Swell in perspective: the sea plane's coordinates behind each pixel, so the
                # ripples crowd together towards the horizon and stretch along it. Where they
                # would become finer than a pixel they fade into the mean colour.
                wz = 700.0 / depth
                wx = (x - W / 2) * 9.0 / depth
                n = waves.fbm(wx * 0.22, wz * 1.3, 3)
                n = 0.5 + (n - 0.5) * clamp(depth / 26.0)
                c = mix(c, (0, 0, 0), clamp((0.5 - n) * 1.2) * 0.55)
                crest = clamp((n - 0.54) * 5.0)
                c = mix(c, (70, 82, 108), crest * 0.45 * (1 - t))
                # The sun's glitter path on the water.
                spread = 5.0 + depth * 0.55
                dx = (x - SUN_X) / spread
                path = math.exp(-dx * dx) * math.exp(-depth / 110.0)
                glint = clamp((n - 0.52) * 7.0)
                c = mix(c, (255, 186, 110), clamp(path * (0.15 + 1.3 * glint)))
                # The boat's reflection, broken by the swell.
                if y >= WATERLINE:
                    ry = 2 * WATERLINE - y + 2
                    wob = 2.5 * math.sin(y * 0.9 + x * 0.05)
                    r = boat.sample(x + wob, ry) * clamp(1.0 - (y - WATERLINE) / 60.0)
                    c = mix(c, (4, 6, 10), 0.55 * r)
                # Keep the band under the buttons quiet and dark.
                if y > 392:
                    c = mix(c, (2, 4, 8), clamp((y - 392) / 36.0) * 0.85)
            # Foam along the bow wave and the wake.
            if WATERLINE - 4 <= y <= WATERLINE + 5:
                bx = x - boat_x0
                foam = 0.0
                if 330 < bx < 410:
                    foam = math.exp(-((bx - 392) / 16.0) ** 2)
                elif -70 < bx < 4:
                    foam = 0.5 * math.exp(-((bx + 4) / 30.0) ** 2)
                foam *= clamp(1 - abs(y - WATERLINE - 1) / 4.5)
                foam *= 0.5 + 0.5 * waves.at(x / 3.0, y / 2.0)
                c = mix(c, (190, 170, 160), clamp(foam))
            # The boat itself: a dark silhouette with a faint warm rim towards the sun.
            b = boat.a[y * W + x]
            if b:
                c = mix(c, (7, 9, 14), b)
            # Title: shadow, dark edge, then steel-coloured letters lit from above.
            if ty0 - 12 <= y <= ty1 + 40:
                i = y * W + x
                c = mix(c, (0, 0, 6), 0.6 * shadow.a[i])
                c = mix(c, (10, 14, 24), edge.a[i])
                if fill.a[i]:
                    lt = clamp((y - ty0) / (ty1 - ty0))
                    steel = gradient([(0.0, (240, 244, 248)), (0.5, (186, 198, 212)),
                                      (0.52, (150, 164, 182)), (1.0, (206, 214, 224))], lt)
                    c = mix(c, steel, fill.a[i])
                c = mix(c, (170, 182, 198), 0.8 * rule.a[i])
            # A soft vignette and a trace of grain against banding.
            vx = (x - W / 2) / (W / 2)
            vy = (y - H / 2) / (H / 2)
            v = 1.0 - 0.28 * clamp(vx * vx * 0.6 + vy * vy * 0.5)
            g = (rnd.random() - 0.5) * 2.2
            img[y * W + x] = tuple(clamp(ch * v + g, 0, 255) for ch in c)
    return img


def to_bytes(img):
    out = bytearray()
    for r, g, b in img:
        out += bytes((int(r + 0.5), int(g + 0.5), int(b + 0.5)))
    return bytes(out)


def write_png(path, rgb):
    raster.write_png(path, W, H, rgb, 3)


def encode_jpeg(rgb):
    ppm = b"P6\n%d %d\n255\n" % (W, H) + rgb
    jpeg = subprocess.run(["cjpeg", "-quality", str(QUALITY), "-baseline", "-optimize"],
                          input=ppm, stdout=subprocess.PIPE, check=True).stdout
    return set_jfif_header(jpeg)


def set_jfif_header(jpeg):
    """JFIF 1.02, density in dots per inch, 100 x 100."""
    if jpeg[0:4] != b"\xff\xd8\xff\xe0" or jpeg[6:11] != b"JFIF\x00":
        raise SystemExit("encoder did not write a JFIF header")
    patched = bytearray(jpeg)
    patched[11:18] = bytes((1, 2, 1)) + struct.pack(">HH", 100, 100)
    return bytes(patched)


def check_jpeg(jpeg):
    """Refuses anything but a baseline, 8-bit, three-component 640 x 480 frame."""
    pos = 2
    while pos < len(jpeg):
        if jpeg[pos] != 0xFF:
            raise SystemExit("marker expected at %d" % pos)
        marker = jpeg[pos + 1]
        length = struct.unpack(">H", jpeg[pos + 2:pos + 4])[0]
        if 0xC1 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            raise SystemExit("not a baseline JPEG (SOF%X)" % (marker - 0xC0))
        if marker == 0xC0:
            bits, h, w, comps = struct.unpack(">BHHB", jpeg[pos + 4:pos + 10])
            if (bits, w, h, comps) != (8, W, H, 3):
                raise SystemExit("unexpected frame %r" % ((bits, w, h, comps),))
            return
        pos += 2 + length
    raise SystemExit("no frame header")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "background.jpg")
    png = None
    args = list(argv)
    if "--png" in args:
        i = args.index("--png")
        png = args[i + 1]
        del args[i:i + 2]
    if args:
        out = args[0]
    rgb = to_bytes(draw())
    if png:
        write_png(png, rgb)
    jpeg = encode_jpeg(rgb)
    check_jpeg(jpeg)
    with open(out, "wb") as f:
        f.write(jpeg)
    print("%s: %d bytes" % (out, len(jpeg)))


if __name__ == "__main__":
    main(sys.argv[1:])
