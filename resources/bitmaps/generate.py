#!/usr/bin/env python3
"""Writes the module's bitmaps as BMP files into the folder given.

Every picture is drawn here from plain shapes, so the build makes the same
files every time. Standard library only.

Page pictures (codes 512-519 and 1280-1287): a strip of roll media leaving
the printer at the top edge, with the printed page on it. Bit 0 of the code
makes the page portrait, bit 1 prints it mirrored, bit 2 lays it across the
roll (a quarter turn: 270 degrees clockwise in the 0x200 family, 90 in the
0x500 family), and without bit 2 the 0x500 family shows it upside down.
Pure red is the key colour (transparent); pure black is the ink that the
summary panel tints blue (colour) or grey (grey scale) when drawing.
"""

import os
import struct
import sys

KEY = (255, 0, 0)
INK = (0, 0, 0)
WHITE = (255, 255, 255)

PAGE_SIZE = (104, 104)          # the page picture button at the usual font
PANEL_SIZE = (191, 168)
ICON_SIZE = (18, 14)


# ---------------------------------------------------------------- BMP files

def bmp24(width, height, pixels):
    """pixels[y][x] = (r, g, b), top row first."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    return _bmp(width, height, 24, b"", data)


def bmp8(width, height, pixels):
    """Like bmp24, with a palette of the colours used (at most 256)."""
    colours = sorted({c for row in pixels for c in row})
    if len(colours) > 256:
        raise ValueError("more than 256 colours")
    index = {c: i for i, c in enumerate(colours)}
    stride = (width + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytes(index[c] for c in pixels[y])
        rows.append(row + bytes(stride - width))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    return _bmp(width, height, 8, palette, b"".join(rows))


def bmp1(width, height, bits):
    """bits[y][x] = 0 (black) or 1 (white), top row first."""
    stride = ((width + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x, bit in enumerate(bits[y]):
            if bit:
                row[x >> 3] |= 0x80 >> (x & 7)
        rows.append(bytes(row))
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return _bmp(width, height, 1, palette, b"".join(rows))


def _bmp(width, height, bpp, palette, data):
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    colours = len(palette) // 4
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, len(data),
                       2835, 2835, colours, colours)
    return header + info + palette + data


# ---------------------------------------------------------------- drawing

class Canvas:
    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.px = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills x0..x1, y0..y1 inclusive."""
        for y in range(max(y0, 0), min(y1, self.height - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.width - 1) + 1):
                self.px[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def rounded(self, x0, y0, x1, y1, fill, outline):
        """A box with one-pixel cut corners and an outline."""
        self.rect(x0 + 1, y0, x1 - 1, y1, fill)
        self.rect(x0, y0 + 1, x1, y1 - 1, fill)
        self.rect(x0 + 2, y0, x1 - 2, y0, outline)
        self.rect(x0 + 2, y1, x1 - 2, y1, outline)
        self.rect(x0, y0 + 2, x0, y1 - 2, outline)
        self.rect(x1, y0 + 2, x1, y1 - 2, outline)
        for cx, cy in ((x0 + 1, y0 + 1), (x1 - 1, y0 + 1), (x0 + 1, y1 - 1), (x1 - 1, y1 - 1)):
            self.put(cx, cy, outline)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        span = max(y1 - y0, 1)
        for y in range(y0, y1 + 1):
            t = (y - y0) / span
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.rect(x0, y, x1, y, colour)


# ---------------------------------------------------------------- page pictures

# The printed content in the page's own upright frame: a bold "F", which
# reads differently after every turn and after mirroring, and a rule below.
def content_ink(u, v, width, height):
    fw, fh = 24, 34
    left = (width - fw) // 2
    top = (height - fh) // 2 - 3
    x, y = u - left, v - top
    if 0 <= x < fw and 0 <= y < fh:
        if x < 8:                       # stem
            return True
        if y < 8:                       # top arm
            return True
        if 14 <= y < 21 and x < 19:     # middle arm
            return True
    rule_y = top + fh + 4
    return rule_y <= v < rule_y + 2 and left <= u < left + fw


def page_picture(code):
    portrait = bool(code & 1)
    mirrored = bool(code & 2)
    across = bool(code & 4)
    upside_down = (code & 0xFF00) == 0x500   # the 0x500 family
    # Clockwise turn of the content on the media. The 0x500 family holds the
    # turns of 90 and 180 degrees of a portrait page, the 0x200 family those
    # of 0 and 270; bit 2 says whether the page lies across the roll.
    if across:
        angle = 90 if upside_down else 270
    else:
        angle = 180 if upside_down else 0

    width, height = PAGE_SIZE
    c = Canvas(width, height, KEY)

    # Media leaving the printer's slot at the top edge.
    mx0, mx1 = 14, 89
    c.rect(mx0, 0, mx1, height - 1, (236, 238, 240))
    c.vgradient(mx0, 0, mx1, 5, (178, 182, 188), (236, 238, 240))
    c.rect(mx0, 0, mx0, height - 1, (150, 154, 160))
    c.rect(mx1, 0, mx1, height - 1, (150, 154, 160))
    c.rect(mx0 + 1, 0, mx0 + 1, height - 1, (214, 217, 221))
    c.rect(mx1 - 1, 0, mx1 - 1, height - 1, (214, 217, 221))

    # The page: its upright size, then its size as it lies on the media.
    pw, ph = (50, 68) if portrait else (68, 50)
    dw, dh = (ph, pw) if angle in (90, 270) else (pw, ph)
    x0 = (mx0 + mx1 + 1 - dw) // 2
    y0 = 12 + (70 - dh) // 2
    c.rect(x0 + 2, y0 + 2, x0 + dw + 1, y0 + dh + 1, (196, 200, 206))   # shadow
    c.rect(x0, y0, x0 + dw - 1, y0 + dh - 1, WHITE)
    c.frame(x0, y0, x0 + dw - 1, y0 + dh - 1, (96, 100, 108))

    for y in range(dh):
        for x in range(dw):
            sx = dw - 1 - x if mirrored else x
            if angle == 0:
                u, v = sx, y
            elif angle == 90:
                u, v = y, ph - 1 - sx
            elif angle == 180:
                u, v = pw - 1 - sx, ph - 1 - y
            else:
                u, v = pw - 1 - y, sx
            if content_ink(u, v, pw, ph):
                c.put(x0 + x, y0 + y, INK)

    # Feed direction: a small arrow below the page, pointing out of the printer.
    ax = (mx0 + mx1) // 2
    ay = y0 + dh + 6
    c.rect(ax, ay, ax, ay + 5, (120, 126, 136))
    for i in range(4):
        c.rect(ax - i, ay + 5 - i, ax + i, ay + 5 - i, (120, 126, 136))
    return c


# ---------------------------------------------------------------- panel picture

BODY = (214, 219, 226)
BODY_DARK = (164, 171, 182)
OUTLINE = (64, 72, 84)
ACCENT = (28, 92, 168)


def panel_picture():
    """The printer on its stand, with the roll behind it and the output slot
    right above where the page picture is drawn. Returns (picture, mask)."""
    width, height = PANEL_SIZE
    c = Canvas(width, height, WHITE)
    opaque = [[0] * width for _ in range(height)]

    def mark(x0, y0, x1, y1):
        for y in range(max(y0, 0), min(y1, height - 1) + 1):
            for x in range(max(x0, 0), min(x1, width - 1) + 1):
                opaque[y][x] = 1

    # Roll of media behind the body.
    c.rounded(46, 3, 144, 17, (244, 244, 240), OUTLINE)
    c.vgradient(47, 5, 143, 15, (250, 250, 246), (206, 206, 200))
    c.rect(40, 7, 46, 13, (120, 128, 140))          # spindle ends
    c.rect(144, 7, 150, 13, (120, 128, 140))
    mark(40, 3, 150, 17)

    # Body.
    c.rounded(4, 14, 186, 54, BODY, OUTLINE)
    c.vgradient(5, 15, 185, 30, (232, 236, 241), BODY)
    c.rect(5, 31, 185, 31, BODY_DARK)               # cover seam
    c.rect(5, 44, 185, 47, ACCENT)                  # maker's stripe
    mark(4, 14, 186, 54)

    # Ink bay on the left: four cartridges.
    inks = ((0, 160, 220), (220, 0, 130), (250, 220, 0), (40, 40, 44))
    c.rounded(10, 33, 40, 42, (90, 98, 110), OUTLINE)
    for i, ink in enumerate(inks):
        c.rect(13 + i * 7, 35, 17 + i * 7, 40, ink)

    # Control panel on the right: display and keys.
    c.rounded(150, 18, 181, 29, (70, 78, 92), OUTLINE)
    c.rect(153, 21, 168, 26, (150, 214, 236))
    for i in range(2):
        c.rect(171 + i * 5, 22, 173 + i * 5, 25, (230, 232, 236))

    # Output slot, the width of the media strip of the page pictures.
    c.rect(54, 50, 136, 53, (44, 50, 60))
    c.rect(56, 54, 134, 55, (120, 126, 136))
    mark(54, 50, 136, 55)

    # Stand: two legs, a cross bar behind the media and two feet.
    for lx in (14, 170):
        c.rect(lx, 55, lx + 6, 156, (150, 158, 170))
        c.rect(lx, 55, lx, 156, OUTLINE)
        c.rect(lx + 6, 55, lx + 6, 156, OUTLINE)
        mark(lx, 55, lx + 6, 156)
    c.rect(21, 118, 169, 121, (176, 183, 194))
    c.rect(21, 118, 169, 118, OUTLINE)
    c.rect(21, 121, 169, 121, OUTLINE)
    mark(21, 118, 169, 121)
    for fx in (4, 160):
        c.rounded(fx, 156, fx + 26, 162, (110, 118, 130), OUTLINE)
        mark(fx, 156, fx + 26, 162)

    # Outside the printer the picture stays white: the mask lets the
    # background through there, and a plain copy shows it as paper white.
    for y in range(height):
        for x in range(width):
            if not opaque[y][x]:
                c.px[y][x] = WHITE
    return c, opaque


# ---------------------------------------------------------------- setting icons

BAYER = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


def setting_icon(kind):
    """A small swatch: colour inks, grey steps, or black-and-white dots."""
    width, height = ICON_SIZE
    c = Canvas(width, height, WHITE)
    c.rect(0, 0, width - 1, height - 1, (255, 255, 255))
    c.frame(0, 0, width - 1, height - 1, (72, 78, 88))
    x_edges = (1, 5, 9, 13, 17)
    if kind == "color":
        fills = ((0, 160, 220), (220, 0, 130), (250, 220, 0), (40, 40, 44))
    else:
        fills = ((232, 232, 232), (168, 168, 168), (100, 100, 100), (36, 36, 36))
    for i in range(4):
        x0, x1 = x_edges[i], x_edges[i + 1] - 1
        for y in range(1, height - 1):
            for x in range(x0, x1 + 1):
                if kind == "mono":
                    # Ordered dots of black ink at four densities.
                    level = BAYER[y % 4][x % 4]
                    colour = (0, 0, 0) if level < (i + 1) * 4 - 1 else WHITE
                else:
                    colour = fills[i]
                c.put(x, y, colour)
    return c


# ---------------------------------------------------------------- main

def files():
    """File name -> BMP bytes, for every bitmap of the module."""
    out = {}
    for family in (0x200, 0x500):
        for bits in range(8):
            code = family | bits
            c = page_picture(code)
            out["page_%04d.bmp" % code] = bmp8(c.width, c.height, c.px)
    panel, mask = panel_picture()
    out["panel.bmp"] = bmp24(panel.width, panel.height, panel.px)
    out["panel_mask.bmp"] = bmp1(panel.width, panel.height, mask)
    for kind in ("color", "gray", "mono"):
        icon = setting_icon(kind)
        out["setting_%s.bmp" % kind] = bmp24(icon.width, icon.height, icon.px)
    width, height = PAGE_SIZE
    blank = [[1] * width for _ in range(height)]
    out["work_mask_inverse.bmp"] = bmp1(width, height, blank)
    out["work_mask.bmp"] = bmp1(width, height, blank)
    return out


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: generate.py OUTPUT_FOLDER\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in files().items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
