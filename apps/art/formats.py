"""Byte writers for the picture files: ICO (4 and 32 bits per pixel), 24-bit BMP, PNG.

Images are lists of rows, top row first:
- indexed: each pixel a palette index 0..15, or None for transparent;
- RGBA: each pixel (r, g, b, a), a = 0 transparent .. 255 opaque;
- RGB: each pixel (r, g, b).
Every writer stores rows bottom-up with each row padded to 4 bytes, as DIBs are.
"""

import struct
import zlib

# The standard Windows 16-colour (VGA) palette, in index order.
VGA_PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

BITMAPINFOHEADER_SIZE = 40
BITMAPFILEHEADER_SIZE = 14


def _padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def _info_header(width, dib_height, bit_count, image_size, pixels_per_metre=0):
    return struct.pack(
        "<IiiHHIIiiII",
        BITMAPINFOHEADER_SIZE, width, dib_height, 1, bit_count,
        0,  # BI_RGB
        image_size, pixels_per_metre, pixels_per_metre, 0, 0)


def _and_mask(transparent_rows):
    """1 bit per pixel, 1 = transparent (the screen shows through)."""
    out = bytearray()
    for row in reversed(transparent_rows):
        bits = bytearray((len(row) + 7) // 8)
        for x, transparent in enumerate(row):
            if transparent:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += _padded(bytes(bits))
    return bytes(out)


def _check_size(rows):
    height = len(rows)
    width = len(rows[0])
    if any(len(row) != width for row in rows):
        raise ValueError("ragged image")
    if not (1 <= width <= 256 and 1 <= height <= 256):
        raise ValueError("icon images are 1..256 pixels a side")
    return width, height


def icon_image_4bpp(indexed):
    """One icon image: header (height doubled for XOR + AND), palette, XOR bits, AND mask.

    Transparent pixels are stored as index 0 (black) under a set mask bit, so
    XOR-drawing them leaves the screen unchanged.
    """
    width, height = _check_size(indexed)
    xor = bytearray()
    for row in reversed(indexed):
        nibbles = [0 if p is None else p for p in row]
        if any(not 0 <= p <= 15 for p in nibbles):
            raise ValueError("palette index out of range")
        nibbles += [0] * (len(nibbles) % 2)
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        xor += _padded(packed)
    mask = _and_mask([[p is None for p in row] for row in indexed])
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA_PALETTE)
    header = _info_header(width, height * 2, 4, len(xor) + len(mask))
    return (width, height, 16, 4, header + palette + bytes(xor) + mask)


def icon_image_32bpp(rgba):
    """One icon image with straight (not premultiplied) alpha and a matching AND mask.

    Fully transparent pixels get a set mask bit and zero colour, so programs
    that ignore the alpha channel still draw the same silhouette.
    """
    width, height = _check_size(rgba)
    xor = bytearray()
    for row in reversed(rgba):
        for r, g, b, a in row:
            xor += bytes((0, 0, 0, 0)) if a == 0 else bytes((b, g, r, a))
    mask = _and_mask([[p[3] == 0 for p in row] for row in rgba])
    header = _info_header(width, height * 2, 32, len(xor) + len(mask))
    return (width, height, 0, 32, header + bytes(xor) + mask)


def ico_file(images):
    """ICONDIR, one ICONDIRENTRY per image, then the images in the same order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = bytearray()
    data = bytearray()
    for width, height, colour_count, bit_count, dib in images:
        entries += struct.pack(
            "<BBBBHHII",
            width % 256, height % 256, colour_count, 0, 1, bit_count, len(dib), offset + len(data))
        data += dib
    return directory + bytes(entries) + bytes(data)


def bmp_24(rgb):
    """A 24-bit bottom-up BMP file (96 dots per inch)."""
    width, height = len(rgb[0]), len(rgb)
    pixels = bytearray()
    for row in reversed(rgb):
        pixels += _padded(b"".join(bytes((b, g, r)) for r, g, b in row))
    offset = BITMAPFILEHEADER_SIZE + BITMAPINFOHEADER_SIZE
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + _info_header(width, height, 24, len(pixels), 3780) + bytes(pixels)


def png_rgb(rgb):
    """An 8-bit RGB PNG without ancillary chunks (no time stamp, so output is stable)."""
    width, height = len(rgb[0]), len(rgb)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rgb)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
