#!/usr/bin/env python3
"""Reads the program icon back and checks it, picture by picture.

The reader here is written from the file format alone (ICONDIR,
ICONDIRENTRY, BITMAPINFOHEADER, palette, XOR bitmap bottom row first, AND
mask) and shares no code with make_icon.py, so a fault in the writer shows up
as a disagreement.  ImageMagick, when installed, reads the same file as a
second, independent reader.

usage: test_icon.py [--ico FILE] [unittest options]
  Without --ico the icon is drawn afresh into a temporary folder.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ICO_PATH = None

# Written out again here (not imported) so that a wrong table in the writer
# is caught: the standard Windows 16-colour palette, in its usual order.
STANDARD_16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def stride(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


class Picture:
    """One decoded picture: directory entry fields, header fields, palette
    (list of (r, g, b, reserved)) and pixels top row first as (r, g, b, a)
    with a = 0 where the AND mask is set (and, for 32 bpp, the stored alpha
    elsewhere)."""


def read_ico(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    pictures = []
    for i in range(count):
        p = Picture()
        (p.width, p.height, p.colour_count, p.entry_reserved, p.entry_planes,
         p.entry_bits, p.bytes_in_res, p.offset) = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        (p.bi_size, p.bi_width, p.bi_height, p.bi_planes, p.bi_bits, p.bi_compression,
         p.bi_size_image, p.bi_xppm, p.bi_yppm, p.bi_clr_used,
         p.bi_clr_important) = struct.unpack_from("<IiiHHIIiiII", data, p.offset)
        size, bits = p.bi_width, p.bi_bits
        pos = p.offset + p.bi_size
        p.palette = []
        if bits <= 8:
            for k in range(p.bi_clr_used or (1 << bits)):
                b, g, r, x = data[pos + 4 * k: pos + 4 * k + 4]
                p.palette.append((r, g, b, x))
            pos += 4 * len(p.palette)
        xor_stride, and_stride = stride(size * bits), stride(size)
        xor = data[pos: pos + xor_stride * size]
        pos += len(xor)
        mask = data[pos: pos + and_stride * size]
        pos += len(mask)
        p.end = pos
        p.xor_bytes, p.and_bytes = len(xor), len(mask)
        p.mask = []      # top row first, True = transparent
        p.indices = []   # top row first, palette indices (<= 8 bpp)
        p.pixels = []
        for y in range(size):
            src = size - 1 - y   # rows are stored bottom row first
            mrow = mask[src * and_stride: (src + 1) * and_stride]
            xrow = xor[src * xor_stride: (src + 1) * xor_stride]
            mask_row = [bool(mrow[x // 8] & (0x80 >> (x % 8))) for x in range(size)]
            row, idx_row = [], []
            for x in range(size):
                if bits == 32:
                    b, g, r, a = xrow[4 * x: 4 * x + 4]
                else:
                    if bits == 8:
                        idx = xrow[x]
                    else:
                        byte = xrow[x // 2]
                        idx = byte >> 4 if x % 2 == 0 else byte & 0x0F
                    idx_row.append(idx)
                    r, g, b, _ = p.palette[idx]
                    a = 255
                if mask_row[x] and bits != 32:
                    a = 0
                row.append((r, g, b, a))
            p.mask.append(mask_row)
            p.indices.append(idx_row)
            p.pixels.append(row)
        pictures.append(p)
    return (reserved, kind, count), pictures


def load():
    with open(ICO_PATH, "rb") as f:
        return f.read()


class IconFileTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data = load()
        cls.header, cls.pictures = read_ico(cls.data)

    def by_size(self, size, bits):
        return next(p for p in self.pictures if p.bi_width == size and p.bi_bits == bits)

    def test_directory(self):
        reserved, kind, count = self.header
        self.assertEqual((reserved, kind), (0, 1), "ICONDIR: reserved 0, type 1 (icon)")
        self.assertEqual(count, 9)
        self.assertEqual(sorted((p.bi_width, p.bi_bits) for p in self.pictures),
                         sorted((s, b) for s in (16, 32, 48) for b in (4, 8, 32)))

    def test_entries_match_their_pictures(self):
        for p in self.pictures:
            with self.subTest(size=p.bi_width, bits=p.bi_bits):
                self.assertEqual((p.width, p.height), (p.bi_width, p.bi_width))
                self.assertEqual(p.colour_count, 16 if p.bi_bits == 4 else 0)
                self.assertEqual(p.entry_reserved, 0)
                self.assertEqual(p.entry_planes, 1)
                self.assertEqual(p.entry_bits, p.bi_bits)
                self.assertEqual(p.bytes_in_res, p.end - p.offset)

    def test_pictures_fill_the_file_without_overlap(self):
        spans = sorted((p.offset, p.offset + p.bytes_in_res) for p in self.pictures)
        self.assertEqual(spans[0][0], 6 + 16 * len(self.pictures))
        for (_, end), (start, _) in zip(spans, spans[1:]):
            self.assertEqual(end, start)
        self.assertEqual(spans[-1][1], len(self.data))

    def test_bitmap_headers(self):
        for p in self.pictures:
            with self.subTest(size=p.bi_width, bits=p.bi_bits):
                self.assertEqual(p.bi_size, 40)
                self.assertEqual(p.bi_height, 2 * p.bi_width, "height counts XOR and AND bitmaps")
                self.assertEqual(p.bi_planes, 1)
                self.assertEqual(p.bi_compression, 0)
                self.assertIn(p.bi_size_image, (0, p.xor_bytes + p.and_bytes))
                self.assertEqual(p.xor_bytes, stride(p.bi_width * p.bi_bits) * p.bi_width)
                self.assertEqual(p.and_bytes, stride(p.bi_width) * p.bi_width)
                self.assertEqual(p.bi_clr_important, 0)

    def test_palettes(self):
        for p in self.pictures:
            with self.subTest(size=p.bi_width, bits=p.bi_bits):
                if p.bi_bits == 32:
                    self.assertEqual(p.palette, [])
                    self.assertEqual(p.bi_clr_used, 0)
                elif p.bi_bits == 8:
                    self.assertEqual(len(p.palette), 256)
                else:
                    self.assertEqual([c[:3] for c in p.palette], STANDARD_16)
                self.assertTrue(all(c[3] == 0 for c in p.palette), "RGBQUAD reserved byte is 0")

    def test_masked_pixels_draw_nothing(self):
        # Where the AND mask keeps the screen, the XOR bitmap must be black,
        # else the screen pixel is inverted instead of left alone.
        for p in self.pictures:
            with self.subTest(size=p.bi_width, bits=p.bi_bits):
                for y in range(p.bi_width):
                    for x in range(p.bi_width):
                        if p.mask[y][x]:
                            if p.bi_bits == 32:
                                self.assertEqual(p.pixels[y][x], (0, 0, 0, 0), (x, y))
                            else:
                                self.assertEqual(p.palette[p.indices[y][x]][:3], (0, 0, 0), (x, y))

    def test_mask_agrees_with_alpha(self):
        # 32 bpp: exactly the fully transparent pixels are masked.
        for size in (16, 32, 48):
            p = self.by_size(size, 32)
            for y in range(size):
                for x in range(size):
                    self.assertEqual(p.mask[y][x], p.pixels[y][x][3] == 0, (size, x, y))
            self.assertTrue(any(0 < px[3] < 255 for row in p.pixels for px in row),
                            "the edge is anti-aliased")

    def test_outline_is_a_clock_not_a_square(self):
        for p in self.pictures:
            with self.subTest(size=p.bi_width, bits=p.bi_bits):
                n = p.bi_width
                # Corners show the desktop; the face in the middle is opaque.
                for x, y in ((0, n - 1), (n - 1, n - 1)):
                    self.assertTrue(p.mask[y][x], (x, y))
                self.assertFalse(p.mask[n // 2][n // 2])
                covered = sum(not m for row in p.mask for m in row) / (n * n)
                self.assertTrue(0.45 < covered < 0.9, covered)

    def test_same_outline_at_every_depth(self):
        for size in (16, 32, 48):
            reference = [[px[3] < 128 for px in row] for row in self.by_size(size, 32).pixels]
            for bits in (8, 4):
                with self.subTest(size=size, bits=bits):
                    mask = self.by_size(size, bits).mask
                    differ = sum(a != b for ra, rb in zip(reference, mask) for a, b in zip(ra, rb))
                    self.assertLessEqual(differ, size // 4, "outline of %d bpp strays from 32 bpp" % bits)

    def test_same_picture_at_every_depth(self):
        # The low-colour pictures must show the same thing in the same
        # place: this fails on a flipped row order, a swapped nibble or a
        # red/blue swap in one of them.
        for size in (16, 32, 48):
            full = self.by_size(size, 32)
            for bits, limit in ((8, 6.0), (4, 40.0)):
                with self.subTest(size=size, bits=bits):
                    low = self.by_size(size, bits)
                    errors = []
                    for y in range(size):
                        for x in range(size):
                            a, b = full.pixels[y][x], low.pixels[y][x]
                            if a[3] == 255 and b[3] == 255:
                                errors.append(sum(abs(a[c] - b[c]) for c in range(3)) / 3)
                    self.assertGreater(len(errors), size * size // 3)
                    self.assertLess(sum(errors) / len(errors), limit)

    def test_red_accent_survives_at_every_depth(self):
        for p in self.pictures:
            with self.subTest(size=p.bi_width, bits=p.bi_bits):
                reds = [px for row in p.pixels for px in row
                        if px[3] == 255 and px[0] > 180 and px[1] < 90 and px[2] < 90]
                self.assertTrue(reds)

    def test_16_colour_pictures_use_only_design_colours(self):
        # Blue case, white face, black hands, red accent, grey marks: a
        # teal, green, yellow or purple pixel means a bad colour match.
        allowed = {(0, 0, 0), (0, 0, 128), (128, 128, 128), (192, 192, 192),
                   (255, 0, 0), (255, 255, 255), (0, 0, 255)}
        for size in (16, 32, 48):
            p = self.by_size(size, 4)
            used = {px[:3] for row in p.pixels for px in row if px[3]}
            self.assertLessEqual(used, allowed, size)

    def test_imagemagick_reads_the_same_pixels(self):
        convert = shutil.which("convert")
        if not convert:
            self.skipTest("ImageMagick is not installed")
        for i, p in enumerate(self.pictures):
            with self.subTest(size=p.bi_width, bits=p.bi_bits):
                raw = subprocess.run([convert, "%s[%d]" % (ICO_PATH, i), "-depth", "8", "rgba:-"],
                                     check=True, capture_output=True).stdout
                n = p.bi_width
                self.assertEqual(len(raw), n * n * 4)
                for y in range(n):
                    for x in range(n):
                        r, g, b, a = raw[4 * (y * n + x): 4 * (y * n + x) + 4]
                        mine = p.pixels[y][x]
                        if p.bi_bits == 32:
                            self.assertEqual(a, mine[3], (x, y))
                            if a:
                                self.assertEqual((r, g, b), mine[:3], (x, y))
                        else:
                            self.assertEqual(a == 0, mine[3] == 0, (x, y))
                            if a:
                                self.assertEqual((r, g, b), mine[:3], (x, y))


class ColourChoiceTest(unittest.TestCase):
    """The writer's colour matching, on cases with a known right answer."""

    @classmethod
    def setUpClass(cls):
        sys.path.insert(0, HERE)
        import make_icon
        cls.m = make_icon

    def test_palette_colours_map_to_themselves(self):
        for i, c in enumerate(STANDARD_16):
            self.assertEqual(self.m.nearest_index(c, STANDARD_16), i)

    def test_blues_stay_blue_in_16_colours(self):
        for blue in ((40, 86, 180), (27, 54, 128), (60, 100, 190)):
            self.assertEqual(STANDARD_16[self.m.nearest_index(blue, STANDARD_16)], (0, 0, 128), blue)

    def test_light_greys_go_white_not_grey(self):
        self.assertEqual(STANDARD_16[self.m.nearest_index((226, 232, 242), STANDARD_16)], (255, 255, 255))

    def test_median_cut_keeps_distinct_colours_apart(self):
        colours = [(255, 0, 0)] * 50 + [(0, 0, 255)] * 50 + [(0, 200, 0)] * 3
        self.assertEqual(sorted(self.m.median_cut(colours, 3)), [(0, 0, 255), (0, 200, 0), (255, 0, 0)])


def main():
    global ICO_PATH
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--ico")
    args, rest = parser.parse_known_args()
    tmp = None
    if args.ico:
        ICO_PATH = os.path.abspath(args.ico)
    else:
        tmp = tempfile.mkdtemp()
        ICO_PATH = os.path.join(tmp, "vaelto.ico")
        subprocess.run([sys.executable, os.path.join(HERE, "make_icon.py"), ICO_PATH], check=True)
    try:
        unittest.main(argv=[sys.argv[0]] + rest)
    finally:
        if tmp:
            shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    main()
