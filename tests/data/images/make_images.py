#!/usr/bin/env python3
"""Writes the small images the image decoding tests read.

Every picture is given top row first as (red, green, blue[, alpha]) pixels;
the tests hold the same pictures and compare the decoded bitmaps with them.
Run it in this folder: python3 make_images.py
"""
import struct
import zlib

RGB_3X2 = [
    [(255, 0, 0), (0, 255, 0), (0, 0, 255)],
    [(10, 20, 30), (40, 50, 60), (70, 80, 90)],
]
RGBA_2X2 = [
    [(255, 0, 0, 128), (0, 255, 0, 255)],
    [(0, 0, 255, 0), (1, 2, 3, 4)],
]
GREY_ALPHA_1X2 = [[(100, 200)], [(50, 25)]]
GREY_2X1 = [[(7,), (250,)]]
# 8 x 16: an 8 x 8 block of one colour above an 8 x 8 block of another.
JPEG_TOP = (200, 100, 50)
JPEG_BOTTOM = (30, 160, 220)


def bmp24(picture):
    height, width = len(picture), len(picture[0])
    row_size = (width * 3 + 3) // 4 * 4
    rows = b""
    for row in reversed(picture):  # bottom row first
        data = b"".join(bytes((b, g, r)) for (r, g, b) in row)
        rows += data + b"\0" * (row_size - len(data))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 14 + 40)
    return file_header + header + rows


def tga32_top_left(picture):
    height, width = len(picture), len(picture[0])
    # No id, no colour map, type 2 (true colour), origin at the top left
    # (descriptor bit 5) with 8 alpha bits.
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 32, 0x28)
    data = b"".join(bytes((b, g, r, a)) for row in picture for (r, g, b, a) in row)
    return header + data


def png(picture, colour_type):
    height, width = len(picture), len(picture[0])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in picture)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw)) +
            chunk(b"IEND", b""))


def jpeg_two_blocks(top, bottom):
    """A baseline JPEG of two solid 8 x 8 blocks stacked, 4:4:4, quantiser 1.

    A solid block has only a DC coefficient, 8 x (sample - 128); every AC
    coefficient is zero, so each block is its DC difference and an end of block.
    """
    def ycbcr(rgb):
        r, g, b = rgb
        return (round(0.299 * r + 0.587 * g + 0.114 * b),
                round(128 - 0.168736 * r - 0.331264 * g + 0.5 * b),
                round(128 + 0.5 * r - 0.418688 * g - 0.081312 * b))

    def segment(marker, data):
        return struct.pack(">BBH", 0xFF, marker, len(data) + 2) + data

    # One Huffman table for DC: categories 0..11, 4-bit codes 0000..1011.
    # One for AC: the end of block (0x00), code 0.
    dc_table = bytes([0] * 3 + [12] + [0] * 12) + bytes(range(12))
    ac_table = bytes([1] + [0] * 15) + b"\0"
    bits = []
    previous = [0, 0, 0]
    for block in (ycbcr(top), ycbcr(bottom)):
        for c in range(3):
            dc = 8 * (block[c] - 128)
            diff = dc - previous[c]
            previous[c] = dc
            size = abs(diff).bit_length()
            bits += [int(x) for x in format(size, "04b")]
            if size:
                value = diff if diff >= 0 else diff + (1 << size) - 1
                bits += [int(x) for x in format(value, "0%db" % size)]
            bits.append(0)  # end of block
    bits += [1] * (-len(bits) % 8)
    scan = bytearray()
    for i in range(0, len(bits), 8):
        byte = int("".join(map(str, bits[i:i + 8])), 2)
        scan += bytes([byte]) + (b"\0" if byte == 0xFF else b"")
    sof = struct.pack(">BHHB", 8, 16, 8, 3) + bytes([1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0])
    sos = bytes([3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0])
    return (b"\xFF\xD8" + segment(0xDB, b"\0" + bytes([1] * 64)) + segment(0xC0, sof) +
            segment(0xC4, b"\x00" + dc_table + b"\x10" + ac_table) + segment(0xDA, sos) +
            bytes(scan) + b"\xFF\xD9")


def main():
    files = {
        "rgb_3x2.bmp": bmp24(RGB_3X2),
        "rgba_2x2.tga": tga32_top_left(RGBA_2X2),
        "rgb_3x2.png": png(RGB_3X2, 2),
        "rgba_2x2.png": png(RGBA_2X2, 6),
        "grey_alpha_1x2.png": png(GREY_ALPHA_1X2, 4),
        "grey_2x1.png": png(GREY_2X1, 0),
        "two_blocks_8x16.jpg": jpeg_two_blocks(JPEG_TOP, JPEG_BOTTOM),
    }
    # A PNG cut off inside its image data.
    files["truncated.png"] = files["rgb_3x2.png"][:40]
    for name, data in files.items():
        with open(name, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
