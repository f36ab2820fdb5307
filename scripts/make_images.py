#!/usr/bin/env python3
"""Draws the embedded PNG images: the toolkit's into lcsdk/ui/images/, the wizard banner into
installer/images/; and the macOS application's icon into installer/mac/resources/ (a Mac icon file
of PNGs, written here too).

Run by hand after changing a picture; the files are committed and the build only embeds or copies
them.
Everything is drawn here with anti-aliased shapes and written with zlib + struct. The one
exception is the product name on the wizard banner: its glyphs come from ImageMagick's `convert`
with a DejaVu font (both installed by scripts/setup-debian.sh), read back as a grey-scale mask.

Usage: python3 scripts/make_images.py [output-folder]   (one folder for all, instead of the two)
"""

import math
import os
import struct
import subprocess
import sys
import zlib

SUPERSAMPLE = 4


# ---------------------------------------------------------------------------------------------
# PNG output


def write_png(path, width, height, pixels, alpha):
    with open(path, "wb") as f:
        f.write(png_data(width, height, pixels, alpha))


def png_data(width, height, pixels, alpha):
    """pixels: rows of (r, g, b, a) floats 0..1. RGB images (alpha=False) drop the alpha channel."""
    channels = 4 if alpha else 3
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for px in row:
            for c in px[:channels]:
                raw.append(max(0, min(255, int(round(c * 255)))))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


# ---------------------------------------------------------------------------------------------
# A tiny canvas with anti-aliased shapes


class Canvas:
    def __init__(self, width, height, background=(0.0, 0.0, 0.0, 0.0)):
        self.width = width
        self.height = height
        self.px = [[tuple(background) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, color, coverage):
        """Source-over with straight (non-premultiplied) alpha."""
        a = color[3] * coverage
        if a <= 0.0:
            return
        dr, dg, db, da = self.px[y][x]
        out_a = a + da * (1.0 - a)
        if out_a <= 0.0:
            return
        mix = [(color[i] * a + (dr, dg, db)[i] * da * (1.0 - a)) / out_a for i in range(3)]
        self.px[y][x] = (mix[0], mix[1], mix[2], out_a)

    def fill(self, inside, color, box=None):
        """Fills the area where inside(x, y) holds; color may be a tuple or a function of (x, y)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        n = SUPERSAMPLE
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                hits = 0
                for sy in range(n):
                    for sx in range(n):
                        if inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n):
                            hits += 1
                if hits:
                    c = color(x + 0.5, y + 0.5) if callable(color) else color
                    self.blend(x, y, c, hits / (n * n))


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def segment(ax, ay, bx, by, half_width):
    """A stroke with round caps from a to b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= half_width * half_width
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def outline(x0, y0, x1, y1, r, width):
    return minus(rounded_rect(x0, y0, x1, y1, r),
                 rounded_rect(x0 + width, y0 + width, x1 - width, y1 - width, max(0.0, r - width)))


def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def rgb(hex_text, alpha=1.0):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16 & 255) / 255.0, (v >> 8 & 255) / 255.0, (v & 255) / 255.0, alpha)


def vertical_gradient(top, bottom, y0, y1):
    return lambda x, y: lerp(top, bottom, max(0.0, min(1.0, (y - y0) / (y1 - y0))))


# ---------------------------------------------------------------------------------------------
# Widget images


def check_box():
    """Two 14 x 14 frames stacked vertically: unchecked, checked. Drawn on the dark wizard grey."""
    canvas = Canvas(14, 28, rgb("#2d2d2d"))
    for frame in range(2):
        top = frame * 14
        box = (0, top, 14, top + 14)
        canvas.fill(rect(0, top, 14, top + 14), vertical_gradient(rgb("#161718"), rgb("#232426"), top, top + 14), box)
        canvas.fill(outline(0, top, 14, top + 14, 0, 1), rgb("#a9abae"), box)
        if frame == 1:
            tick = union(segment(3.4, top + 7.2, 5.9, top + 9.9, 0.95),
                         segment(5.9, top + 9.9, 10.6, top + 3.8, 0.95))
            canvas.fill(tick, rgb("#f0f1f2"), box)
    return canvas


def dropdown_arrow():
    canvas = Canvas(8, 5)
    canvas.fill(polygon([(0.0, 0.5), (8.0, 0.5), (4.0, 4.75)]), rgb("#d6d6d6"))
    return canvas


def scroll_arrow():
    """Up arrow in the top 8 x 4 half, down arrow in the bottom half."""
    canvas = Canvas(8, 8)
    color = rgb("#c8c9cc")
    # Pixel-aligned steps: at this size anti-aliased edges only blur the arrow.
    for row, (x0, x1) in enumerate([(3, 5), (2, 6), (1, 7)]):
        canvas.fill(rect(x0, 1 + row, x1, 2 + row), color)  # up: rows 1 to 3
        canvas.fill(rect(x0, 6 - row, x1, 7 - row), color)  # down: rows 6 to 4
    return canvas


def multiwindow_button():
    """A small right-pointing triangle: more tabs than fit."""
    canvas = Canvas(5, 10)
    canvas.fill(polygon([(0.5, 1.5), (4.75, 5.0), (0.5, 8.5)]), rgb("#d2d2d2"))
    return canvas


FOLDER_SHAPE_BACK = [(1.5, 4.5), (7.5, 4.5), (9.5, 6.5), (18.5, 6.5), (18.5, 16.5), (1.5, 16.5)]
FOLDER_SHAPE_FRONT = [(1.5, 8.5), (18.5, 8.5), (18.5, 16.5), (1.5, 16.5)]


def browser_folder():
    canvas = Canvas(20, 20)
    canvas.fill(polygon([(1.0, 4.0), (7.7, 4.0), (9.7, 6.0), (19.0, 6.0), (19.0, 17.0), (1.0, 17.0)]),
                rgb("#7a5d22"))
    canvas.fill(polygon(FOLDER_SHAPE_BACK), rgb("#c99a3c"))
    canvas.fill(rect(1.0, 8.0, 19.0, 17.0), rgb("#7a5d22"))
    canvas.fill(polygon(FOLDER_SHAPE_FRONT), vertical_gradient(rgb("#f2cd6c"), rgb("#d9a843"), 8.5, 16.5))
    canvas.fill(rect(1.5, 8.5, 18.5, 9.5), rgb("#fbe3a0"))
    return canvas


def browser_pack():
    """An isometric box with a strap: a packed bundle of files."""
    canvas = Canvas(20, 20)
    top = [(10.0, 1.5), (18.0, 5.5), (10.0, 9.5), (2.0, 5.5)]
    left = [(2.0, 5.5), (10.0, 9.5), (10.0, 18.5), (2.0, 14.5)]
    right = [(10.0, 9.5), (18.0, 5.5), (18.0, 14.5), (10.0, 18.5)]
    edge = rgb("#2e3f57")
    canvas.fill(polygon([(10.0, 0.8), (18.7, 5.1), (18.7, 14.9), (10.0, 19.3), (1.3, 14.9), (1.3, 5.1)]), edge)
    canvas.fill(polygon(top), rgb("#9cc3ea"))
    canvas.fill(polygon(left), rgb("#5d8fc4"))
    canvas.fill(polygon(right), rgb("#3f6fa3"))
    strap = rgb("#e9eef4")
    canvas.fill(polygon([(5.0, 3.9), (6.6, 3.1), (14.6, 7.1), (13.0, 7.9)]), strap)
    canvas.fill(polygon([(13.0, 7.9), (14.6, 7.1), (14.6, 16.2), (13.0, 17.0)]), strap)
    canvas.fill(segment(10.0, 9.6, 10.0, 18.3, 0.35), rgb("#cfe2f6", 0.7))
    return canvas


def browser_virtual():
    """A folder drawn as a dashed outline: a place that exists only as a view."""
    canvas = Canvas(20, 20)
    body = rgb("#7fb4d9")
    canvas.fill(polygon([(1.5, 4.5), (7.5, 4.5), (9.5, 6.5), (18.5, 6.5), (18.5, 16.5), (1.5, 16.5)]),
                rgb("#7fb4d9", 0.22))

    def dashed(ax, ay, bx, by):
        length = math.hypot(bx - ax, by - ay)
        steps = max(1, int(length // 3))
        parts = []
        for i in range(steps):
            t0 = i / steps
            t1 = t0 + 0.5 / steps
            parts.append(segment(ax + (bx - ax) * t0, ay + (by - ay) * t0,
                                 ax + (bx - ax) * t1, ay + (by - ay) * t1, 0.55))
        return union(*parts)

    outline_points = [(1.5, 4.5), (7.5, 4.5), (9.5, 6.5), (18.5, 6.5), (18.5, 16.5), (1.5, 16.5), (1.5, 4.5)]
    strokes = [dashed(*outline_points[i], *outline_points[i + 1]) for i in range(len(outline_points) - 1)]
    canvas.fill(union(*strokes), body)
    canvas.fill(rect(2.0, 9.0, 18.0, 10.0), rgb("#7fb4d9", 0.6))
    # A small four-pointed spark in the middle marks it as generated, not stored.
    canvas.fill(polygon([(10.0, 10.0), (10.8, 12.2), (13.0, 13.0), (10.8, 13.8), (10.0, 16.0),
                         (9.2, 13.8), (7.0, 13.0), (9.2, 12.2)]), rgb("#e6f2fb"))
    return canvas


# ---------------------------------------------------------------------------------------------
# Wizard banner


def text_mask(text, font, pointsize, kerning):
    """Renders text with ImageMagick and returns (width, height, rows of coverage 0..1)."""
    pgm = subprocess.run(
        ["convert", "-background", "black", "-fill", "white", "-font", font, "-pointsize", str(pointsize),
         "-kerning", str(kerning), "label:" + text, "-trim", "+repage", "-colorspace", "Gray", "-depth", "8",
         "pgm:-"],
        check=True, stdout=subprocess.PIPE).stdout
    fields = []
    pos = 0
    while len(fields) < 4:  # magic, width, height, maxval; '#' comments are not produced by convert
        while pgm[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not pgm[pos:pos + 1].isspace():
            pos += 1
        fields.append(pgm[start:pos])
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    data = pgm[pos:pos + width * height]
    return width, height, [[data[y * width + x] / 255.0 for x in range(width)] for y in range(height)]


def smoothstep(e0, e1, v):
    t = max(0.0, min(1.0, (v - e0) / (e1 - e0)))
    return t * t * (3.0 - 2.0 * t)


def banner():
    width, height = 160, 310
    top, bottom = rgb("#1b1d21"), rgb("#111214")
    accent = rgb("#4195c0")
    steel = rgb("#c9d6e2")
    canvas = Canvas(width, height)

    # The blade: a crescent cut from two circles (signed distances), with a faint trailing arc
    # and a soft glow, all in the upper part of the banner.
    ox, oy, outer_r = 110.0, 120.0, 70.0
    ix, iy, inner_r = 123.0, 108.0, 67.0
    tx_, ty_, trail_r = 118.0, 124.0, 84.0

    for y in range(height):
        t = y / (height - 1)
        for x in range(width):
            px, py = x + 0.5, y + 0.5
            color = lerp(top, bottom, t)
            # A faint cool light behind the blade.
            light = 0.10 * max(0.0, 1.0 - math.hypot(px - 80.0, py - 110.0) / 150.0)
            color = lerp(color, accent, light)

            d_outer = math.hypot(px - ox, py - oy) - outer_r
            d_inner = inner_r - math.hypot(px - ix, py - iy)
            blade = max(d_outer, d_inner)
            color = lerp(color, accent, 0.16 * math.exp(-max(0.0, blade) / 7.0))
            coverage = max(0.0, min(1.0, 0.5 - blade))
            if coverage > 0.0:
                # Bright steel at the belly of the blade, melting into the accent toward the tips.
                along = smoothstep(0.1, 1.0, abs(py - oy) / outer_r)
                edge = lerp(steel, accent, along)
                color = lerp(color, edge, coverage * (0.85 - 0.5 * along))
                # A bright hairline along the cutting (outer) edge.
                if -2.2 < d_outer <= 0.5:
                    color = lerp(color, rgb("#f4f8fb"), coverage * 0.45 * (1.0 - along))

            # The trailing arc: a hairline on the left of the blade, fading toward its ends.
            ring = abs(math.hypot(px - tx_, py - ty_) - trail_r) - 0.45
            if ring < 1.0 and px < tx_ - 20.0:
                fade = max(0.0, 1.0 - abs(py - ty_) / (trail_r * 0.8))
                color = lerp(color, accent, max(0.0, min(1.0, 0.5 - ring)) * 0.55 * fade)
            canvas.px[y][x] = (color[0], color[1], color[2], 1.0)

    # The product name, set light and spaced, over a short accent rule.
    mask_w, mask_h, mask = text_mask("Glaive", "DejaVu-Sans-ExtraLight", 28, 2)
    tx = (width - mask_w) // 2
    ty = 222
    ink = rgb("#e8ecf0")
    for y in range(mask_h):
        for x in range(mask_w):
            if mask[y][x] > 0.0 and 0 <= tx + x < width and 0 <= ty + y < height:
                canvas.blend(tx + x, ty + y, ink, mask[y][x])
    rule_y = ty + mask_h + 12
    canvas.fill(rect(width / 2 - 20, rule_y, width / 2 + 20, rule_y + 1.0),
                lambda x, y: lerp(accent, rgb("#4195c0", 0.0), abs(x - width / 2) / 20.0),
                (0, rule_y - 1, width, rule_y + 2))
    # A hairline on the right edge separates the banner from the pages beside it.
    canvas.fill(rect(width - 1, 0, width, height), rgb("#000000", 0.35))
    return canvas


def app_icon(size):
    """The application's icon at size x size pixels: the banner's blade on a dark rounded tile,
    drawn from distances in units of a 512-pixel icon so that every size has the same shape."""
    scale = size / 512.0
    canvas = Canvas(size, size)
    top, bottom = rgb("#2a2e35"), rgb("#111214")
    accent = rgb("#4195c0")
    steel = rgb("#c9d6e2")
    # The tile leaves the margin the system's icons leave around their shape.
    tile_x0, tile_y0, tile_x1, tile_y1, tile_r = 50.0, 50.0, 462.0, 462.0, 92.0
    ox, oy, outer_r = 268.0, 256.0, 150.0
    ix, iy, inner_r = 296.0, 230.0, 144.0

    for y in range(size):
        for x in range(size):
            px, py = (x + 0.5) / scale, (y + 0.5) / scale
            qx = max(abs(px - 256.0) - (tile_x1 - tile_x0) / 2 + tile_r, 0.0)
            qy = max(abs(py - 256.0) - (tile_y1 - tile_y0) / 2 + tile_r, 0.0)
            tile = math.hypot(qx, qy) - tile_r
            tile_cover = max(0.0, min(1.0, 0.5 - tile * scale))
            if tile_cover <= 0.0:
                continue
            color = lerp(top, bottom, (py - tile_y0) / (tile_y1 - tile_y0))
            d_outer = math.hypot(px - ox, py - oy) - outer_r
            d_inner = inner_r - math.hypot(px - ix, py - iy)
            blade = max(d_outer, d_inner)
            color = lerp(color, accent, 0.22 * math.exp(-max(0.0, blade) / 16.0))
            coverage = max(0.0, min(1.0, 0.5 - blade * scale))
            if coverage > 0.0:
                along = smoothstep(0.1, 1.0, abs(py - oy) / outer_r)
                color = lerp(color, lerp(steel, accent, along), coverage * (0.9 - 0.5 * along))
            canvas.px[y][x] = (color[0], color[1], color[2], tile_cover)
    return canvas


# The icon's sizes as a Mac icon file holds them: element type, pixel size (PNG data each).
ICNS_ELEMENTS = [
    (b"icp4", 16), (b"icp5", 32), (b"ic11", 32), (b"icp6", 64), (b"ic12", 64),
    (b"ic07", 128), (b"ic08", 256), (b"ic13", 256), (b"ic09", 512), (b"ic14", 512),
]


def write_icns(path, draw):
    """A Mac icon file: the magic "icns" and the file's length, then one element per size, each a
    four-letter type, its length (header included) and a PNG of that size."""
    pngs = {}
    body = b""
    for kind, size in ICNS_ELEMENTS:
        if size not in pngs:
            canvas = draw(size)
            pngs[size] = png_data(canvas.width, canvas.height, canvas.px, True)
        body += kind + struct.pack(">I", 8 + len(pngs[size])) + pngs[size]
    with open(path, "wb") as f:
        f.write(b"icns" + struct.pack(">I", 8 + len(body)) + body)


# ---------------------------------------------------------------------------------------------


IMAGES = [
    # folder, file, drawing, keeps alpha
    ("installer/images", "wizard_banner.png", banner, False),
    ("lcsdk/ui/images", "checkbox.png", check_box, False),
    ("lcsdk/ui/images", "dropdown_arrow.png", dropdown_arrow, True),
    ("lcsdk/ui/images", "browser_folder.png", browser_folder, True),
    ("lcsdk/ui/images", "browser_pack.png", browser_pack, True),
    ("lcsdk/ui/images", "browser_virtual.png", browser_virtual, True),
    ("lcsdk/ui/images", "multiwindow_button.png", multiwindow_button, True),
    ("lcsdk/ui/images", "scroll_arrow.png", scroll_arrow, True),
]

ICONS = [
    # folder, file, drawing (given the size in pixels)
    ("installer/mac/resources", "lcinstaller-mac.icns", app_icon),
]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    for folder, name, draw, alpha in IMAGES:
        out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, folder)
        os.makedirs(out_dir, exist_ok=True)
        canvas = draw()
        path = os.path.join(out_dir, name)
        write_png(path, canvas.width, canvas.height, canvas.px, alpha)
        print(f"{path}: {canvas.width} x {canvas.height}, {os.path.getsize(path)} bytes")
    for folder, name, draw in ICONS:
        out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, folder)
        os.makedirs(out_dir, exist_ok=True)
        path = os.path.join(out_dir, name)
        write_icns(path, draw)
        print(f"{path}: {len(ICNS_ELEMENTS)} sizes, {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
