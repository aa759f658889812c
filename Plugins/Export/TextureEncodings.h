// The pixel encodings a texture can be written in: the raster fields each
// sets and how it turns rows of pixels into bytes. A further encoding is one
// more entry of the table.
#pragma once

#include <stdint.h>

// Encodes one band of blockSide picture rows (each width pixels of 4 bytes:
// blue, green, red, alpha) into the band's bytes. rows holds blockSide
// pointers; bands at the bottom edge repeat the last row.
using EncodeBandFunction = void (*)(const uint8_t* const* rows, uint32_t width, uint8_t* out);

// The tallest band an encoding takes.
constexpr uint32_t kMaxEncodingBlockSide = 4;

struct TextureEncoding {
    const char* name;
    uint32_t rasterFormat;
    uint32_t d3dFormat;
    uint8_t depth;
    uint8_t flags; // native flags besides the alpha flag
    uint32_t
        blockSide; // 1: rows of pixels; 4: blocks of 4 x 4 pixels (at most kMaxEncodingBlockSide)
    uint32_t blockBytes; // bytes per pixel or per block
    EncodeBandFunction encodeBand;
};

// 8888 with alpha, 888 without; compressed: DXT3 with alpha, DXT1 without.
const TextureEncoding& ChooseTextureEncoding(bool compress, bool hasAlpha);

// Bytes of a width x height level; blocks cover the edges.
uint64_t TextureLevelBytes(const TextureEncoding& e, uint32_t width, uint32_t height);
// Bytes of a band of blockSide rows.
uint64_t TextureBandBytes(const TextureEncoding& e, uint32_t width);
