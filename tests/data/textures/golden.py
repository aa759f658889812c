#!/usr/bin/env python3
"""Writes the golden rasters of the pixel decoding tests, checked by ImageMagick.

Each raster below is made by hand: a format, a size, the bytes as a texture
native stores them and, for palettised formats, the RGBA palette. The program
wraps each raster in a file an independent decoder reads (a DDS file, or an
8-bit BMP for palettes), has ImageMagick decode it to RGBA, and writes the
bytes and the decoded pixels to ../../format/RasterGolden.inc, which the tests
compile. It was run once to make that file; the tests never run it.

    python3 golden.py  (needs ImageMagick's convert; CONVERT names another)
"""
import os
import struct
import subprocess
import tempfile

CONVERT = os.environ.get("CONVERT", "/usr/bin/convert-im6.q16")


def u16(*values):
    return b"".join(struct.pack("<H", v) for v in values)


def u32(*values):
    return b"".join(struct.pack("<I", v) for v in values)


def rows2(*rows):
    """DXT indices: one row of four 2-bit indices per byte, first pixel lowest."""
    return bytes(r[0] | r[1] << 2 | r[2] << 4 | r[3] << 6 for r in rows)


# Colour blocks: four-colour (c0 > c1) and three-colour (c0 <= c1) modes, with
# endpoints whose thirds need rounding.
COLOUR4 = u16(0xF81F, 0x07E0) + rows2((0, 1, 2, 3), (3, 2, 1, 0), (0, 0, 1, 1), (2, 2, 3, 3))
COLOUR4B = u16(0x7BCF, 0x2104) + rows2((0, 2, 3, 1), (1, 1, 1, 1), (2, 3, 2, 3), (0, 3, 0, 3))
COLOUR3 = u16(0x1234, 0xA5D7) + rows2((0, 1, 2, 3), (3, 3, 3, 3), (2, 1, 0, 3), (0, 1, 2, 2))
# DXT3 alpha: sixteen 4-bit values, first pixel in the low nibble.
ALPHA4 = bytes([0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE])
# DXT5 alpha: endpoints, then sixteen 3-bit indices in 48 bits, first pixel lowest.


def alpha3(a0, a1, indices):
    bits = 0
    for i, k in enumerate(indices):
        bits |= k << (3 * i)
    return bytes([a0, a1]) + bits.to_bytes(6, "little")


ALPHA8 = alpha3(230, 17, [0, 1, 2, 3, 4, 5, 6, 7, 7, 6, 5, 4, 3, 2, 1, 0])  # eight-value mode
ALPHA6 = alpha3(40, 201, [0, 1, 2, 3, 4, 5, 6, 7, 1, 1, 6, 6, 7, 7, 0, 2])  # six values, 0 and 255

PALETTE = bytes(range(0, 256)) * 4  # 256 RGBA entries: entry i = (4i, 4i+1, 4i+2, 4i+3) mod 256

# name, encoding, width, height, pixel bytes, palette entries (PAL only)
CASES = [
    ("dxt1", "kDxt1", 8, 4, COLOUR4 + COLOUR3, 0),
    ("dxt1_alpha", "kDxt1", 8, 4, COLOUR4 + COLOUR3, 0),
    ("dxt1_edge", "kDxt1", 5, 6, COLOUR4 + COLOUR4B + COLOUR3 + COLOUR4, 0),
    ("dxt3", "kDxt3", 8, 4, ALPHA4 + COLOUR4B + ALPHA4[::-1] + COLOUR3, 0),
    ("dxt5", "kDxt5", 8, 4, ALPHA8 + COLOUR4 + ALPHA6 + COLOUR3, 0),
    ("c8888", "kB8G8R8A8", 3, 2, bytes([1, 2, 3, 4, 50, 60, 70, 0, 255, 254, 253, 252,
                                        9, 8, 7, 128, 0, 0, 0, 255, 200, 100, 0, 77]), 0),
    ("c888", "kB8G8R8X8", 2, 2, bytes([1, 2, 3, 4, 50, 60, 70, 0, 255, 254, 253, 17,
                                       9, 8, 7, 128]), 0),
    ("c888_24", "kB8G8R8", 3, 1, bytes([1, 2, 3, 50, 60, 70, 255, 128, 0]), 0),
    ("c1555", "kA1R5G5B5", 2, 2, u16(0x8000 | 0x7C00, 0x03E0, 0x801F | 0x2108, 0x7FFF), 0),
    ("c565", "kR5G6B5", 2, 2, u16(0xF800, 0x07E0, 0x001F, 0x8A6B), 0),
    ("c4444", "kA4R4G4B4", 2, 2, u16(0xF123, 0x0ABC, 0x8F0F, 0x7654), 0),
    ("c555", "kX1R5G5B5", 2, 2, u16(0xFC00, 0x03E0, 0x001F, 0x2A6B), 0),
    ("lum8", "kL8", 4, 1, bytes([0, 1, 128, 255]), 0),
    ("pal8", "kPal8", 3, 2, bytes([0, 1, 63, 64, 200, 255]), 256),
    ("pal4", "kPal4", 2, 2, bytes([0, 5, 31, 16]), 32),
]

# DDS pixel formats: flags, FourCC, bit count, red, green, blue and alpha masks.
DDPF_ALPHAPIXELS, DDPF_FOURCC, DDPF_RGB, DDPF_LUMINANCE = 0x1, 0x4, 0x40, 0x20000
DDS_FORMATS = {
    "kDxt1": (DDPF_FOURCC, b"DXT1", 0, 0, 0, 0, 0),
    "kDxt3": (DDPF_FOURCC, b"DXT3", 0, 0, 0, 0, 0),
    "kDxt5": (DDPF_FOURCC, b"DXT5", 0, 0, 0, 0, 0),
    "kB8G8R8A8": (DDPF_RGB | DDPF_ALPHAPIXELS, b"\0" * 4, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000),
    "kB8G8R8X8": (DDPF_RGB, b"\0" * 4, 32, 0xFF0000, 0xFF00, 0xFF, 0),
    "kB8G8R8": (DDPF_RGB, b"\0" * 4, 24, 0xFF0000, 0xFF00, 0xFF, 0),
    "kA1R5G5B5": (DDPF_RGB | DDPF_ALPHAPIXELS, b"\0" * 4, 16, 0x7C00, 0x3E0, 0x1F, 0x8000),
    "kR5G6B5": (DDPF_RGB, b"\0" * 4, 16, 0xF800, 0x7E0, 0x1F, 0),
    "kA4R4G4B4": (DDPF_RGB | DDPF_ALPHAPIXELS, b"\0" * 4, 16, 0xF00, 0xF0, 0xF, 0xF000),
    "kX1R5G5B5": (DDPF_RGB, b"\0" * 4, 16, 0x7C00, 0x3E0, 0x1F, 0),
    "kL8": (DDPF_LUMINANCE, b"\0" * 4, 8, 0xFF, 0, 0, 0),
}


def dds(encoding, width, height, data, alpha):
    flags, fourcc, bits, r, g, b, a = DDS_FORMATS[encoding]
    if alpha:
        flags |= DDPF_ALPHAPIXELS
    pixel_format = u32(32, flags) + fourcc + u32(bits, r, g, b, a)
    header = u32(124, 0x1 | 0x2 | 0x4 | 0x1000, height, width, 0, 0, 1) + u32(*[0] * 11)
    header += pixel_format + u32(0x1000, 0, 0, 0, 0)
    return b"DDS " + header + data


def bmp8(width, height, indices, palette):
    """An 8-bit BMP: colours from the palette's RGB (BMP keeps no palette alpha)."""
    row = (width + 3) // 4 * 4
    pixels = b""
    for y in reversed(range(height)):
        pixels += indices[y * width:(y + 1) * width] + b"\0" * (row - width)
    colours = b"".join(bytes([palette[4 * i + 2], palette[4 * i + 1], palette[4 * i], 0])
                       for i in range(256))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(colours)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + colours + pixels


def decode(path, width, height):
    out = subprocess.run([CONVERT, path, "-depth", "8", "rgba:-"], check=True,
                         capture_output=True).stdout
    assert len(out) == width * height * 4, (path, len(out))
    return out


# ImageMagick scales the 5- and 6-bit channels of uncompressed 16-bit pixels
# as v * 255 / max rounded down; Direct3D converts them as unsigned normalised
# values, rounded to nearest (what bit replication gives). Where the two
# differ, the file keeps the rounded value, after checking ImageMagick's.
ROUNDED = {"kA1R5G5B5": (10, 5, 0, 5, 5, 5), "kX1R5G5B5": (10, 5, 0, 5, 5, 5),
           "kR5G6B5": (11, 5, 0, 6, 5, 5)}


def rounded(rgba, encoding, data):
    r_shift, r_bits, _, g_bits, g_shift, b_bits = ROUNDED[encoding]
    layout = [(r_shift, r_bits), (g_shift, g_bits), (0, b_bits)]
    out = bytearray(rgba)
    for i, (pixel,) in enumerate(struct.iter_unpack("<H", data)):
        if encoding == "kX1R5G5B5":
            pixel |= 0x8000
        for k, (shift, bits) in enumerate(layout):
            top = (1 << bits) - 1
            v = (pixel >> shift) & top
            assert rgba[4 * i + k] == v * 255 // top, (encoding, i, k)
            out[4 * i + k] = (v * 255 + top // 2) // top
    return bytes(out)


def expected(name, encoding, width, height, data, entries, folder):
    if entries:
        palette = PALETTE[:4 * entries]
        path = os.path.join(folder, name + ".bmp")
        with open(path, "wb") as f:
            f.write(bmp8(width, height, data, PALETTE[:4 * 256] if entries == 256 else
                         palette + b"\0" * (1024 - len(palette))))
        rgb = decode(path, width, height)
        # The palette's alpha is the entry's fourth byte.
        return bytes(rgb[i] if i % 4 != 3 else palette[4 * data[i // 4] + 3]
                     for i in range(len(rgb)))
    if encoding == "kX1R5G5B5":
        # ImageMagick reads no 16-bit DDS without alpha but 565: give it the
        # same colours as 1555 with every pixel opaque.
        encoding = "kA1R5G5B5"
        data = b"".join(u16(v | 0x8000) for v in struct.unpack(f"<{len(data) // 2}H", data))
    path = os.path.join(folder, name + ".dds")
    with open(path, "wb") as f:
        f.write(dds(encoding, width, height, data, name == "dxt1_alpha"))
    rgba = decode(path, width, height)
    if encoding in ROUNDED:
        rgba = rounded(rgba, encoding, data)
    if encoding == "kDxt1" and name != "dxt1_alpha":
        # Without alpha, the black of a three-colour block stays opaque.
        rgba = bytes(255 if i % 4 == 3 else v for i, v in enumerate(rgba))
    return rgba


def c_bytes(data):
    return ", ".join(str(b) for b in data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    lines = ["// Written by tests/data/textures/golden.py: hand-made rasters and the RGBA",
             "// pixels ImageMagick decoded from them. Do not edit.", ""]
    with tempfile.TemporaryDirectory() as folder:
        for name, encoding, width, height, data, entries in CASES:
            rgba = expected(name, encoding, width, height, data, entries, folder)
            lines.append(f"const uint8_t k{name}Pixels[] = {{{c_bytes(data)}}};")
            lines.append(f"const uint8_t k{name}Rgba[] = {{{c_bytes(rgba)}}};")
    lines.append("")
    lines.append("const RasterGolden kRasterGoldens[] = {")
    for name, encoding, width, height, data, entries in CASES:
        alpha = "true" if name == "dxt1_alpha" else "false"
        lines.append(f"    {{\"{name}\", RasterEncoding::{encoding}, {width}, {height}, {alpha}, "
                     f"k{name}Pixels, sizeof k{name}Pixels, {entries}, k{name}Rgba}},")
    lines.append("};")
    with open(os.path.join(here, "..", "..", "format", "RasterGolden.inc"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
