# Anti-aliased drawing of polygons into an RGBA canvas, and the file formats of the pictures.
"""A small rasteriser: shapes are polygons (lists of (x, y) in pixels), filled with exact
horizontal coverage on SUB sub-scanlines per pixel; colours are (r, g, b) or functions of (x, y).
Writers produce the Windows formats the resource script embeds: 4- and 8-bit BMP, ICO, CUR."""

import math
import struct
import subprocess
import zlib

SUB = 5  # sub-scanlines per pixel row


class Canvas:
    def __init__(self, width, height, background=None):
        self.width = width
        self.height = height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]
        if background is not None:
            self.fill_all(background)

    def fill_all(self, paint):
        for y in range(self.height):
            for x in range(self.width):
                self.blend(x, y, paint, 1.0)

    def blend(self, x, y, paint, coverage):
        if coverage <= 0.0:
            return
        colour = paint(x + 0.5, y + 0.5) if callable(paint) else paint
        alpha = coverage * (colour[3] / 255.0 if len(colour) > 3 else 1.0)
        if alpha <= 0.0:
            return
        p = self.pixels[y * self.width + x]
        out_a = alpha + p[3] * (1.0 - alpha)
        for i in range(3):
            p[i] = (colour[i] * alpha + p[i] * p[3] * (1.0 - alpha)) / out_a if out_a else 0.0
        p[3] = out_a

    def coverage(self, polygons):
        """Per-pixel coverage (0..1) of the union of polygons under the even-odd rule."""
        cover = {}
        edges = []
        for poly in polygons:
            n = len(poly)
            for i in range(n):
                (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % n]
                if y0 != y1:
                    edges.append((x0, y0, x1, y1))
        if not edges:
            return cover
        top = max(0, int(math.floor(min(min(e[1], e[3]) for e in edges))))
        bottom = min(self.height, int(math.ceil(max(max(e[1], e[3]) for e in edges))))
        for row in range(top, bottom):
            for s in range(SUB):
                sy = row + (s + 0.5) / SUB
                xs = []
                for x0, y0, x1, y1 in edges:
                    if (y0 <= sy < y1) or (y1 <= sy < y0):
                        xs.append(x0 + (sy - y0) * (x1 - x0) / (y1 - y0))
                xs.sort()
                for i in range(0, len(xs) - 1, 2):
                    self._span(cover, row, max(0.0, xs[i]), min(float(self.width), xs[i + 1]))
        return cover

    def _span(self, cover, row, a, b):
        if b <= a:
            return
        first, last = int(a), min(int(math.ceil(b)) - 1, self.width - 1)
        for x in range(first, last + 1):
            overlap = min(b, x + 1.0) - max(a, float(x))
            if overlap > 0:
                key = row * self.width + x
                cover[key] = cover.get(key, 0.0) + overlap / SUB

    def fill(self, polygons, paint):
        if polygons and isinstance(polygons[0], tuple):
            polygons = [polygons]
        for key, c in self.coverage(polygons).items():
            self.blend(key % self.width, key // self.width, paint, min(c, 1.0))

    def stamp(self, mask, left, top, paint):
        """Blends paint through a coverage mask (rows of 0..255) placed at (left, top)."""
        for j, row in enumerate(mask):
            for i, value in enumerate(row):
                x, y = left + i, top + j
                if value and 0 <= x < self.width and 0 <= y < self.height:
                    self.blend(x, y, paint, value / 255.0)

    def rgba(self):
        out = []
        for p in self.pixels:
            out.append(tuple(max(0, min(255, int(round(v)))) for v in p[:3]) +
                       (max(0, min(255, int(round(p[3] * 255)))),))
        return out


# Shapes -------------------------------------------------------------------------------------

def ellipse(cx, cy, rx, ry, rotation=0.0, steps=64):
    c, s = math.cos(rotation), math.sin(rotation)
    pts = []
    for i in range(steps):
        t = 2 * math.pi * i / steps
        x, y = rx * math.cos(t), ry * math.sin(t)
        pts.append((cx + x * c - y * s, cy + x * s + y * c))
    return pts


def rect(x, y, w, h):
    return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]


def rounded_rect(x, y, w, h, r, steps=8):
    pts = []
    corners = [(x + w - r, y + r, -90), (x + w - r, y + h - r, 0), (x + r, y + h - r, 90),
               (x + r, y + r, 180)]
    for cx, cy, start in corners:
        for i in range(steps + 1):
            t = math.radians(start + 90.0 * i / steps)
            pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return pts


def bezier(p0, p1, p2, p3, steps=16):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        pts.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return pts


def thick(points, width):
    """A polyline widened to a polygon of the given width (for smooth, gently bent lines)."""
    left, right = [], []
    n = len(points)
    for i, (x, y) in enumerate(points):
        ax, ay = points[max(i - 1, 0)]
        bx, by = points[min(i + 1, n - 1)]
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        left.append((x + nx, y + ny))
        right.append((x - nx, y - ny))
    return left + right[::-1]


def arc_band(cx, cy, radius, width, start_deg, end_deg, steps=40):
    outer, inner = [], []
    for i in range(steps + 1):
        t = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        outer.append((cx + (radius + width / 2) * math.cos(t), cy + (radius + width / 2) * math.sin(t)))
        inner.append((cx + (radius - width / 2) * math.cos(t), cy + (radius - width / 2) * math.sin(t)))
    return outer + inner[::-1]


def transform(points, scale=1.0, dx=0.0, dy=0.0):
    return [(x * scale + dx, y * scale + dy) for x, y in points]


# Paints -------------------------------------------------------------------------------------

def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def linear(x0, y0, x1, y1, c0, c1):
    dx, dy = x1 - x0, y1 - y0
    d2 = dx * dx + dy * dy or 1.0

    def paint(x, y):
        return mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / d2)
    return paint


def radial(cx, cy, r, c0, c1):
    def paint(x, y):
        return mix(c0, c1, math.hypot(x - cx, y - cy) / r)
    return paint


# Text ---------------------------------------------------------------------------------------

def text_mask(text, font, pointsize, kerning=0):
    """Glyph coverage of a line of text as rows of 0..255, rendered by ImageMagick."""
    pgm = subprocess.run(
        ["convert", "-background", "black", "-fill", "white", "-font", font, "-pointsize",
         str(pointsize), "-kerning", str(kerning), "label:" + text, "-trim", "+repage",
         "-depth", "8", "pgm:-"], check=True, capture_output=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:
        while pgm[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not pgm[end:end + 1].isspace():
            end += 1
        fields.append(pgm[pos:end])
        pos = end
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    data = pgm[pos:pos + width * height]
    return [list(data[r * width:(r + 1) * width]) for r in range(height)]


def rotate_mask_left(mask):
    """The mask turned a quarter counter-clockwise, so that text reads upwards."""
    h, w = len(mask), len(mask[0])
    return [[mask[r][w - 1 - c] for r in range(h)] for c in range(w)]


# Files --------------------------------------------------------------------------------------

def _bmp(width, height, bits, palette, rows_bottom_up, compression=0):
    header_size = 14 + 40 + 4 * len(palette)
    data = b"".join(rows_bottom_up)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(data), 2835,
                       2835, len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in palette)
    head = struct.pack("<2sIHHI", b"BM", header_size + len(data), 0, 0, header_size)
    return head + info + pal + data


def _rle8(row):
    """One row in BMP run-length form: runs of a colour, and stretches of differing pixels
    written out, then the end-of-line mark."""
    out, i, n = bytearray(), 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 3 or n - i < 3:
            out += bytes((run, row[i]))
            i += run
            continue
        start = i
        while i < n and i - start < 255:
            if i + 2 < n and row[i] == row[i + 1] == row[i + 2]:
                break
            i += 1
        literal = row[start:i]
        if len(literal) < 3:
            for value in literal:
                out += bytes((1, value))
        else:
            out += bytes((0, len(literal))) + bytes(literal) + (b"\0" if len(literal) % 2 else b"")
    return bytes(out) + b"\0\0"


def write_bmp8(path, width, height, rgba, background=(255, 255, 255), rle=False):
    """An 8-bit palette BMP. ImageMagick picks the 256 colours and dithers; the file is written
    here so that it is always the plain 8-bit form, whatever number of colours remains. With
    `rle` the colours are not dithered, so that rows keep long runs, and the rows are stored
    run-length encoded (BI_RLE8): a large picture then takes a fraction of its bytes."""
    pixels = [mix(background, p[:3], p[3] / 255.0) for p in rgba]
    ppm = b"P6 %d %d 255\n" % (width, height) + bytes(
        max(0, min(255, int(round(v)))) for p in pixels for v in p)
    reduced = subprocess.run(["convert", "ppm:-", "-dither", "None" if rle else "FloydSteinberg",
                              "-colors", "256", "ppm:-"],
                             input=ppm, check=True, capture_output=True).stdout
    data = reduced[len(reduced) - width * height * 3:]
    colours = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
    index = {}
    for c in colours:
        index.setdefault(c, len(index))
    assert len(index) <= 256, len(index)
    palette = sorted(index, key=index.get)
    stride = (width + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytes(index[colours[y * width + x]] for x in range(width))
        rows.append(_rle8(row) if rle else row + b"\0" * (stride - width))
    if rle:
        rows[-1] = rows[-1][:-2] + b"\0\1"
    with open(path, "wb") as f:
        f.write(_bmp(width, height, 8, palette, rows, compression=1 if rle else 0))


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def write_bmp4(path, grid, colours):
    """A 4-bit BMP in the 16 standard colours from rows of characters mapped by `colours`."""
    height, width = len(grid), len(grid[0])
    stride = ((width + 1) // 2 + 3) & ~3
    rows = []
    for line in reversed(grid):
        assert len(line) == width, line
        idx = [VGA16.index(colours[ch]) for ch in line] + [0]
        packed = bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < width else 0)
                       for i in range(0, width, 2))
        rows.append(packed + b"\0" * (stride - len(packed)))
    with open(path, "wb") as f:
        f.write(_bmp(width, height, 4, VGA16, rows))


def _and_mask(size, rgba):
    stride = ((size + 31) // 32) * 4
    mask = b""
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if rgba[y * size + x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    return mask


def _icon_image(size, rgba):
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for y in range(size - 1, -1, -1)
                      for p in rgba[y * size:(y + 1) * size])
    # Only fully transparent pixels are masked: the 32-bit form blends by its alpha.
    return info + colour + _and_mask(size, [(0, 0, 0, 255 if p[3] else 0) for p in rgba])


def _icon_image8(size, rgba):
    """The 256-colour form for displays without true colour: the mask cuts at half coverage, and
    masked pixels are black so that the shell's XOR leaves the background as it is."""
    ppm = b"P6 %d %d 255\n" % (size, size) + bytes(
        v for p in rgba for v in (p[:3] if p[3] >= 128 else (0, 0, 0)))
    reduced = subprocess.run(["convert", "ppm:-", "-dither", "None", "-colors", "255", "ppm:-"],
                             input=ppm, check=True, capture_output=True).stdout
    data = reduced[len(reduced) - size * size * 3:]
    colours = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
    index = {(0, 0, 0): 0}
    for c, p in zip(colours, rgba):
        if p[3] >= 128:
            index.setdefault(c, len(index))
    assert len(index) <= 256, len(index)
    palette = sorted(index, key=index.get) + [(0, 0, 0)] * (256 - len(index))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    pal = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in palette)
    stride = (size + 3) & ~3
    pixels = b""
    for y in range(size - 1, -1, -1):
        row = bytes(index[colours[y * size + x]] if rgba[y * size + x][3] >= 128 else 0
                    for x in range(size))
        pixels += row + b"\0" * (stride - size)
    return info + pal + pixels + _and_mask(size, rgba)


def _png(size, rgba):
    """A PNG of a square RGBA image: the form of an icon's 256-pixel image since Windows Vista,
    a tenth of the bitmap form's bytes."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(v for p in rgba[y * size:(y + 1) * size] for v in p)
                   for y in range(size))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_icon(path, images, hotspot=None, depths=(32,), png_from=256):
    """An ICO (or, with a hotspot, a CUR) of square images: [(size, rgba), ...], each in every
    colour depth of `depths` (32 for true colour with alpha, 8 for 256 colours). Displays of 256
    colours ask only for the classic 16, 32 and 48 pixels. True-colour images of `png_from` pixels
    and more are stored as PNG, which every system since Vista reads, in a fraction of the bytes."""
    kind = 2 if hotspot else 1
    entries = [(size, bits) for bits in depths for size, _ in images
               if bits == 32 or size in (16, 32, 48)]
    pictures = dict(images)
    blobs = [_png(size, pictures[size]) if bits == 32 and size >= png_from else
             (_icon_image8 if bits == 8 else _icon_image)(size, pictures[size])
             for size, bits in entries]
    offset = 6 + 16 * len(entries)
    out = struct.pack("<HHH", 0, kind, len(entries))
    for (size, bits), blob in zip(entries, blobs):
        planes, count = (hotspot if hotspot else (1, bits))
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, planes, count, len(blob),
                           offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))
