#!/usr/bin/env python3
# Draws every picture of the resource script into res/art/: run from anywhere, commit the output.
"""The program's pictures: the emblem (a shield guarding a telephone handset) in its icon, tray
and splash forms, the dialog pictures, the small menu pictures and the drag cursor.
Needs Python 3 and, for the lettering, ImageMagick's `convert` with the DejaVu fonts."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from raster import (Canvas, arc_band, bezier, ellipse, linear, radial, rect, rotate_mask_left,
                    rounded_rect, text_mask, thick, transform, write_bmp4, write_bmp8,
                    write_icon)

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res", "art")

NAVY = (14, 32, 68)
BLUE_TOP = (64, 130, 210)
BLUE_BOTTOM = (22, 56, 120)
WHITE = (255, 255, 255)
RIM = (232, 240, 250)


# The emblem, designed in a 100 x 120 box ------------------------------------------------------

def shield_outline():
    pts = bezier((8, 16), (30, 14), (40, 4), (50, 4))
    pts += bezier((50, 4), (60, 4), (70, 14), (92, 16))[1:]
    pts += [(92, 60)]
    pts += bezier((92, 60), (92, 92), (72, 106), (50, 117))[1:]
    pts += bezier((50, 117), (28, 106), (8, 92), (8, 60))[1:]
    return pts


def shrink(points, factor, cx=50.0, cy=60.0):
    return [(cx + (x - cx) * factor, cy + (y - cy) * factor) for x, y in points]


def handset():
    """A telephone handset lying across the shield: a curved grip with a cup at each end."""
    shapes = [arc_band(50, 84, 30, 9, 212, 328)]
    for angle, cx in ((0.45, 22.5), (-0.45, 77.5)):
        shapes.append(ellipse(cx, 72, 8.5, 12.5, rotation=angle, steps=48))
    return shapes


def draw_emblem(canvas, scale, left, top, body=(BLUE_TOP, BLUE_BOTTOM), rim=RIM, outline=NAVY,
                phone=WHITE, shadow=True):
    place = lambda pts: transform(pts, scale, left, top)
    outer = shield_outline()
    canvas.fill(place(shrink(outer, 1.0)), outline)
    canvas.fill(place(shrink(outer, 0.93)), rim)
    inner = place(shrink(outer, 0.84))
    canvas.fill(inner, linear(0, top + 10 * scale, 0, top + 110 * scale, body[0], body[1]))
    # A soft light on the upper left half, as on an embossed plate.
    gloss = place(shrink(outer, 0.84))
    canvas.fill(gloss, radial(left + 30 * scale, top + 20 * scale, 70 * scale,
                              (255, 255, 255, 70), (255, 255, 255, 0)))
    if shadow:
        for shape in handset():
            canvas.fill(place(transform(shape, 1.0, 1.5, 2.5)), (0, 0, 0, 90))
    for shape in handset():
        canvas.fill(place(shape), phone)


def emblem_icon(size, body=(BLUE_TOP, BLUE_BOTTOM), dot=None):
    canvas = Canvas(size, size)
    scale = size / 120.0
    left = (size - 100 * scale) / 2
    draw_emblem(canvas, scale, left, 0.0, body=body, shadow=size >= 32)
    if dot:
        r = max(2.5, size * 0.17)
        cx, cy = size - r - 0.5, size - r - 0.5
        canvas.fill(ellipse(cx, cy, r + 1, r + 1), (255, 255, 255))
        canvas.fill(ellipse(cx, cy, r, r), dot)
    return canvas.rgba()


def icon(name, sizes, depths=(32,), png_from=20, **kwargs):
    # Above the smallest size the images are PNG, which every system since Vista reads: a
    # fraction of the bytes, so the program stays small with every size the shell asks for.
    write_icon(os.path.join(OUT, name), [(s, emblem_icon(s, **kwargs)) for s in sizes],
               depths=depths, png_from=png_from)


# Wide and tall pictures -----------------------------------------------------------------------

# The pictures come in sets for 100, 150 and 200 % of 96 DPI; a set's files lie in a folder of
# that name (the 100 % set directly in res/art) and its resources 1000 identifiers above
# those of the next smaller set (res/resource.h names them).
SCALES = ((1.0, ""), (1.5, "150"), (2.0, "200"))


def out_path(name, folder):
    directory = os.path.join(OUT, folder) if folder else OUT
    os.makedirs(directory, exist_ok=True)
    return os.path.join(directory, name)


class Scaled(Canvas):
    """A canvas drawn at `scale` whose calls take the design's coordinates at 100 %: shapes and
    gradients are scaled, text masks are rendered at the scaled size by their callers."""

    def __init__(self, width, height, scale, background=None):
        self.scale = scale
        Canvas.__init__(self, int(round(width * scale)), int(round(height * scale)),
                        self._paint(background) if background is not None else None)

    def _paint(self, paint):
        if callable(paint):
            s = self.scale
            return lambda x, y: paint(x / s, y / s)
        return paint

    def fill(self, polygons, paint):
        if polygons and isinstance(polygons[0], tuple):
            polygons = [polygons]
        Canvas.fill(self, [transform(p, self.scale) for p in polygons], self._paint(paint))

    def stamp(self, mask, left, top, paint):
        Canvas.stamp(self, mask, int(round(left * self.scale)), int(round(top * self.scale)),
                     self._paint(paint))

    def text(self, text, font, pointsize):
        """A text mask at the scaled size, and its width and height in design units."""
        mask = text_mask(text, font, pointsize * self.scale)
        return mask, len(mask[0]) / self.scale, len(mask) / self.scale

def sunken_edge(canvas):
    """The dialogs' pictures carry their sunken frame themselves: Wine paints stray dotted lines
    over a bitmap static that has a border style of its own."""
    w, h = canvas.width / canvas.scale, canvas.height / canvas.scale
    canvas.fill(rect(0, 0, w, 1), (128, 128, 128))
    canvas.fill(rect(0, 0, 1, h), (128, 128, 128))
    canvas.fill(rect(0, h - 1, w, 1), (255, 255, 255))
    canvas.fill(rect(w - 1, 0, 1, h), (255, 255, 255))


def telephone_line(canvas, points, width, colour):
    canvas.fill(thick(points, width), colour)


def wave(x0, x1, y, amplitude, period, steps=120):
    import math
    return [(x0 + (x1 - x0) * i / steps,
             y + amplitude * math.sin(2 * math.pi * (x0 + (x1 - x0) * i / steps) / period))
            for i in range(steps + 1)]


def splash(scale, folder):
    w, h = 284, 102
    c = Scaled(w, h, scale, linear(0, 0, w, h, (12, 30, 66), (34, 88, 156)))
    for k, alpha in ((0, 60), (1, 35)):
        line = wave(0, w, 84 + 6 * k, 4, 70 + 20 * k)
        telephone_line(c, line, 1.6, (140, 190, 255, alpha))
    draw_emblem(c, 0.70, 14, 9)
    title, _, title_h = c.text("Tollward", "DejaVu-Sans-Bold", 34)
    c.stamp(title, 100, 20, WHITE)
    c.fill(rect(101, 22 + title_h + 6, 170, 1), (150, 190, 240, 160))
    sub, _, _ = c.text("dial-up phonebook guard", "DejaVu-Sans", 12)
    c.stamp(sub, 102, 22 + title_h + 12, (186, 212, 245))
    write_bmp8(out_path("splash.bmp", folder), c.width, c.height, c.rgba(), rle=scale > 1)


def banner(scale, folder):
    w, h = 102, 284
    c = Scaled(w, h, scale, linear(0, 0, w * 0.3, h, (34, 88, 156), (10, 26, 58)))
    for k, alpha in ((0, 55), (1, 30)):
        line = [(y, x) for x, y in wave(0, h, 0, 5, 80 + 24 * k)]
        telephone_line(c, transform(line, 1.0, 78 + 8 * k, 0), 1.6, (140, 190, 255, alpha))
    draw_emblem(c, 0.66, 18, 14)
    word, _, _ = c.text("Tollward", "DejaVu-Sans-Bold", 30)
    word = rotate_mask_left(word)
    c.stamp(word, 30, h - len(word) / scale - 14, (255, 255, 255, 225))
    sunken_edge(c)
    write_bmp8(out_path("banner.bmp", folder), c.width, c.height, c.rgba(), rle=scale > 1)


def bad_area_picture(scale, folder):
    w, h = 204, 46
    c = Scaled(w, h, scale, linear(0, 0, w, 0, (255, 255, 255), (253, 226, 226)))
    c.fill(rect(0, h - 2, w, 2), (200, 60, 60))
    # A handset under a prohibition sign.
    for shape in handset():
        c.fill(transform(shape, 0.34, 5, -4), (40, 40, 40))
    c.fill(arc_band(22, 23, 17, 4.5, 0, 360, steps=72), (210, 30, 30))
    c.fill(thick([(10, 11), (34, 35)], 4.5), (210, 30, 30))
    c.stamp(c.text("Bad area codes", "DejaVu-Sans-Bold", 15)[0], 48, 7, (150, 20, 20))
    c.stamp(c.text("never to be registered", "DejaVu-Sans", 9)[0], 49, 28, (90, 90, 90))
    sunken_edge(c)
    write_bmp8(out_path("badareas.bmp", folder), c.width, c.height, c.rgba(), rle=scale > 1)


def manipulated_picture(scale, folder):
    w, h = 64, 200
    c = Scaled(w, h, scale, linear(0, 0, 0, h, (150, 28, 24), (58, 10, 10)))
    draw_emblem(c, 0.5, 7, 10, body=((250, 196, 60), (214, 120, 20)), outline=(60, 20, 0),
                phone=WHITE)
    # A crack through the shield.
    c.fill(thick([(34, 12), (29, 26), (36, 36), (28, 50), (33, 60)], 2.2), (60, 20, 0))
    word, _, _ = c.text("ALTERED", "DejaVu-Sans-Bold", 22)
    word = rotate_mask_left(word)
    c.stamp(word, (w - len(word[0]) / scale) / 2, h - len(word) / scale - 10, (255, 230, 220))
    sunken_edge(c)
    write_bmp8(out_path("manipulated.bmp", folder), c.width, c.height, c.rgba(), rle=scale > 1)


def sign_icon(name, colour, plus):
    images = []
    for size in (16, 20, 24, 32):
        c = Canvas(size, size)
        r = size / 2.0 - 0.5
        c.fill(ellipse(size / 2, size / 2, r, r), tuple(v * 0.6 for v in colour))
        c.fill(ellipse(size / 2, size / 2, r - size / 16, r - size / 16),
               radial(size * 0.35, size * 0.3, size * 0.8, tuple(min(255, v + 70) for v in colour),
                      colour))
        bar = size * 0.56
        t = max(2.0, size / 8.0)
        c.fill(rect((size - bar) / 2, (size - t) / 2, bar, t), WHITE)
        if plus:
            c.fill(rect((size - t) / 2, (size - bar) / 2, t, bar), WHITE)
        images.append((size, c.rgba()))
    # Buttons of the program only, on systems that all read PNG images in icons.
    write_icon(os.path.join(OUT, name), images, png_from=20)


def drag_cursor():
    size = 32
    c = Canvas(size, size)
    arrow = [(0.5, 0.5), (0.5, 17.5), (4.5, 13.5), (7.5, 20.5), (10, 19.5), (7, 12.5), (12.5, 12.5)]
    c.fill(arrow, (0, 0, 0))
    c.fill([(1.5, 2.9), (1.5, 15.2), (4.8, 12), (7.9, 19.1), (8.7, 18.8), (5.6, 11.5),
            (10.1, 11.5)], WHITE)
    card = rounded_rect(12.5, 17.5, 17, 12, 1.5)
    c.fill(card, (0, 0, 0))
    c.fill(rounded_rect(13.5, 18.5, 15, 10, 1), (255, 255, 255))
    c.fill(rect(14.5, 19.5, 13, 2), (40, 90, 170))
    for y in (23.5, 26):
        c.fill(rect(15, y, 11, 1), (120, 120, 120))
    write_icon(os.path.join(OUT, "drag.cur"), [(size, c.rgba())], hotspot=(0, 0))


# Menu pictures: 13 x 13 in the 16 standard colours; magenta shows the menu through. The tray
# menu's own items wear the program's shield, grey and with the green dot as the tray icon does.

COLOURS = {".": (255, 0, 255), "k": (0, 0, 0), "w": (255, 255, 255), "s": (192, 192, 192),
           "g": (128, 128, 128), "n": (0, 0, 128), "b": (0, 0, 255), "r": (255, 0, 0),
           "m": (128, 0, 0), "G": (0, 128, 0), "l": (0, 255, 0), "y": (255, 255, 0),
           "o": (128, 128, 0), "t": (0, 128, 128), "a": (0, 255, 255)}

MENU = {
    "menu_about.bmp": """
....nnnnn....
..nnbbbbbnn..
.nbbbbwbbbbn.
.nbbbwwwbbbn.
nbbbbbwbbbbbn
nbbbbbbbbbbbn
nbbbbwwwbbbbn
nbbbbbwwbbbbn
nbbbbbwwbbbbn
.nbbbbwwbbbn.
.nbbbwwwwbbn.
..nnbbbbbnn..
....nnnnn....""",
    "menu_shutdown.bmp": """
......mm.....
......rr.....
...m..rr..m..
..rr..rr..rr.
.rr...rr...rr
.r....rr....r
.r....mm....r
.r..........r
.rr........rr
..rr......rr.
...rrrmmrrr..
.....rrrr....
.............""",
    "menu_restore.bmp": """
.nnnnnnnnnnn.
nwwwwwwwwwwwn
nwbbbbbbbbbwn
nwbbbbbbbbbwn
nwbbbbbbbbbwn
nwbbwwwwwbbwn
nwbwnnnnnwbwn
nwwnnnnnnnwwn
.nwnnnnnnnwn.
.nwwnnnnnwwn.
..nwwnnnwwn..
...nnwwwnn...
.....nnn.....""",
    "menu_scan.bmp": """
...kkkk......
..kaaaak.....
.kawwaaak....
.kawaaaak....
.kaaaaaak....
.kaaaaaak....
..kaaaak.....
...kkkkok....
.......kok...
........kok..
.........kok.
..........kk.
.............""",
    "menu_properties.bmp": """
..kkkkkkk....
..kwwwwwkk...
..kwsssswkk..
..kwwwwwwwk..
..kwssssswk..
..kwwwwwwwk..
..kwssssswk..
..kwwwwwwwk..
..kwssssswk..
..kwwwwwwwk..
..kwssssswk..
..kwwwwwwwk..
..kkkkkkkkk..""",
    "menu_monitor_off.bmp": """
.ggggggggggg.
gwwwwwwwwwwwg
gwssssssssswg
gwssssssssswg
gwssssssssswg
gwsswwwwwsswg
gwswgggggwswg
gwwgggggggwwg
.gwgggggggwg.
.gwwgggggwwg.
..gwwgggwwg..
...ggwwwgg...
.....ggg.....""",
    "menu_monitor_on.bmp": """
.nnnnnnnnnnn.
nwwwwwwwwwwwn
nwbbbbbbbbbwn
nwbbbbbbbbbwn
nwbbbbbbbbbwn
nwbbwwwwwbbwn
nwbwnnnnnwbwn
nwwnnnnnGGGGn
.nwnnnnGlllG.
.nwwnnnGlllG.
..nwwnnGlllG.
...nnwwGGGG..
.....nnn.....""",
    "menu_bad_areas.bmp": """
....rrrrr....
..rrmwwwwrr..
.rrrrwwwwwrr.
.rmrrrkkkwwr.
rwwkrrrwwkwwr
rwwkwrrrwkwwr
rwwkwwrrrkwwr
rwwkwwwrrrwwr
rwwkwwwkrrrwr
.rwwkkkwwrrr.
.rrwwwwwwwrr.
..rrwwwwmrr..
....rrrrr....""",
    "menu_register.bmp": """
.............
.............
..........GG.
.........GlG.
........GlG..
.GG....GlG...
.GlG..GlG....
..GlGGlG.....
...GllG......
....GG.......
.............
.............
.............""",
    "menu_unregister.bmp": """
.............
.............
..mm.....mm..
..mrr...rrm..
...mrr.rrm...
....mrrrm....
.....rrr.....
....mrrrm....
...mrr.rrm...
..mrr...rrm..
..mm.....mm..
.............
.............""",
    "menu_user_pass.bmp": """
.............
..oooo.......
.oyyyyo......
oyy..yyo.....
oy....yo.....
oyy..yyo.....
.oyyyyyoooooo
..ooooyyyyyyo
.......oyoyoo
.......o.o.o.
.............
.............
.............""",
}

# The system menu's check-mark pictures are combined with the menu by AND: white shows through.
CHECKMARKS = {
    "sysmenu_about.bmp": MENU["menu_about.bmp"].replace(".", "w"),
    "sysmenu_close.bmp": MENU["menu_unregister.bmp"].replace(".", "w"),
}


def scale2x(grid):
    """EPX: each pixel becomes four, and a corner takes a neighbour's colour where two
    neighbours agree, so diagonals stay smooth and no colour is invented."""
    h, w = len(grid), len(grid[0])
    at = lambda x, y: grid[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]
    out = [[None] * (2 * w) for _ in range(2 * h)]
    for y in range(h):
        for x in range(w):
            p, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            out[2 * y][2 * x] = a if c == a and c != d and a != b else p
            out[2 * y][2 * x + 1] = b if a == b and a != c and b != d else p
            out[2 * y + 1][2 * x] = c if d == c and d != b and c != a else p
            out[2 * y + 1][2 * x + 1] = d if b == d and b != a and d != c else p
    return ["".join(row) for row in out]


def resample(grid, size):
    """Nearest-neighbour resampling to `size` × `size`, from the pixel centres."""
    h, w = len(grid), len(grid[0])
    return ["".join(grid[int((j + 0.5) * h / size)][int((i + 0.5) * w / size)]
                    for i in range(size)) for j in range(size)]


def menu_grid(art, scale):
    """The 13-pixel drawing at a set's size: doubled by EPX for 200 %, and for 150 % doubled
    twice and sampled down, which keeps the smoothing and the 16 colours."""
    grid = art.strip().splitlines()
    if scale == 1.0:
        return grid
    size = int(round(len(grid) * scale))
    big = scale2x(scale2x(grid)) if scale != 2.0 else scale2x(grid)
    return big if len(big) == size else resample(big, size)


def menu_pictures():
    for scale, folder in SCALES:
        for name, art in list(MENU.items()) + list(CHECKMARKS.items()):
            write_bmp4(out_path(name, folder), menu_grid(art, scale), COLOURS)


# The reasons the lists give for an entry, beside its name: small icons in the sizes of the
# small icon at 100, 125, 150 and 200 %.

REASON_SIZES = (16, 20, 24, 32)


def reason_icon(name, draw):
    images = []
    for size in REASON_SIZES:
        c = Scaled(16, 16, size / 16.0)
        draw(c)
        images.append((size, c.rgba()))
    # Only the program shows them, on systems that all read PNG images in icons.
    write_icon(os.path.join(OUT, name), images, png_from=16)


def disc(c, colour, rim):
    c.fill(ellipse(8, 8, 7.5, 7.5), rim)
    c.fill(ellipse(8, 8, 6.5, 6.5), radial(6, 5, 10, tuple(min(255, v + 60) for v in colour),
                                            colour))


def reason_new(c):
    # A star: an entry nobody has registered yet.
    disc(c, (40, 110, 200), (20, 50, 110))
    import math
    star = [(8 + (5.2 if i % 2 == 0 else 2.2) * math.sin(i * math.pi / 5),
             8.4 - (5.2 if i % 2 == 0 else 2.2) * math.cos(i * math.pi / 5)) for i in range(10)]
    c.fill(star, WHITE)


def reason_altered(c):
    # A warning triangle: the values differ from the registered ones.
    c.fill([(8, 0.8), (15.4, 14.6), (0.6, 14.6)], (120, 60, 0))
    c.fill([(8, 2.6), (13.8, 13.6), (2.2, 13.6)], linear(0, 2, 0, 14, (255, 200, 60),
                                                         (236, 140, 20)))
    c.fill(rounded_rect(7, 5, 2, 5.2, 0.8), (60, 30, 0))
    c.fill(ellipse(8, 11.7, 1.1, 1.1), (60, 30, 0))


def reason_bad_area(c):
    # A no-entry sign: the number begins with a bad area code.
    disc(c, (200, 30, 30), (110, 10, 10))
    c.fill(rect(3.5, 6.8, 9, 2.4), WHITE)


def reason_not_readable(c):
    # A question mark: the phonebook would not hand the entry out.
    disc(c, (120, 124, 132), (60, 62, 70))
    c.fill(arc_band(8, 6.2, 2.6, 1.6, 200, 450, steps=24), WHITE)
    c.fill(rect(7.2, 8.2, 1.6, 2.2), WHITE)
    c.fill(ellipse(8, 12, 1.0, 1.0), WHITE)


def reason_missing(c):
    # A dashed ring around nothing: registered, but gone from the phonebook.
    import math
    for k in range(8):
        a = k * math.pi / 4
        c.fill(arc_band(8, 8, 6.4, 1.8, math.degrees(a) + 8, math.degrees(a) + 36, steps=8),
               (90, 94, 104))


REASONS = {
    "reason_new.ico": reason_new,
    "reason_altered.ico": reason_altered,
    "reason_bad_area.ico": reason_bad_area,
    "reason_not_readable.ico": reason_not_readable,
    "reason_missing.ico": reason_missing,
}


def main():
    os.makedirs(OUT, exist_ok=True)
    # The shell picks the 256-colour images on displays without true colour.
    icon("tollward.ico", (16, 20, 24, 32, 40, 48, 64, 256), depths=(32, 8))
    icon("tray_idle.ico", TRAY_SIZES, body=((170, 176, 186), (98, 104, 116)))
    icon("tray_monitoring.ico", TRAY_SIZES, dot=(40, 190, 60))
    icon("tray_flash.ico", TRAY_SIZES, body=((255, 232, 110), (236, 160, 20)))
    sign_icon("delete_code.ico", (200, 40, 40), plus=False)
    sign_icon("add_code.ico", (40, 150, 60), plus=True)
    drag_cursor()
    # The dialogs' pictures fill their place: the program shrinks the next larger drawing to it,
    # so at 150 % the 200 % drawing serves, which keeps the program small.
    for scale, folder in (SCALES[0], SCALES[2]):
        splash(scale, folder)
        banner(scale, folder)
        bad_area_picture(scale, folder)
        manipulated_picture(scale, folder)
    menu_pictures()
    for name, draw in REASONS.items():
        reason_icon(name, draw)


# The small icon at 100, 125, 150 and 200 %.
TRAY_SIZES = (16, 20, 24, 32)


if __name__ == "__main__":
    main()
