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


def icon(name, sizes, depths=(32,), **kwargs):
    write_icon(os.path.join(OUT, name), [(s, emblem_icon(s, **kwargs)) for s in sizes],
               depths=depths)


# Wide and tall pictures -----------------------------------------------------------------------

def sunken_edge(canvas):
    """The dialogs' pictures carry their sunken frame themselves: Wine paints stray dotted lines
    over a bitmap static that has a border style of its own."""
    w, h = canvas.width, canvas.height
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


def splash():
    w, h = 284, 102
    c = Canvas(w, h, linear(0, 0, w, h, (12, 30, 66), (34, 88, 156)))
    for k, alpha in ((0, 60), (1, 35)):
        line = wave(0, w, 84 + 6 * k, 4, 70 + 20 * k)
        telephone_line(c, line, 1.6, (140, 190, 255, alpha))
    draw_emblem(c, 0.70, 14, 9)
    title = text_mask("Tollward", "DejaVu-Sans-Bold", 34)
    c.stamp(title, 100, 20, WHITE)
    c.fill(rect(101, 22 + len(title) + 6, 170, 1), (150, 190, 240, 160))
    sub = text_mask("dial-up phonebook guard", "DejaVu-Sans", 12)
    c.stamp(sub, 102, 22 + len(title) + 12, (186, 212, 245))
    write_bmp8(os.path.join(OUT, "splash.bmp"), w, h, c.rgba())


def banner():
    w, h = 102, 284
    c = Canvas(w, h, linear(0, 0, w * 0.3, h, (34, 88, 156), (10, 26, 58)))
    for k, alpha in ((0, 55), (1, 30)):
        line = [(y, x) for x, y in wave(0, h, 0, 5, 80 + 24 * k)]
        telephone_line(c, transform(line, 1.0, 78 + 8 * k, 0), 1.6, (140, 190, 255, alpha))
    draw_emblem(c, 0.66, 18, 14)
    word = rotate_mask_left(text_mask("Tollward", "DejaVu-Sans-Bold", 30))
    c.stamp(word, 30, h - len(word) - 14, (255, 255, 255, 225))
    sunken_edge(c)
    write_bmp8(os.path.join(OUT, "banner.bmp"), w, h, c.rgba())


def bad_area_picture():
    w, h = 204, 46
    c = Canvas(w, h, linear(0, 0, w, 0, (255, 255, 255), (253, 226, 226)))
    c.fill(rect(0, h - 2, w, 2), (200, 60, 60))
    # A handset under a prohibition sign.
    for shape in handset():
        c.fill(transform(shape, 0.34, 5, -4), (40, 40, 40))
    c.fill(arc_band(22, 23, 17, 4.5, 0, 360, steps=72), (210, 30, 30))
    c.fill(thick([(10, 11), (34, 35)], 4.5), (210, 30, 30))
    c.stamp(text_mask("Bad area codes", "DejaVu-Sans-Bold", 15), 48, 7, (150, 20, 20))
    c.stamp(text_mask("never to be registered", "DejaVu-Sans", 9), 49, 28,
            (90, 90, 90))
    sunken_edge(c)
    write_bmp8(os.path.join(OUT, "badareas.bmp"), w, h, c.rgba())


def manipulated_picture():
    w, h = 64, 200
    c = Canvas(w, h, linear(0, 0, 0, h, (150, 28, 24), (58, 10, 10)))
    draw_emblem(c, 0.5, 7, 10, body=((250, 196, 60), (214, 120, 20)), outline=(60, 20, 0),
                phone=WHITE)
    # A crack through the shield.
    c.fill(thick([(34, 12), (29, 26), (36, 36), (28, 50), (33, 60)], 2.2), (60, 20, 0))
    word = rotate_mask_left(text_mask("ALTERED", "DejaVu-Sans-Bold", 22))
    c.stamp(word, (w - len(word[0])) // 2, h - len(word) - 10, (255, 230, 220))
    sunken_edge(c)
    write_bmp8(os.path.join(OUT, "manipulated.bmp"), w, h, c.rgba())


def sign_icon(name, colour, plus):
    images = []
    for size in (16, 32):
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
    write_icon(os.path.join(OUT, name), images)


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


def menu_pictures():
    for name, art in list(MENU.items()) + list(CHECKMARKS.items()):
        write_bmp4(os.path.join(OUT, name), art.strip().splitlines(), COLOURS)


def main():
    os.makedirs(OUT, exist_ok=True)
    # The shell picks the 256-colour images on displays without true colour.
    icon("tollward.ico", (16, 32, 48), depths=(32, 8))
    icon("tray_idle.ico", (16, 32), body=((170, 176, 186), (98, 104, 116)))
    icon("tray_monitoring.ico", (16, 32), dot=(40, 190, 60))
    icon("tray_flash.ico", (16, 32), body=((255, 232, 110), (236, 160, 20)))
    sign_icon("delete_code.ico", (200, 40, 40), plus=False)
    sign_icon("add_code.ico", (40, 150, 60), plus=True)
    drag_cursor()
    splash()
    banner()
    bad_area_picture()
    manipulated_picture()
    menu_pictures()


if __name__ == "__main__":
    main()
