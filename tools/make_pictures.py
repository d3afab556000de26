#!/usr/bin/python3
"""Draws every picture the viewer ships: program icon (ICO + desktop PNGs),
About background, the three 88x31 link buttons, the hand cursor and the About
icon; and the Windows installer's pictures, made from the icon and the About
background.

Run it with the system python (Pillow needed):  /usr/bin/python3 tools/make_pictures.py
Output is byte-for-byte reproducible: fixed seeds, no timestamps, and the ICO,
CUR and BMP containers are packed here with struct so nothing depends on how a
Pillow version lays them out.
"""

import math
import random
import struct
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = Path(__file__).resolve().parent.parent
ICONS = ROOT / "assets" / "icons"
ABOUT = ROOT / "assets" / "about"
INSTALLER = ROOT / "assets" / "installer"

FONT_DIR = Path("/usr/share/fonts/opentype/noto")
CJK_REGULAR = FONT_DIR / "NotoSansCJK-Regular.ttc"
CJK_BOLD = FONT_DIR / "NotoSansCJK-Bold.ttc"
LATIN_CANDIDATES = [
    Path("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
    Path("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"),
]
# Index 2 of the Noto CJK collections is the Simplified Chinese face.
CJK_SC_INDEX = 2

# The classic 16-colour palette, in the order the old system palette used.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, LIME, \
    YELLOW, BLUE, FUCHSIA, AQUA, WHITE = VGA16


def cjk(size, bold=False):
    return ImageFont.truetype(str(CJK_BOLD if bold else CJK_REGULAR), size,
                              index=CJK_SC_INDEX)


def latin(size, bold=False):
    path = LATIN_CANDIDATES[1 if bold else 0]
    if path.exists():
        return ImageFont.truetype(str(path), size)
    # Noto CJK carries Latin glyphs too, so the buttons still build without DejaVu.
    return cjk(size, bold)


# ---------------------------------------------------------------------------
# ICO / CUR containers

def _pack_rows(rows, bpp):
    """Bottom-up DIB rows, MSB-first bit packing, each row padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        bits = 0
        nbits = 0
        line = bytearray()
        for v in row:
            bits = (bits << bpp) | v
            nbits += bpp
            if nbits == 8:
                line.append(bits)
                bits = nbits = 0
        if nbits:
            line.append(bits << (8 - nbits))
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def dib_image(indices, palette, bpp, and_mask):
    """An icon/cursor image: BITMAPINFOHEADER (height doubled for the mask),
    palette, XOR bitmap, 1-bpp AND mask (1 = transparent)."""
    h = len(indices)
    w = len(indices[0])
    xor = _pack_rows(indices, bpp)
    andm = _pack_rows(and_mask, 1)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0,
                         len(xor) + len(andm), 0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    assert len(palette) == 1 << bpp
    return header + pal + xor + andm


def icon_file(kind, w, h, color_count, field4, field6, image):
    """One-image ICONDIR. kind 1 = icon (planes, bit count), 2 = cursor
    (hot spot x, y) in the two 16-bit fields of the entry."""
    head = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, color_count, 0,
                        field4, field6, len(image), 6 + 16)
    return head + entry + image


def split_alpha(img, palette_of):
    """Index rows + AND mask from an RGBA image whose opaque pixels already
    hold palette colours."""
    w, h = img.size
    px = img.load()
    lookup = {c: i for i, c in enumerate(palette_of)}
    idx, mask = [], []
    for y in range(h):
        r_idx, r_mask = [], []
        for x in range(w):
            r, g, b, a = px[x, y]
            if a < 128:
                r_idx.append(0)   # transparent: XOR black under a set AND bit
                r_mask.append(1)
            else:
                r_idx.append(lookup[(r, g, b)])
                r_mask.append(0)
        idx.append(r_idx)
        mask.append(r_mask)
    return idx, mask


def write(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)
    print(f"{path.relative_to(ROOT)}  {len(data)} bytes")


def save_image(img, path, **kw):
    path.parent.mkdir(parents=True, exist_ok=True)
    img.save(path, **kw)
    print(f"{path.relative_to(ROOT)}  {path.stat().st_size} bytes")


# ---------------------------------------------------------------------------
# Shape painter shared by the 32 px pixel icon and the larger desktop icons

class Painter:
    """Coordinates are in a 32-unit grid where (x, y) is the centre of pixel
    (x, y) of the 32 px icon. At 32 px shapes are drawn 1:1 without
    smoothing so the 16-colour image stays crisp; at larger sizes the same
    shapes are drawn supersampled with strokes that scale along."""

    SS = 4
    STROKE = 0.7   # outline width in grid units once drawn larger than 32 px

    def __init__(self, size):
        self.size = size
        self.pixel = size == 32
        scale = 1 if self.pixel else self.SS
        self.img = Image.new("RGBA", (size * scale, size * scale), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)
        self.k = size * scale / 32.0

    def _pt(self, p):
        if self.pixel:
            return (p[0], p[1])
        return ((p[0] + 0.5) * self.k, (p[1] + 0.5) * self.k)

    def _w(self, units):
        return max(1, round(units * self.k))

    def poly(self, pts, fill, outline=BLACK):
        if self.pixel:
            self.d.polygon(pts, fill=fill, outline=outline)
            return
        q = [self._pt(p) for p in pts]
        self.d.polygon(q, fill=fill)
        if outline is not None:
            self.d.line(q + q[:2], fill=outline, width=self._w(self.STROKE),
                        joint="curve")

    def ellipse(self, box, fill, outline=BLACK):
        x0, y0, x1, y1 = box
        if self.pixel:
            self.d.ellipse((x0, y0, x1, y1), fill=fill, outline=outline)
            return
        a = self._pt((x0, y0))
        b = self._pt((x1, y1))
        self.d.ellipse((a[0], a[1], b[0], b[1]), fill=fill,
                       outline=outline,
                       width=self._w(self.STROKE) if outline else 0)

    def line(self, pts, fill, width=1):
        if self.pixel:
            self.d.line(pts, fill=fill, width=width)
            return
        self.d.line([self._pt(p) for p in pts], fill=fill, width=self._w(width))

    def point(self, p, fill):
        if self.pixel:
            self.d.point(p, fill=fill)
        else:
            x, y = self._pt(p)
            r = self.k * 0.5
            self.d.rectangle((x - r, y - r, x + r, y + r), fill=fill)

    def result(self):
        if self.pixel:
            return self.img
        return self.img.resize((self.size, self.size), Image.LANCZOS)


def draw_main_icon(p):
    """Open item ledger with a short sword laid across it."""
    # Binding boards, showing below and beside the pages.
    p.poly([(0, 13), (8, 12), (15, 15), (16, 15), (23, 12), (31, 13), (31, 29),
            (23, 28), (16, 31), (15, 31), (8, 29), (0, 29)], MAROON)
    # Edge of the page block under the open leaves gives the book its depth.
    p.poly([(1, 10), (8, 8), (15, 11), (15, 29), (8, 27), (1, 27)], SILVER)
    p.poly([(16, 11), (23, 8), (30, 10), (30, 27), (23, 27), (16, 29)], SILVER)
    # The open leaves rise towards the outer edge and dip into the gutter.
    p.poly([(2, 8), (8, 6), (15, 9), (15, 27), (8, 25), (2, 25)], WHITE)
    p.poly([(16, 9), (23, 6), (29, 8), (29, 25), (23, 25), (16, 27)], WHITE)
    # Ledger entries: a coloured item mark, then the written line.
    for y, mark in ((14, RED), (17, BLUE), (20, GREEN), (23, PURPLE)):
        p.point((20, y), mark)
        p.line([(22, y), (27, y)], GRAY)
    for y in (12, 15, 18, 21):
        p.line([(4, y), (13, y)], GRAY)
    # Sword from the lower left corner to beyond the top right page.
    p.poly([(9, 20), (26, 3), (30, 1), (28, 5), (11, 22)], SILVER)
    p.line([(10, 20), (27, 3)], WHITE)
    p.poly([(5, 19), (6, 17), (14, 25), (12, 26)], YELLOW)
    p.poly([(7, 22), (9, 24), (6, 27), (4, 25)], OLIVE)
    p.ellipse((1, 26, 5, 30), YELLOW)


def main_icon(size):
    p = Painter(size)
    draw_main_icon(p)
    return p.result()


def make_main_icon():
    img = main_icon(32)
    idx, mask = split_alpha(img, VGA16)
    dib = dib_image(idx, VGA16, 4, mask)
    write(ICONS / "morvane2.ico", icon_file(1, 32, 32, 16, 1, 4, dib))
    for size in (32, 48, 64, 128, 256):
        save_image(main_icon(size), ICONS / "hicolor" / f"{size}x{size}" /
                   "morvane2-items.png", optimize=True)


# ---------------------------------------------------------------------------
# Hand cursor: 1 bpp, hot spot on the index finger tip

HAND = """
.....##.........
....#..#........
....#..#........
....#..#........
....#..#........
....#..###......
....#..#..###...
....#..#..#..#..
....#..#..#..###
.##.#..#..#..#..#
#..##..#..#..#..#
#...............#
.#..............#
..#.............#
..#............#.
...#...........#.
...#..........#..
....#.........#..
....#.........#..
....###########..
"""
HAND_HOTSPOT = (5, 0)


def hand_pixels():
    """32x32 grid of 'transparent' / 'black' / 'white': the drawing above
    gives the outline; whatever the outside cannot reach is the white fill."""
    rows = HAND.strip("\n").split("\n")
    grid = [["." for _ in range(32)] for _ in range(32)]
    for y, r in enumerate(rows):
        for x, c in enumerate(r):
            grid[y][x] = c
    outside = set()
    # Seed from the whole border: the thumb touches the left edge.
    todo = [(i, j) for i in range(32) for j in (0, 31)]
    todo += [(j, i) for i in range(32) for j in (0, 31)]
    while todo:  # 4-connected, so diagonal outline steps do not leak
        x, y = todo.pop()
        if (x, y) in outside or not (0 <= x < 32 and 0 <= y < 32):
            continue
        if grid[y][x] == "#":
            continue
        outside.add((x, y))
        todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return [["black" if grid[y][x] == "#" else
             "transparent" if (x, y) in outside else "white"
             for x in range(32)] for y in range(32)]


def make_cursor():
    px = hand_pixels()
    # Palette 0 black, 1 white. Transparent: AND 1 with XOR 0 leaves the
    # screen untouched.
    xor = [[1 if c == "white" else 0 for c in row] for row in px]
    andm = [[1 if c == "transparent" else 0 for c in row] for row in px]
    dib = dib_image(xor, [BLACK, WHITE], 1, andm)
    write(ABOUT / "hand.cur", icon_file(2, 32, 32, 2, *HAND_HOTSPOT, dib))


# ---------------------------------------------------------------------------
# About icon: wax seal with an "i", 256 colours

def _lerp(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def _gradient(size, colour_at):
    img = Image.new("RGB", (size, size))
    img.putdata([colour_at(x, y) for y in range(size) for x in range(size)])
    return img


def about_icon_rgba(size=32, ss=8):
    S = size * ss
    k = S / 32.0
    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)

    def P(pts):
        return [(x * k, y * k) for x, y in pts]

    # Ribbon tails behind the seal.
    navy_dark, blue_light = (16, 32, 96), (70, 120, 230)
    for pts in ([(9, 18), (14, 22), (9, 31), (7, 28), (4, 30)],
                [(23, 18), (18, 22), (23, 31), (25, 28), (28, 30)]):
        d.polygon(P(pts), fill=navy_dark)
        d.line(P(pts + pts[:2]), fill=navy_dark, width=round(0.9 * k),
               joint="curve")
    for pts in ([(9.6, 19.2), (13, 22), (9, 29.3), (7.2, 27), (5.6, 28)],
                [(22.4, 19.2), (19, 22), (23, 29.3), (24.8, 27), (26.4, 28)]):
        grad = _gradient(S, lambda x, y: _lerp(blue_light, (30, 60, 170), y / S * 1.2 - 0.4))
        m = Image.new("L", (S, S), 0)
        ImageDraw.Draw(m).polygon(P(pts), fill=255)
        img.paste(grad, (0, 0), m)

    # Wax body: a scalloped disc, lit from the upper left.
    cx = cy = 14.5
    body = []
    for i in range(96):
        a = 2 * math.pi * i / 96
        r = 13.6 + 0.8 * math.cos(14 * a)
        body.append((cx + 0.5 + r * math.cos(a), cy + 0.5 + r * math.sin(a)))
    edge = Image.new("L", (S, S), 0)
    ImageDraw.Draw(edge).polygon(P(body), fill=255)
    img.paste((70, 0, 10, 255), (0, 0), edge)
    inner_body = [(cx + 0.5 + (x - cx - 0.5) * 0.93, cy + 0.5 + (y - cy - 0.5) * 0.93)
                  for x, y in body]
    hx, hy = 10 * k, 8 * k
    wax = _gradient(S, lambda x, y: _lerp(
        (255, 110, 90), (120, 0, 20), math.hypot(x - hx, y - hy) / (20 * k))
        if math.hypot(x - hx, y - hy) > 3.5 * k else (255, 150, 125))
    m = Image.new("L", (S, S), 0)
    ImageDraw.Draw(m).polygon(P(inner_body), fill=255)
    img.paste(wax, (0, 0), m)

    # Embossed gold ring.
    gold = _gradient(S, lambda x, y: _lerp((255, 236, 140), (170, 100, 10),
                                           (x + y) / (2 * S) * 1.6 - 0.2))
    ring = Image.new("L", (S, S), 0)
    rd = ImageDraw.Draw(ring)
    c = (cx + 0.5) * k
    ro, ri = 9.8 * k, 8.0 * k
    rd.ellipse((c - ro, c - ro, c + ro, c + ro), fill=255)
    rd.ellipse((c - ri, c - ri, c + ri, c + ri), fill=0)
    img.paste(gold, (0, 0), ring)

    # The "i": dot and stem with a foot, cream on the wax.
    mark = Image.new("L", (S, S), 0)
    md = ImageDraw.Draw(mark)
    md.ellipse(P([(13.1, 7.6), (16.9, 11.4)]), fill=255)
    md.polygon(P([(12.4, 12.6), (16.6, 12.6), (16.6, 19.2), (17.8, 19.2),
                  (17.8, 21.2), (12.2, 21.2), (12.2, 19.2), (13.4, 19.2),
                  (13.4, 14.6), (12.4, 14.6)]), fill=255)
    shadow = mark.transform(mark.size, Image.AFFINE, (1, 0, -0.7 * k, 0, 1, -0.7 * k))
    img.paste((90, 0, 15, 255), (0, 0), shadow)
    img.paste(_gradient(S, lambda x, y: _lerp((255, 252, 225), (240, 200, 120), y / S * 1.5 - 0.3)),
              (0, 0), mark)

    return img.resize((size, size), Image.LANCZOS)


def make_about_icon():
    rgba = about_icon_rgba()
    alpha = rgba.split()[3].load()
    andm = [[0 if alpha[x, y] >= 96 else 1 for x in range(32)] for y in range(32)]
    # 255 colours for the picture; the last slot is black for the masked-out
    # pixels, since AND 1 with a non-black XOR would tint the desktop.
    opaque = Image.new("RGB", rgba.size, (0, 0, 0))
    opaque.paste(rgba.convert("RGB"), (0, 0),
                 rgba.split()[3].point(lambda a: 255 if a >= 96 else 0))
    pal_img = opaque.quantize(colors=255, method=Image.MEDIANCUT, dither=Image.NONE)
    flat = (pal_img.getpalette() or [])[:255 * 3]
    flat += [0] * (255 * 3 - len(flat))
    palette = [tuple(flat[i:i + 3]) for i in range(0, 255 * 3, 3)] + [BLACK]
    q = pal_img.load()
    idx = [[255 if andm[y][x] else q[x, y] for x in range(32)] for y in range(32)]
    dib = dib_image(idx, palette, 8, andm)
    write(ABOUT / "about.ico", icon_file(1, 32, 32, 0, 1, 8, dib))


# ---------------------------------------------------------------------------
# About background: parchment with an ink-wash range and a sword

BG_W, BG_H = 400, 200
BG_SS = 2                      # drawn at twice the size, then reduced
PAPER = (240, 226, 190)
SEPIA = (105, 66, 28)
INK = (52, 62, 66)


def _smooth(t):
    t = max(0.0, min(1.0, t))
    return t * t * (3 - 2 * t)


def _ridge(rng, n, rough):
    """Midpoint-displacement ridge line of n+1 heights in [-1, 1]-ish."""
    size = 1
    while size < n:
        size *= 2
    h = [0.0] * (size + 1)
    h[0], h[size] = rng.uniform(-0.5, 0.5), rng.uniform(-0.5, 0.5)
    step, amp = size, 1.0
    while step > 1:
        half = step // 2
        for i in range(half, size, step):
            h[i] = (h[i - half] + h[i + half]) / 2 + rng.uniform(-amp, amp)
        step, amp = half, amp * rough
    return h[:n + 1]


def _paper(rng, W, H):
    """Mottled paper: two smooth random fields (broad stains, finer fibre)
    kept faint, which also keeps the JPEG small."""
    coarse = Image.new("L", (W // 40 + 2, H // 40 + 2))
    coarse.putdata([rng.randint(0, 255) for _ in range(coarse.width * coarse.height)])
    coarse = coarse.resize((W, H), Image.BICUBIC).filter(ImageFilter.GaussianBlur(W / 60))
    mid = Image.new("L", (W // 12 + 2, H // 12 + 2))
    mid.putdata([rng.randint(0, 255) for _ in range(mid.width * mid.height)])
    mid = mid.resize((W, H), Image.BICUBIC).filter(ImageFilter.GaussianBlur(W / 250))
    c, m = coarse.load(), mid.load()
    img = Image.new("RGB", (W, H))
    px = img.load()
    for y in range(H):
        for x in range(W):
            # Darken towards the edges like handled paper.
            ex = min(x, W - 1 - x) / W
            ey = min(y, H - 1 - y) / H
            edge = 1 - _smooth(min(ex * 9, ey * 5))
            v = (c[x, y] - 128) / 128 * 7 + (m[x, y] - 128) / 128 * 3 - edge * 38
            px[x, y] = (round(PAPER[0] + v), round(PAPER[1] + v * 1.1),
                        round(PAPER[2] + v * 1.3))
    return img


def _wash(img, ridge_y, x0, x1, colour, strength, falloff, fade_left, fade_right):
    """Ink-wash mountain: darkest on the ridge, thinning downwards and at the
    two ends so it melts into the paper."""
    W, H = img.size
    alpha = Image.new("L", (W, H), 0)
    a = alpha.load()
    for x in range(x0, x1):
        top = ridge_y[x - x0]
        side = _smooth((x - x0) / fade_left) * _smooth((x1 - 1 - x) / fade_right)
        for y in range(max(0, int(top)), H):
            t = (y - top) / falloff
            a[x, y] = round(255 * strength * side * (0.25 + 0.75 * math.exp(-t)) *
                            _smooth((y - top + 1) / 2.0))
    img.paste(colour, (0, 0), alpha)


def _mountains(img, rng, s):
    layers = [
        # colour,          base y, height, x range,        strength, falloff
        ((120, 140, 150), 112, 44, (176, 400), 0.28, 40),
        ((90, 108, 112), 132, 36, (190, 400), 0.36, 26),
        (INK,            150, 26, (205, 400), 0.42, 16),
    ]
    for colour, base, height, (xa, xb), strength, falloff in layers:
        x0, x1 = xa * s, xb * s
        h = _ridge(rng, x1 - x0, 0.55)
        # A couple of broad peaks under the noise so the range has a shape.
        peaks = [(rng.uniform(0.2, 0.45), rng.uniform(0.6, 1.0)),
                 (rng.uniform(0.6, 0.9), rng.uniform(0.5, 0.9))]
        ys = []
        for i, n in enumerate(h):
            t = i / (x1 - x0)
            shape = max(p[1] * math.exp(-((t - p[0]) / 0.13) ** 2) for p in peaks)
            ys.append((base - height * shape - 6 * n) * s)
        _wash(img, ys, x0, x1, colour, strength, falloff * s, 70 * s, 10 * s)
    # Mist band across the foot of the range keeps the list area pale.
    mist = Image.new("L", img.size, 0)
    md = mist.load()
    for y in range(img.height):
        v = _smooth((y / s - 150) / 22)
        if v > 0:
            for x in range(img.width):
                md[x, y] = round(200 * v)
    img.paste(PAPER, (0, 0), mist)


def _birds(d, s, spots):
    for x, y, w in spots:
        d.line([((x - w) * s, (y - w * 0.4) * s), (x * s, y * s),
                ((x + w) * s, (y - w * 0.5) * s)], fill=INK, width=s)


def _along(p0, u, n, a, b):
    """Point a along axis u and b along normal n from p0."""
    return (p0[0] + u[0] * a + n[0] * b, p0[1] + u[1] * a + n[1] * b)


def _sword(img, s):
    """A straight double-edged sword leaning across the right side, hilt up,
    with a red tassel hanging from the pommel."""
    d = ImageDraw.Draw(img)
    pommel = (372.0, 30.0)
    tip = (250.0, 158.0)
    L = math.hypot(tip[0] - pommel[0], tip[1] - pommel[1])
    u = ((tip[0] - pommel[0]) / L, (tip[1] - pommel[1]) / L)
    n = (-u[1], u[0])

    def pt(a, b):
        x, y = _along(pommel, u, n, a, b)
        return (x * s, y * s)

    outline = (40, 28, 18)
    # Tassel: a cord drooping from the pommel, then the red fringe.
    cord = [pt(-4, 0), (384 * s, 40 * s), (386 * s, 52 * s)]
    d.line(cord, fill=(150, 20, 20), width=2 * s, joint="curve")
    d.ellipse((383 * s, 50 * s, 389 * s, 57 * s), fill=(200, 150, 40), outline=outline)
    for i in range(9):
        x = (382.5 + i * 0.9) * s
        d.line([(x, 57 * s), (x + (i - 4) * 0.35 * s, (84 + (i % 3)) * s)],
               fill=(175 + (i % 2) * 40, 25, 25), width=s)
    # Blade: light and shaded halves either side of the central ridge.
    blade_from, blade_to, half = 38, L - 10, 4.2
    d.polygon([pt(blade_from, -half - 1), pt(blade_to, -half - 1), pt(L + 1.5, 0),
               pt(blade_to, half + 1), pt(blade_from, half + 1)], fill=outline)
    d.polygon([pt(blade_from, -half), pt(blade_to, -half), pt(L, 0),
               pt(blade_from, 0)], fill=(226, 232, 236))
    d.polygon([pt(blade_from, 0), pt(L, 0), pt(blade_to, half),
               pt(blade_from, half)], fill=(150, 160, 170))
    d.line([pt(blade_from, 0), pt(L - 2, 0)], fill=(110, 118, 128), width=s)
    # Fuller glint near the guard.
    d.line([pt(blade_from + 6, -2), pt(blade_from + 40, -2)], fill=(255, 255, 255), width=s)
    # Grip, wrapped in dark cord.
    d.polygon([pt(6, -3), pt(31, -3), pt(31, 3), pt(6, 3)], fill=(70, 35, 20), outline=outline)
    for a in range(9, 30, 4):
        d.line([pt(a, -3), pt(a + 3, 3)], fill=(140, 80, 40), width=s)
    # Guard: a gold bar swelling at the centre, with upturned ends.
    d.polygon([pt(31, -11), pt(34, -13), pt(36, -7), pt(39, -5), pt(39, 5),
               pt(36, 7), pt(34, 13), pt(31, 11), pt(33, 5), pt(33, -5)],
              fill=(214, 168, 60), outline=outline)
    cx, cy = pt(36, 0)
    r = 2.2 * s
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(170, 30, 30), outline=outline)
    # Pommel: a gold ring.
    cx, cy = pt(2, 0)
    r = 5 * s
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(214, 168, 60), outline=outline, width=s)
    r = 2 * s
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(120, 80, 30))


def _fret(d, x, y, sx, sy, s, colour):
    """Square-spiral corner key, mirrored by sx/sy into each corner."""
    pts = [(0, 14), (0, 0), (14, 0), (14, 10), (4, 10), (4, 4), (10, 4), (10, 7)]
    d.line([((x + sx * px) * s, (y + sy * py) * s) for px, py in pts],
           fill=colour, width=round(1.5 * s), joint="curve")


def _border(img, s, W=BG_W, H=BG_H):
    d = ImageDraw.Draw(img)
    d.rectangle((3 * s, 3 * s, (W - 4) * s, (H - 4) * s), outline=SEPIA, width=2 * s)
    d.rectangle((6 * s, 6 * s, (W - 7) * s, (H - 7) * s), outline=SEPIA, width=s)
    for x, y, sx, sy in ((9, 9, 1, 1), (W - 10, 9, -1, 1),
                         (9, H - 10, 1, -1), (W - 10, H - 10, -1, -1)):
        _fret(d, x, y, sx, sy, s, SEPIA)


def _cloud(layer, cx, cy, k, s, flip=False):
    """Auspicious cloud: a cluster of rounded lobes with a curl in the big
    one and a trailing wisp."""
    d = ImageDraw.Draw(layer)
    f = -1 if flip else 1
    lobes = [(-9, 1, 5), (0, -3, 7.5), (9, 1, 5), (3, 3, 5)]
    line = (150, 105, 55, 255)
    fill = (250, 240, 215, 255)
    w = 1.3
    tail = [((cx + f * (x * k)) * s, (cy + y * k) * s) for x, y in
            ((-14, 6), (-4, 6.5), (8, 6), (20, 4), (28, 6.5))]
    d.line(tail, fill=line, width=round(w * 2 * s), joint="curve")
    for x, y, r in lobes:
        X, Y, R = (cx + f * x * k) * s, (cy + y * k) * s, (r * k + w) * s
        d.ellipse((X - R, Y - R, X + R, Y + R), fill=line)
    for x, y, r in lobes:
        X, Y, R = (cx + f * x * k) * s, (cy + y * k) * s, r * k * s
        d.ellipse((X - R, Y - R, X + R, Y + R), fill=fill)
    # Curl: a shrinking spiral inside the largest lobe.
    X, Y = (cx + f * 0.5 * k) * s, (cy - 2.5 * k) * s
    pts = []
    for i in range(60):
        t = i / 59 * 1.7 * 2 * math.pi
        r = (5.2 - 3.4 * i / 59) * k * s
        pts.append((X + f * r * math.cos(t + 1.2), Y + r * math.sin(t + 1.2)))
    d.line(pts, fill=line, width=round(w * s), joint="curve")


def _clouds(img, s):
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    _cloud(layer, 278, 60, 1.0, s)
    _cloud(layer, 140, 22, 0.75, s, flip=True)
    _cloud(layer, 205, 96, 0.65, s)
    a = layer.getchannel("A").point(lambda v: v * 62 // 100)
    img.paste(layer.convert("RGB"), (0, 0), a)


def _moon(img, s):
    glow = Image.new("L", img.size, 0)
    d = ImageDraw.Draw(glow)
    cx, cy, r = 236 * s, 44 * s, 17 * s
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=210)
    glow = glow.filter(ImageFilter.GaussianBlur(2.5 * s))
    img.paste((253, 246, 226), (0, 0), glow)


def _about_scene():
    """The About background without its border, drawn at BG_SS times the size."""
    rng = random.Random(20240601)
    s = BG_SS
    W, H = BG_W * s, BG_H * s
    img = _paper(rng, W, H)
    _moon(img, s)
    _clouds(img, s)
    _mountains(img, rng, s)
    _birds(ImageDraw.Draw(img), s, [(214, 70, 3), (222, 64, 2.5), (207, 61, 2)])
    _sword(img, s)
    return img


def about_background():
    img = _about_scene()
    _border(img, BG_SS)
    return img.resize((BG_W, BG_H), Image.LANCZOS)


def make_background():
    save_image(about_background(), ABOUT / "background.jpg",
               quality=85, progressive=False, optimize=True, subsampling="4:2:0")


# ---------------------------------------------------------------------------
# 88x31 link buttons

EMBLEM_SS = 6


def _vgradient(w, h, top, bottom):
    img = Image.new("RGB", (w, h))
    img.putdata([_lerp(top, bottom, y / max(1, h - 1)) for y in range(h) for _ in range(w)])
    return img


class Emblem:
    """Small supersampled RGBA drawing in button pixel units."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * EMBLEM_SS, h * EMBLEM_SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def P(self, pts):
        return [(x * EMBLEM_SS, y * EMBLEM_SS) for x, y in pts]

    def poly(self, pts, fill, outline=None, width=1.0):
        self.d.polygon(self.P(pts), fill=fill)
        if outline:
            q = self.P(pts)
            self.d.line(q + q[:2], fill=outline, width=round(width * EMBLEM_SS), joint="curve")

    def ellipse(self, x0, y0, x1, y1, fill, outline=None, width=1.0):
        self.d.ellipse((x0 * EMBLEM_SS, y0 * EMBLEM_SS, x1 * EMBLEM_SS, y1 * EMBLEM_SS),
                       fill=fill, outline=outline,
                       width=round(width * EMBLEM_SS) if outline else 0)

    def line(self, pts, fill, width=1.0):
        self.d.line(self.P(pts), fill=fill, width=round(width * EMBLEM_SS), joint="curve")

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def _button_text(img, cn, latin_text, colour, latin_colour, x0, shadow=None):
    """Chinese name in crisp 12 px (no smoothing, like the old bitmap
    faces), host name underneath in a tiny smoothed Latin face."""
    d = ImageDraw.Draw(img)
    w = img.width
    f = cjk(12, bold=True)
    box = f.getbbox(cn)
    tx = x0 + (w - 2 - x0 - (box[2] - box[0])) // 2
    ty = 4 - box[1]
    d.fontmode = "1"
    if shadow:
        d.text((tx + 1, ty + 1), cn, font=f, fill=shadow)
    d.text((tx, ty), cn, font=f, fill=colour)
    d.fontmode = "L"
    lf = latin(8)
    lb = lf.getbbox(latin_text)
    lx = x0 + (w - 2 - x0 - (lb[2] - lb[0])) // 2 - lb[0]
    d.text((lx, img.height - 11 - lb[1]), latin_text, font=lf, fill=latin_colour)


def _frame(img, colour, light=None):
    d = ImageDraw.Draw(img)
    w, h = img.size
    if light:  # a 1 px inner bevel under the border
        d.line([(1, h - 2), (1, 1), (w - 2, 1)], fill=light)
    d.rectangle((0, 0, w - 1, h - 1), outline=colour)


def link0_wind_chime():
    w, h = 88, 31
    img = _vgradient(w, h, (236, 246, 252), (176, 212, 232))
    e = Emblem(24, 29)
    line = (30, 60, 90, 255)
    # Eave bracket the chime hangs from.
    e.line([(2, 2.5), (21, 2.5)], (90, 60, 40, 255), 1.6)
    e.line([(12, 3), (12, 7)], line, 0.8)
    # Glass bell, pale blue with a darker rim and a highlight.
    e.poly([(6.5, 14), (7, 10), (9, 7.5), (15, 7.5), (17, 10), (17.5, 14)],
           (150, 205, 235, 255), line, 1.0)
    e.line([(9, 9.5), (8.5, 12.5)], (245, 252, 255, 255), 1.0)
    e.line([(6.5, 14), (17.5, 14)], (40, 110, 160, 255), 1.2)
    # Clapper string and the red paper strip that catches the wind.
    e.line([(12, 14), (12, 18)], line, 0.7)
    e.poly([(10.2, 18), (13.8, 18), (15.5, 27.5), (11.8, 27.5)],
           (215, 40, 40, 255), (120, 20, 20, 255), 0.8)
    # Breeze.
    for pts in ([(17.5, 18), (20, 17), (22.5, 18.5)], [(16.5, 22), (19, 21), (22, 22.5)],
                [(1, 19), (3.5, 18), (6, 19.5)]):
        e.line(pts, (70, 130, 170, 255), 0.8)
    mark = e.result()
    img.paste(mark, (2, 1), mark)
    _button_text(img, "风铃小筑", "tessavar", (20, 50, 110), (40, 70, 110), 26)
    _frame(img, (40, 80, 120), (255, 255, 255))
    return img


def link1_smithy():
    w, h = 88, 31
    img = _vgradient(w, h, (46, 42, 48), (96, 38, 14))
    e = Emblem(25, 29)
    dark = (20, 18, 20, 255)
    # Hammer raised over the anvil.
    e.line([(5, 3.5), (15.5, 13.5)], (150, 95, 45, 255), 2.0)
    e.poly([(13, 9.5), (19, 3.5), (22.5, 7), (16.5, 13)], (175, 180, 190, 255), dark, 0.9)
    # Anvil: horn to the left, face, waist and foot.
    e.poly([(1.5, 16), (7, 15.5), (22.5, 15.5), (22.5, 19), (17, 19.5), (15.5, 22.5),
            (19, 25.5), (19, 27), (6, 27), (6, 25.5), (9.5, 22.5), (8, 19.5), (5, 18.5)],
           (95, 100, 112, 255), dark, 0.9)
    e.line([(7, 16.3), (22, 16.3)], (200, 205, 215, 255), 0.9)
    # Sparks flying from the strike.
    for x, y, r in ((3.5, 11, 0.9), (6, 8.5, 0.7), (2, 13.5, 0.6), (9.5, 12.5, 0.7),
                    (23, 12.5, 0.7)):
        e.ellipse(x - r, y - r, x + r, y + r, (255, 200, 60, 255))
    mark = e.result()
    img.paste(mark, (2, 1), mark)
    _button_text(img, "铁匠铺", "tiejiangpu", (255, 214, 90), (250, 175, 105), 27,
                 shadow=(30, 10, 0))
    _frame(img, (210, 120, 40), (120, 100, 100))
    # GIF: a small adaptive palette without dithering keeps the text solid.
    return img.quantize(colors=64, method=Image.MEDIANCUT, dither=Image.NONE)


def link2_inn():
    w, h = 88, 32
    img = _vgradient(w, h, (253, 244, 222), (238, 208, 160))
    e = Emblem(24, 30)
    # Cloud the lantern hangs in front of.
    cloud = (255, 255, 255, 255)
    cl = (150, 150, 170, 255)
    for x, y, r in ((5, 9, 4), (10, 6, 5), (16, 8, 4.5), (20, 11, 3)):
        e.ellipse(x - r - 0.8, y - r - 0.8, x + r + 0.8, y + r + 0.8, cl)
    for x, y, r in ((5, 9, 4), (10, 6, 5), (16, 8, 4.5), (20, 11, 3)):
        e.ellipse(x - r, y - r, x + r, y + r, cloud)
    # Red inn lantern with gold caps and a tassel.
    e.line([(12, 0), (12, 8)], (60, 30, 20, 255), 0.8)
    e.poly([(9.5, 8), (14.5, 8), (14.5, 10), (9.5, 10)], (220, 170, 40, 255), (90, 50, 10, 255), 0.7)
    e.ellipse(6, 9, 18, 23, (215, 35, 30, 255), (110, 10, 10, 255), 0.9)
    for x0, x1 in ((9.3, 14.7), (7.4, 16.6)):
        e.ellipse(x0, 9.3, x1, 22.7, None, (150, 20, 20, 255), 0.6)
    e.ellipse(8.5, 11, 11, 16, (255, 140, 110, 255))
    e.poly([(9.5, 22), (14.5, 22), (14.5, 24), (9.5, 24)], (220, 170, 40, 255), (90, 50, 10, 255), 0.7)
    for x in (11, 12, 13):
        e.line([(x, 24), (x + (x - 12) * 0.4, 29)], (200, 30, 30, 255), 0.8)
    mark = e.result()
    img.paste(mark, (2, 1), mark)
    _button_text(img, "云游客栈", "yunyou", (150, 20, 20), (100, 50, 20), 26)
    _frame(img, (130, 30, 20), (255, 252, 240))
    return img


def make_buttons():
    save_image(link0_wind_chime(), ABOUT / "link0.jpg", quality=94, progressive=False,
               optimize=True, subsampling="4:4:4")
    gif = link1_smithy()
    gif.info["version"] = b"89a"
    save_image(gif, ABOUT / "link1.gif", optimize=True)
    save_image(link2_inn(), ABOUT / "link2.jpg", quality=94, progressive=False,
               optimize=True, subsampling="4:4:4")


# ---------------------------------------------------------------------------
# Windows installer: the welcome and finish pages' picture (164x314) and the
# other pages' header picture (150x57), as 24-bit BMP, which NSIS needs.

WELCOME_W, WELCOME_H = 164, 314
HEADER_W, HEADER_H = 150, 57


def bmp_file(img):
    """Uncompressed 24-bit BMP: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up
    BGR rows padded to 4 bytes."""
    img = img.convert("RGB")
    w, h = img.size
    px = img.load()
    stride = (w * 3 + 3) & ~3
    rows = bytearray()
    for y in reversed(range(h)):
        line = bytearray()
        for x in range(w):
            r, g, b = px[x, y]
            line += bytes((b, g, r))
        rows += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return head + info + bytes(rows)


def _landscape():
    """The right part of the About background: moon, clouds, the ink-wash
    range and the sword, without the border."""
    s = BG_SS
    return _about_scene().crop((176 * s, 8 * s, (BG_W - 4) * s, (BG_H - 4) * s))


def _fade(size, top=0, bottom=0, left=0, right=0):
    """Opacity mask that fades in over the given widths from each edge."""
    w, h = size
    m = Image.new("L", size, 0)
    px = m.load()
    for y in range(h):
        fy = min(_smooth(y / top) if top else 1, _smooth((h - 1 - y) / bottom) if bottom else 1)
        for x in range(w):
            fx = min(_smooth(x / left) if left else 1, _smooth((w - 1 - x) / right) if right else 1)
            px[x, y] = round(255 * fx * fy)
    return m


def _icon_with_shadow(img, size, x, y):
    icon = main_icon(size)
    shadow = Image.new("L", img.size, 0)
    shadow.paste(icon.getchannel("A"), (x + size // 24, y + size // 16))
    shadow = shadow.filter(ImageFilter.GaussianBlur(size / 24)).point(lambda v: v * 45 // 100)
    img.paste((70, 50, 30), (0, 0), shadow)
    img.paste(icon, (x, y), icon)


def installer_welcome():
    """Parchment like the About window, the program icon above the About
    window's landscape, in the same sepia frame."""
    rng = random.Random(20240602)
    s = BG_SS
    img = _paper(rng, WELCOME_W * s, WELCOME_H * s).resize((WELCOME_W, WELCOME_H), Image.LANCZOS)
    land = _landscape()
    land = land.resize((WELCOME_W - 10, round(land.height * (WELCOME_W - 10) / land.width)),
                       Image.LANCZOS)
    img.paste(land, (5, WELCOME_H - 5 - land.height), _fade(land.size, top=40))
    _icon_with_shadow(img, 96, (WELCOME_W - 96) // 2, 42)
    big = img.resize((WELCOME_W * s, WELCOME_H * s), Image.LANCZOS)
    _border(big, s, WELCOME_W, WELCOME_H)
    return big.resize((WELCOME_W, WELCOME_H), Image.LANCZOS)


def installer_header():
    """White like the header it sits in: the icon, and beside it the About
    window's range and sword melting into the white at their edges."""
    img = Image.new("RGB", (HEADER_W, HEADER_H), (255, 255, 255))
    land = _landscape()
    land = land.resize((round(land.width * HEADER_H / land.height), HEADER_H), Image.LANCZOS)
    img.paste(land, (34, 0), _fade(land.size, left=24, right=14, top=5, bottom=5))
    _icon_with_shadow(img, 48, 6, 4)
    return img


def make_installer_pictures():
    write(INSTALLER / "welcome.bmp", bmp_file(installer_welcome()))
    write(INSTALLER / "header.bmp", bmp_file(installer_header()))


def main():
    make_main_icon()
    make_cursor()
    make_about_icon()
    make_background()
    make_buttons()
    make_installer_pictures()


if __name__ == "__main__":
    sys.exit(main())
