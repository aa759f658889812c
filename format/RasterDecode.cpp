#include "format/RasterDecode.h"

#include <string.h>

namespace {

constexpr uint32_t kBlockSide = 4;
constexpr uint32_t kBlockPixels = 16;

uint8_t Expand5(uint32_t v) {
    return static_cast<uint8_t>((v << 3) | (v >> 2));
}
uint8_t Expand6(uint32_t v) {
    return static_cast<uint8_t>((v << 2) | (v >> 4));
}
uint8_t Expand4(uint32_t v) {
    return static_cast<uint8_t>(v * 17);
}

void SetPixel(uint8_t* p, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    p[0] = r;
    p[1] = g;
    p[2] = b;
    p[3] = a;
}

// The four colours of a DXT colour block. With fourColours false (DXT1 when
// the first endpoint is not above the second) the third is the midpoint and
// the fourth black, transparent when blackAlpha is 0.
void BlockColours(const uint8_t* block, bool fourColours, uint8_t blackAlpha, uint8_t (*c)[4]) {
    const uint16_t c0 = LoadU16(block);
    const uint16_t c1 = LoadU16(block + 2);
    const uint32_t e[2][3] = {{Expand5(c0 >> 11), Expand6((c0 >> 5) & 0x3F), Expand5(c0 & 0x1F)},
                              {Expand5(c1 >> 11), Expand6((c1 >> 5) & 0x3F), Expand5(c1 & 0x1F)}};
    for (int k = 0; k < 3; ++k) {
        c[0][k] = static_cast<uint8_t>(e[0][k]);
        c[1][k] = static_cast<uint8_t>(e[1][k]);
        if (fourColours) {
            c[2][k] = static_cast<uint8_t>((2 * e[0][k] + e[1][k]) / 3);
            c[3][k] = static_cast<uint8_t>((e[0][k] + 2 * e[1][k]) / 3);
        } else {
            c[2][k] = static_cast<uint8_t>((e[0][k] + e[1][k]) / 2);
            c[3][k] = 0;
        }
    }
    c[0][3] = c[1][3] = c[2][3] = 255;
    c[3][3] = fourColours ? 255 : blackAlpha;
}

// The colour half of a block; DXT3 and DXT5 always use four colours.
void DecodeColourHalf(const uint8_t* block, bool dxt1, bool oneBitAlpha, uint8_t* rgba) {
    const bool fourColours = !dxt1 || LoadU16(block) > LoadU16(block + 2);
    uint8_t colours[4][4];
    BlockColours(block, fourColours, oneBitAlpha ? 0 : 255, colours);
    const uint32_t indices = LoadU32(block + 4);
    for (uint32_t i = 0; i < kBlockPixels; ++i)
        memcpy(rgba + 4 * i, colours[(indices >> (2 * i)) & 3], 4);
}

void DecodeBlocks(const RasterView& v, uint8_t* rgba) {
    const uint32_t blockBytes = v.encoding == RasterEncoding::kDxt1 ? 8 : 16;
    const uint32_t across = (v.width + 3) / 4;
    const uint32_t down = (v.height + 3) / 4;
    uint8_t block[kBlockPixels * 4];
    for (uint32_t by = 0; by < down; ++by) {
        for (uint32_t bx = 0; bx < across; ++bx) {
            const uint8_t* in = v.pixels + (static_cast<size_t>(by) * across + bx) * blockBytes;
            if (v.encoding == RasterEncoding::kDxt1)
                DecodeDxt1Block(in, v.dxt1Alpha, block);
            else if (v.encoding == RasterEncoding::kDxt3)
                DecodeDxt3Block(in, block);
            else
                DecodeDxt5Block(in, block);
            // Blocks over the right or bottom edge keep only their pixels inside.
            for (uint32_t y = 0; y < kBlockSide && by * 4 + y < v.height; ++y) {
                const uint32_t columns = v.width - bx * 4 < kBlockSide ? v.width - bx * 4 : 4;
                memcpy(rgba + ((static_cast<size_t>(by) * 4 + y) * v.width + bx * 4) * 4,
                       block + y * kBlockSide * 4, columns * 4);
            }
        }
    }
}

void DecodePixel16(RasterEncoding e, uint32_t p, uint8_t* out) {
    switch (e) {
    case RasterEncoding::kA1R5G5B5:
        SetPixel(out, Expand5((p >> 10) & 0x1F), Expand5((p >> 5) & 0x1F), Expand5(p & 0x1F),
                 (p & 0x8000) ? 255 : 0);
        break;
    case RasterEncoding::kX1R5G5B5:
        SetPixel(out, Expand5((p >> 10) & 0x1F), Expand5((p >> 5) & 0x1F), Expand5(p & 0x1F), 255);
        break;
    case RasterEncoding::kR5G6B5:
        SetPixel(out, Expand5(p >> 11), Expand6((p >> 5) & 0x3F), Expand5(p & 0x1F), 255);
        break;
    default: // kA4R4G4B4
        SetPixel(out, Expand4((p >> 8) & 0xF), Expand4((p >> 4) & 0xF), Expand4(p & 0xF),
                 Expand4(p >> 12));
        break;
    }
}

bool DecodePixels(const RasterView& v, uint8_t* rgba) {
    const size_t count = static_cast<size_t>(v.width) * v.height;
    const uint8_t* in = v.pixels;
    for (size_t i = 0; i < count; ++i) {
        uint8_t* out = rgba + 4 * i;
        switch (v.encoding) {
        case RasterEncoding::kB8G8R8A8:
            SetPixel(out, in[4 * i + 2], in[4 * i + 1], in[4 * i], in[4 * i + 3]);
            break;
        case RasterEncoding::kB8G8R8X8:
            SetPixel(out, in[4 * i + 2], in[4 * i + 1], in[4 * i], 255);
            break;
        case RasterEncoding::kB8G8R8:
            SetPixel(out, in[3 * i + 2], in[3 * i + 1], in[3 * i], 255);
            break;
        case RasterEncoding::kL8:
            SetPixel(out, in[i], in[i], in[i], 255);
            break;
        case RasterEncoding::kPal8:
        case RasterEncoding::kPal4:
            if (in[i] >= v.paletteEntries)
                return false;
            memcpy(out, v.palette + 4 * in[i], 4);
            break;
        default:
            DecodePixel16(v.encoding, LoadU16(in + 2 * i), out);
            break;
        }
    }
    return true;
}

} // namespace

void DecodeDxt1Block(const uint8_t* block, bool oneBitAlpha, uint8_t* rgba) {
    DecodeColourHalf(block, true, oneBitAlpha, rgba);
}

void DecodeDxt3Block(const uint8_t* block, uint8_t* rgba) {
    DecodeColourHalf(block + 8, false, false, rgba);
    for (uint32_t i = 0; i < kBlockPixels; ++i)
        rgba[4 * i + 3] = Expand4((block[i / 2] >> (4 * (i & 1))) & 0xF);
}

void DecodeDxt5Block(const uint8_t* block, uint8_t* rgba) {
    DecodeColourHalf(block + 8, false, false, rgba);
    const uint32_t a0 = block[0];
    const uint32_t a1 = block[1];
    uint8_t alpha[8] = {static_cast<uint8_t>(a0), static_cast<uint8_t>(a1)};
    if (a0 > a1) {
        for (uint32_t k = 1; k <= 6; ++k)
            alpha[k + 1] = static_cast<uint8_t>(((7 - k) * a0 + k * a1) / 7);
    } else {
        for (uint32_t k = 1; k <= 4; ++k)
            alpha[k + 1] = static_cast<uint8_t>(((5 - k) * a0 + k * a1) / 5);
        alpha[6] = 0;
        alpha[7] = 255;
    }
    // Sixteen 3-bit indices in the 48 bits after the two endpoints.
    uint64_t bits = 0;
    for (int k = 5; k >= 0; --k)
        bits = (bits << 8) | block[2 + k];
    for (uint32_t i = 0; i < kBlockPixels; ++i)
        rgba[4 * i + 3] = alpha[(bits >> (3 * i)) & 7];
}

RasterView TextureLevelView(const TextureNative& t, const uint8_t* body, int level) {
    RasterView v;
    v.encoding = t.encoding;
    v.width = MipSide(t.width, level);
    v.height = MipSide(t.height, level);
    v.dxt1Alpha = t.hasAlpha;
    v.pixels = body + t.levelOffset[level];
    v.size = t.levelSize[level];
    if (t.paletteEntries > 0) {
        v.palette = body + t.paletteOffset;
        v.paletteEntries = t.paletteEntries;
    }
    return v;
}

bool DecodeRaster(const RasterView& v, uint8_t* rgba) {
    if (v.pixels == nullptr || RasterLevelBytes(v.encoding, v.width, v.height) > v.size)
        return false;
    switch (v.encoding) {
    case RasterEncoding::kDxt1:
    case RasterEncoding::kDxt3:
    case RasterEncoding::kDxt5:
        DecodeBlocks(v, rgba);
        return true;
    case RasterEncoding::kPal8:
    case RasterEncoding::kPal4:
        if (v.palette == nullptr)
            return false;
        return DecodePixels(v, rgba);
    default:
        return DecodePixels(v, rgba);
    }
}

bool HasTranslucentPixel(const uint8_t* rgba, uint32_t width, uint32_t height) {
    const size_t count = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < count; ++i)
        if (rgba[4 * i + 3] != 255)
            return true;
    return false;
}
