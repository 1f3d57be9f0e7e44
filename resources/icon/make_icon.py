#!/usr/bin/env python3
"""Draws the Vaelto program icon and writes it as a Windows .ico file.

The picture is an alarm clock: a round white face in a blue case, two bells,
a dark hour hand at 3 and minute hand at 12, and a red second hand with a red
centre cap (the accent of a shutdown timer).  The 32 and 48 px pictures add
feet and hour marks, the 48 px one also a knob and minute dots; at 16 px the
hands are one pixel wide and the cap is the red pixel where they meet.  Every size is drawn from its own hand-placed geometry
so that straight edges fall on pixel borders, and every pixel is the average
of SUPERSAMPLE x SUPERSAMPLE samples (anti-aliasing by supersampling).

The .ico holds nine pictures: 48, 32 and 16 pixels, each at
  32 bits per pixel: BGRA with alpha;
   8 bits per pixel: a palette of the picture's own colours (median cut
                     should there be more than 256), nearest colour;
   4 bits per pixel: the standard Windows 16-colour palette, drawn without
                     in-between shades, each pixel taking the colour of the
                     part covering most of it, matched in CIE L*a*b*.
Every picture carries its 1-bit AND mask.

Python 3 standard library only.  Usage: make_icon.py OUTPUT.ico
"""

import argparse
import functools
import math
import struct
import sys

SIZES = (48, 32, 16)
DEPTHS = (32, 8, 4)
SUPERSAMPLE = 8

# The standard Windows 16-colour palette, in the order Windows uses for
# 4-bit icons and bitmaps.
WINDOWS_16_COLOURS = (
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
)

# A pixel whose coverage is below this alpha is transparent in the AND mask.
MASK_ALPHA_THRESHOLD = 128

# Colours of the design (RGB).
CASE = (40, 86, 180)          # case, bells and feet: blue
CASE_LIGHT = (120, 160, 230)  # highlight on the bells
FACE_TOP = (255, 255, 255)    # face: white at the top ...
FACE_BOTTOM = (226, 232, 242)  # ... to a cool light grey at the bottom
INK = (36, 38, 46)            # hour and minute hands, hour marks
ACCENT = (222, 32, 36)        # second hand and centre cap: red
TICK_MINOR = (150, 160, 178)  # the small marks between the hours (48 px)


# ---------------------------------------------------------------- shapes --
# A shape answers "is the point (x, y) inside?" for a sample point in pixel
# units (x to the right, y downwards, (0, 0) the top-left corner of the
# picture) and has a bounding box for a quick reject.

class Disc:
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r2 = cx, cy, r * r
        self.box = (cx - r, cy - r, cx + r, cy + r)

    def inside(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        return dx * dx + dy * dy <= self.r2


class Capsule:
    """A line segment with round ends, `width` wide."""

    def __init__(self, x0, y0, x1, y1, width):
        self.x0, self.y0 = x0, y0
        self.dx, self.dy = x1 - x0, y1 - y0
        self.len2 = self.dx * self.dx + self.dy * self.dy
        self.h2 = (width / 2.0) ** 2
        h = width / 2.0
        self.box = (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h)

    def inside(self, x, y):
        px, py = x - self.x0, y - self.y0
        t = 0.0 if self.len2 == 0 else max(0.0, min(1.0, (px * self.dx + py * self.dy) / self.len2))
        ex, ey = px - t * self.dx, py - t * self.dy
        return ex * ex + ey * ey <= self.h2


class Rect:
    def __init__(self, x0, y0, x1, y1):
        self.box = (x0, y0, x1, y1)

    def inside(self, x, y):
        x0, y0, x1, y1 = self.box
        return x0 <= x <= x1 and y0 <= y <= y1


class Dome:
    """A disc cut by a straight line: the part of the disc on the far side of
    the line through (cx, cy) + cut * (ux, uy), perpendicular to (ux, uy)."""

    def __init__(self, cx, cy, r, ux, uy, cut):
        self.disc = Disc(cx, cy, r)
        self.cx, self.cy, self.ux, self.uy, self.cut = cx, cy, ux, uy, cut
        self.box = self.disc.box

    def inside(self, x, y):
        return self.disc.inside(x, y) and (x - self.cx) * self.ux + (y - self.cy) * self.uy >= self.cut


class Layer:
    """A shape filled with a colour; `colour` is an (r, g, b) tuple, None for
    a hole (transparent), or a function of (x, y) for a gradient.  A layer
    with low_colour False (a highlight) is left out of the flat picture."""

    def __init__(self, shape, colour, low_colour=True):
        self.shape, self.colour, self.low_colour = shape, colour, low_colour


def polar(cx, cy, radius, clock_hours):
    """The point at `radius` from the centre in the direction of the given
    hour on a clock face (0 = 12 o'clock, 3 = 3 o'clock, ...)."""
    a = clock_hours / 12.0 * 2.0 * math.pi
    return cx + radius * math.sin(a), cy - radius * math.cos(a)


# ---------------------------------------------------------------- design --
# Per-size geometry, in pixels, placed by hand so that straight edges fall on
# pixel borders.  cx, cy: centre of the face; r_case: outer radius of the
# case; r_face: radius of the white face; bell: (distance of the bell centre
# from the face centre, bell radius, hour direction, width of the transparent
# gap around the case); foot: (inner and outer radius, hour direction,
# width) or None; minute, hour: the hands as rectangles (left, top, right,
# bottom) relative to the centre; second: (length, width, hour direction,
# tail) or None; cap: radius of the red centre cap (a square of side 2 * cap
# at the corner where the hands meet when cap_square); hour_marks: (length, width) or None; minor_marks: radius
# of the dots at the other hours, 0 for none.
GEOMETRY = {
    48: dict(cx=24.0, cy=26.0, r_case=19.0, r_face=15.0,
             bell=(17.5, 8.0, 1.55, 1.6), bell_highlight=True,
             foot=(15.0, 22.0, 4.7, 3.5),
             minute=(-1.0, -12.0, 1.0, 0.0), hour=(0.0, -1.0, 8.0, 2.0),
             second=(13.0, 1.2, 7.6, 5.5),
             cap=2.5, cap_square=False,
             hour_marks=(3.0, 2.0), minor_marks=0.8, knob=True),
    32: dict(cx=16.0, cy=17.0, r_case=13.0, r_face=10.0,
             bell=(11.8, 5.5, 1.55, 1.2), bell_highlight=True,
             foot=(10.0, 14.6, 4.7, 2.6),
             minute=(-1.0, -8.0, 1.0, 0.0), hour=(0.0, -1.0, 5.0, 1.0),
             second=(8.6, 1.0, 7.6, 0.0),
             cap=1.7, cap_square=False,
             hour_marks=(2.0, 2.0), minor_marks=0.0, knob=False),
    16: dict(cx=8.0, cy=9.0, r_case=7.0, r_face=5.0,
             bell=(7.6, 3.0, 1.5, 1.0), bell_highlight=False,
             foot=None,
             minute=(-1.0, -4.0, 0.0, 0.0), hour=(-1.0, -1.0, 3.0, 0.0),
             second=None,
             cap=0.5, cap_square=True,
             hour_marks=None, minor_marks=0.0, knob=False),
}


def scene(size):
    """The layers of the picture of the given size, top-most first."""
    g = GEOMETRY[size]
    cx, cy = g["cx"], g["cy"]
    top, bottom = cy - g["r_face"], cy + g["r_face"]

    def face_colour(x, y):
        t = max(0.0, min(1.0, (y - top) / (bottom - top)))
        return tuple(a + (b - a) * t for a, b in zip(FACE_TOP, FACE_BOTTOM))

    layers = []

    # Centre cap, above the hands.
    if g["cap_square"]:
        # Over the pixel where the two hands meet.
        x0, y0 = cx + g["minute"][0], cy + g["hour"][1]
        layers.append(Layer(Rect(x0, y0, x0 + 2 * g["cap"], y0 + 2 * g["cap"]), ACCENT))
    else:
        layers.append(Layer(Disc(cx, cy, g["cap"]), ACCENT))

    # Second hand (red, thin, with a short tail).
    if g["second"]:
        length, width, hour, tail = g["second"]
        x1, y1 = polar(cx, cy, length, hour)
        x0, y0 = polar(cx, cy, tail, hour + 6)
        layers.append(Layer(Capsule(x0, y0, x1, y1, width), ACCENT))

    # Minute hand up to 12, hour hand to 3: both along the pixel grid, so
    # that they stay sharp.
    for name in ("minute", "hour"):
        x0, y0, x1, y1 = g[name]
        layers.append(Layer(Rect(cx + x0, cy + y0, cx + x1, cy + y1), INK))

    # Hour marks at 12, 3, 6 and 9; small dots at the other hours.
    if g["hour_marks"]:
        mark_len, mark_w = g["hour_marks"]
        r_out = g["r_face"] - 1.0
        r_in = r_out - mark_len
        h = mark_w / 2.0
        layers += [Layer(Rect(cx - h, cy - r_out, cx + h, cy - r_in), INK),
                   Layer(Rect(cx - h, cy + r_in, cx + h, cy + r_out), INK),
                   Layer(Rect(cx - r_out, cy - h, cx - r_in, cy + h), INK),
                   Layer(Rect(cx + r_in, cy - h, cx + r_out, cy + h), INK)]
    if g["minor_marks"]:
        for hour in range(12):
            if hour % 3:
                x, y = polar(cx, cy, g["r_face"] - 2.2, hour)
                layers.append(Layer(Disc(x, y, g["minor_marks"]), TICK_MINOR))

    # Face, then the case around it.
    layers.append(Layer(Disc(cx, cy, g["r_face"]), face_colour))
    layers.append(Layer(Disc(cx, cy, g["r_case"]), CASE))

    # A transparent gap separates the case from the bells and the feet.
    dist, bell_r, bell_hour, gap = g["bell"]
    layers.append(Layer(Disc(cx, cy, g["r_case"] + gap), None))

    # Feet: short round-ended bars towards about 4:40 and 7:20.
    if g["foot"]:
        f_in, f_out, f_hour, f_w = g["foot"]
        for hour in (f_hour, 12 - f_hour):
            x0, y0 = polar(cx, cy, f_in, hour)
            x1, y1 = polar(cx, cy, f_out, hour)
            layers.append(Layer(Capsule(x0, y0, x1, y1, f_w), CASE))

    # Bells: domes leaning out towards about 1:30 and 10:30, with a light
    # highlight on the larger sizes (left out of the 16-colour pictures).
    for hour in (bell_hour, 12 - bell_hour):
        bx, by = polar(cx, cy, dist, hour)
        ux, uy = (bx - cx) / dist, (by - cy) / dist
        if g["bell_highlight"]:
            hx, hy = polar(bx, by, bell_r * 0.45, hour - 0.9)
            layers.append(Layer(Disc(hx, hy, bell_r * 0.22), CASE_LIGHT, low_colour=False))
        layers.append(Layer(Dome(bx, by, bell_r, ux, uy, -bell_r * 0.25), CASE))

    # The knob on top that stops the alarm (largest size only).
    if g["knob"]:
        kx, ky = polar(cx, cy, g["r_case"] + gap + 1.5, 0)
        layers.append(Layer(Capsule(kx - 2.5, ky, kx + 2.5, ky, 3.0), CASE))
    return layers


def render(size, supersample=SUPERSAMPLE):
    """Renders the picture twice: smooth (every pixel the average of its
    samples) and flat (every pixel the colour of the layer that covers most
    of its samples, fully opaque or fully transparent, for the 16-colour
    pictures, where in-between shades have no good palette colour).  Returns
    (smooth, flat): lists of rows of (r, g, b, a) tuples, 0..255, colour not
    premultiplied."""
    layers = scene(size)
    n = supersample
    offsets = [(i + 0.5) / n for i in range(n)]
    smooth, flat = [], []
    for py in range(size):
        smooth_row, flat_row = [], []
        for px in range(size):
            candidates = [layer for layer in layers
                          if layer.shape.box[0] <= px + 1 and layer.shape.box[2] >= px
                          and layer.shape.box[1] <= py + 1 and layer.shape.box[3] >= py]
            sr = sg = sb = 0.0
            hits = 0
            votes = {}
            for oy in offsets:
                y = py + oy
                for ox in offsets:
                    x = px + ox
                    hit = None
                    for layer in candidates:
                        if layer.shape.inside(x, y):
                            hit = layer
                            break
                    if hit is not None and hit.colour is not None:
                        colour = hit.colour(x, y) if callable(hit.colour) else hit.colour
                        sr += colour[0]
                        sg += colour[1]
                        sb += colour[2]
                        hits += 1
                    else:
                        hit = None
                    if hit is not None and not hit.low_colour:
                        # Seen as the layer below it in the flat picture.
                        below = layers.index(hit) + 1
                        hit = next((l for l in layers[below:] if l.shape.inside(x, y)), None)
                        if hit is not None and hit.colour is None:
                            hit = None
                    votes[hit] = votes.get(hit, 0) + 1
            if hits:
                smooth_row.append((round(sr / hits), round(sg / hits), round(sb / hits),
                                   round(255 * hits / (n * n))))
            else:
                smooth_row.append((0, 0, 0, 0))
            winner = max(votes, key=lambda l: (votes[l], l is not None))
            if winner is None:
                flat_row.append((0, 0, 0, 0))
            else:
                cxp, cyp = px + 0.5, py + 0.5
                colour = winner.colour(cxp, cyp) if callable(winner.colour) else winner.colour
                flat_row.append(tuple(round(c) for c in colour) + (255,))
        smooth.append(smooth_row)
        flat.append(flat_row)
    return smooth, flat


# ------------------------------------------------------------ colour fit --

def _linear(c):
    c /= 255.0
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def _lab_f(t):
    return t ** (1.0 / 3.0) if t > 216.0 / 24389.0 else (24389.0 / 27.0 * t + 16.0) / 116.0


@functools.lru_cache(maxsize=None)
def to_lab(rgb):
    """CIE L*a*b* (D65) of an sRGB colour."""
    r, g, b = (_linear(float(c)) for c in rgb)
    x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047
    y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b
    z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883
    fx, fy, fz = _lab_f(x), _lab_f(y), _lab_f(z)
    return 116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)


def colour_distance(a, b):
    """Squared CIE76 colour difference of two sRGB colours: the distance in
    L*a*b*, where equal steps look about equally different.  (A weighted RGB
    distance sends dark and mid blues to dark cyan in the 16-colour palette;
    in L*a*b* they stay blue.)"""
    la, lb = to_lab(a), to_lab(b)
    return sum((p - q) ** 2 for p, q in zip(la, lb))


def nearest_index(colour, palette):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        d = colour_distance(colour, p)
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def opaque(pixel):
    return pixel[3] >= MASK_ALPHA_THRESHOLD


def median_cut(colours, count):
    """Up to `count` representative colours of a list of RGB colours.  The
    distinct colours are put in boxes; the box with the widest range in one
    channel is split at the median of its distinct colours, until there are
    enough boxes; each box gives the average of its pixels.  (Splitting at
    the median of the pixels instead would let a large area of one colour
    swallow a small accent of another.)"""
    weight = {}
    for c in colours:
        weight[c] = weight.get(c, 0) + 1
    boxes = [sorted(weight)]
    while len(boxes) < count:
        best, best_range, best_channel = None, 0, 0
        for i, box in enumerate(boxes):
            for ch in range(3):
                spread = max(c[ch] for c in box) - min(c[ch] for c in box)
                if spread > best_range:
                    best, best_range, best_channel = i, spread, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: c[best_channel])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    out = []
    for box in boxes:
        total = sum(weight[c] for c in box)
        out.append(tuple(round(sum(c[ch] * weight[c] for c in box) / total) for ch in range(3)))
    return out


def palette_256(pixels):
    """The palette of an 8-bit picture: its exact colours when there are at
    most 256 of them, else 256 colours found by median cut."""
    colours = [p[:3] for p in pixels if opaque(p)]
    unique = sorted(set(colours))
    if len(unique) <= 256:
        return unique or [(0, 0, 0)]
    return median_cut(colours, 256)


def quantise(rows, palette):
    """Palette indices of a picture: every opaque pixel takes the nearest
    palette colour (no dithering: at 16 to 48 pixels, the noise of error
    diffusion costs more legibility than the few in-between shades it
    gains).  Transparent pixels take index 0, which must be black."""
    cache = {}
    out = []
    for row in rows:
        line = []
        for p in row:
            if not opaque(p):
                line.append(0)
                continue
            key = p[:3]
            if key not in cache:
                cache[key] = nearest_index(key, palette)
            line.append(cache[key])
        out.append(line)
    return out


# ------------------------------------------------------------ ICO writer --

def _row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def and_mask(rows, threshold=MASK_ALPHA_THRESHOLD):
    """The 1-bit AND mask, bottom row first, each row padded to 4 bytes:
    1 = transparent (the screen shows through), 0 = the picture's pixel.
    A pixel is transparent when its alpha is below `threshold`."""
    size = len(rows)
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(_row_bytes(size))
        for x, p in enumerate(row):
            if p[3] < threshold:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def encode_image(rows, depth):
    """BITMAPINFOHEADER, palette, XOR bitmap and AND mask of one picture."""
    size = len(rows)
    if depth == 32:
        palette = []
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                # Fully transparent pixels carry black, so the picture draws
                # right also where only the mask is honoured.
                xor += bytes((b, g, r, a)) if a else b"\0\0\0\0"
    else:
        if depth == 8:
            palette = palette_256([p for row in rows for p in row])
            # Index 0 is black: transparent pixels use it (XOR with black
            # keeps the screen pixel the mask left in place).
            if (0, 0, 0) in palette:
                palette.remove((0, 0, 0))
            palette = [(0, 0, 0)] + palette
            palette = palette[:256]
            palette += [(0, 0, 0)] * (256 - len(palette))
        else:
            palette = list(WINDOWS_16_COLOURS)
        indices = quantise(rows, palette)
        xor = bytearray()
        stride = _row_bytes(size * depth)
        for line in reversed(indices):
            packed = bytearray(stride)
            for x, idx in enumerate(line):
                if depth == 8:
                    packed[x] = idx
                else:
                    packed[x // 2] |= idx << (4 if x % 2 == 0 else 0)
            xor += packed
    # A 32-bit picture is drawn with its alpha; its mask only matters where
    # the alpha is ignored, and there a masked pixel's colour is XORed onto
    # the screen.  So only fully transparent pixels (all zero) are masked: a
    # half-covered edge pixel then shows as solid colour, never as a smear.
    mask = and_mask(rows, 1 if depth == 32 else MASK_ALPHA_THRESHOLD)
    header = struct.pack("<IiiHHIIiiII",
                         40,            # biSize
                         size,          # biWidth
                         size * 2,      # biHeight: XOR bitmap and AND mask
                         1,             # biPlanes
                         depth,         # biBitCount
                         0,             # biCompression: BI_RGB
                         len(xor) + len(mask),  # biSizeImage
                         0, 0,          # biXPelsPerMeter, biYPelsPerMeter
                         0,             # biClrUsed: 0 = 2^depth entries
                         0)             # biClrImportant
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + bytes(xor) + mask


def build_ico(pictures):
    """pictures: a list of (rows, depth).  Returns the .ico file's bytes."""
    count = len(pictures)
    blobs = [encode_image(rows, depth) for rows, depth in pictures]
    out = bytearray(struct.pack("<HHH", 0, 1, count))   # ICONDIR: type 1 = icon
    offset = 6 + 16 * count
    for (rows, depth), blob in zip(pictures, blobs):
        size = len(rows)
        out += struct.pack("<BBBBHHII",
                           size % 256,                 # bWidth (0 means 256)
                           size % 256,                 # bHeight
                           16 if depth == 4 else 0,    # bColorCount
                           0,                          # bReserved
                           1,                          # wPlanes
                           depth,                      # wBitCount
                           len(blob),                  # dwBytesInRes
                           offset)                     # dwImageOffset
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def make_icon():
    """The bytes of vaelto.ico: every size at every depth, largest first."""
    pictures = []
    for size in SIZES:
        smooth, flat = render(size)
        for depth in DEPTHS:
            pictures.append((flat if depth == 4 else smooth, depth))
    return build_ico(pictures)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output", help="the .ico file to write")
    args = parser.parse_args(argv)
    data = make_icon()
    with open(args.output, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
