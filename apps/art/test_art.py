"""Reads the written files back as Windows would and checks their layout and pictures.

    python3 apps/art/test_art.py
"""

import struct
import sys
import unittest

sys.dont_write_bytecode = True

from formats import VGA_PALETTE  # noqa: E402
from make_art import ROOT, draw, resources  # noqa: E402

ICONS_16_COLOURS = ["mouse", "arrow_up", "arrow_down", "arrow_left", "arrow_right", "monitor"]


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def parse_ico(data):
    """[(width, height, bits, xor_rows, and_rows, palette)], rows top row first."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind) == (0, 1), "not an icon directory"
    images = []
    for n in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        w, h = w or 256, h or 256
        header = struct.unpack_from("<IiiHHIIiiII", data, offset)
        bi_size, bi_width, bi_height, bi_planes, bi_bits, compression, image_size = header[:7]
        assert (bi_size, bi_width, bi_height, bi_planes, bi_bits, compression) == (40, w, 2 * h, 1, bits, 0)
        assert planes == 1 and colours == (16 if bits == 4 else 0)
        palette_size = 4 * 16 if bits == 4 else 0
        xor_size, and_size = row_stride(w, bits) * h, row_stride(w, 1) * h
        assert image_size == xor_size + and_size
        assert size == 40 + palette_size + xor_size + and_size and offset + size <= len(data)
        palette = [tuple(data[offset + 40 + 4 * i + k] for k in (2, 1, 0)) for i in range(palette_size // 4)]
        xor_start = offset + 40 + palette_size
        and_start = xor_start + xor_size
        xor_rows = [data[xor_start + row_stride(w, bits) * r:][:row_stride(w, bits)] for r in range(h)][::-1]
        and_stride = row_stride(w, 1)
        and_rows = [[bool(data[and_start + and_stride * r + x // 8] & (0x80 >> x % 8)) for x in range(w)]
                    for r in range(h)][::-1]
        images.append((w, h, bits, xor_rows, and_rows, palette))
    return images


class WrittenFiles(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.files = resources(*draw())

    def read(self, name):
        return (ROOT / "apps/resources" / name).read_bytes()

    def test_committed_files_match_the_generator(self):
        for relative, data in self.files.items():
            with self.subTest(relative):
                self.assertEqual((ROOT / relative).read_bytes(), data, "run apps/art/make_art.py")

    def test_16_colour_icons(self):
        for name in ICONS_16_COLOURS:
            with self.subTest(name):
                images = parse_ico(self.read(name + ".ico"))
                self.assertEqual([(w, h, bits) for w, h, bits, *_ in images], [(32, 32, 4), (16, 16, 4)])
                for w, h, _, xor_rows, and_rows, palette in images:
                    self.assertEqual(palette, VGA_PALETTE)
                    pixels = [[(row[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(w)]
                              for row in xor_rows]
                    # Transparent pixels must be black, or XOR drawing would tint the task bar.
                    self.assertTrue(all(p == 0 for prow, mrow in zip(pixels, and_rows)
                                        for p, masked in zip(prow, mrow) if masked))
                    coverage = sum(not m for row in and_rows for m in row) / (w * h)
                    self.assertTrue(0.25 < coverage < 0.9, f"{w}x{h} covers {coverage:.0%}")
                    self.assertTrue(and_rows[0][0] or and_rows[0][w - 1], "a corner should be transparent")

    def test_arrows_point_their_way(self):
        # Widths of the opaque rows (or columns) from the side the arrow points to.
        for name, axis, tip_at_start in [("arrow_up", "y", True), ("arrow_down", "y", False),
                                         ("arrow_left", "x", True), ("arrow_right", "x", False)]:
            for w, h, _, _, and_rows, _ in parse_ico(self.read(name + ".ico")):
                with self.subTest(name, size=w):
                    opaque = [[not m for m in row] for row in and_rows]
                    lines = opaque if axis == "y" else [list(col) for col in zip(*opaque)]
                    widths = [sum(line) for line in lines if any(line)]
                    if not tip_at_start:
                        widths.reverse()
                    tip, tail, widest = widths[0], widths[-1], max(widths)
                    self.assertLess(tip, tail)
                    self.assertGreaterEqual(widest, 2 * tail, "a bold head on a narrower shaft")
                    self.assertLess(widths.index(widest), len(widths) / 2, "the head is at the tip end")

    def test_bullet(self):
        (w, h, bits, xor_rows, and_rows, _), = parse_ico(self.read("bullet.ico"))
        self.assertEqual((w, h, bits), (14, 14, 32))
        pixels = [[tuple(row[4 * x:4 * x + 4]) for x in range(w)] for row in xor_rows]  # B, G, R, A
        for y in range(h):
            for x in range(w):
                b, g, r, a = pixels[y][x]
                self.assertEqual(and_rows[y][x], a == 0, (x, y))
                if a == 0:
                    self.assertEqual((b, g, r), (0, 0, 0))
        for x, y in [(0, 0), (13, 0), (0, 13), (13, 13)]:
            self.assertEqual(pixels[y][x][3], 0, "corners are transparent")
        b, g, r, a = pixels[7][7]
        self.assertEqual(a, 255)
        self.assertGreater(b, max(r, g), "the ball is blue")
        brightness = lambda p: sum(p[:3])
        self.assertGreater(brightness(pixels[4][4]), brightness(pixels[10][10]), "lit from the top left")

    def test_texture(self):
        data = self.read("texture.bmp")
        magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
        header = struct.unpack_from("<IiiHHII", data, 14)
        bi_size, width, height, planes, bits, compression, image_size = header
        self.assertEqual((magic, file_size, offset), (b"BM", len(data), 54))
        self.assertEqual((bi_size, width, height, planes, bits, compression), (40, 150, 150, 1, 24, 0))
        self.assertEqual(image_size, row_stride(150, 24) * 150)
        stride = row_stride(150, 24)
        pixels = [data[offset + stride * r + 3 * x:][:3] for r in range(150) for x in range(150)]
        mean = [sum(p[c] for p in pixels) / len(pixels) for c in range(3)]  # B, G, R
        self.assertTrue(55 < mean[0] < 75 and mean[1] < 10 and mean[2] < 10, mean)
        self.assertGreater(sum(1 for p in pixels if min(p) > 120), 0, "a few light dots")
        self.assertLess(sum(1 for p in pixels if min(p) > 120) / len(pixels), 0.01, "but only a few")


if __name__ == "__main__":
    unittest.main()
