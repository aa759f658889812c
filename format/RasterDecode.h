// Decoding of texture native pixels into 8-bit RGBA: the block-compressed
// DXT formats, the 32-, 24-, 16- and 8-bit formats and palettes.
#pragma once

#include <stdint.h>

#include "format/TextureDictionaryLayout.h"

// One level's pixels as stored, with what decoding needs to know.
struct RasterView {
    RasterEncoding encoding = RasterEncoding::kB8G8R8A8;
    uint32_t width = 0;
    uint32_t height = 0;
    // DXT1 only: blocks whose first colour is not above the second give
    // index 3 transparent black (else opaque black).
    bool dxt1Alpha = false;
    const uint8_t* pixels = nullptr;
    uint32_t size = 0;                // at least RasterLevelBytes(encoding, width, height)
    const uint8_t* palette = nullptr; // RGBA entries (palettised encodings)
    uint32_t paletteEntries = 0;
};

// The view of one mip level of a texture read by ParseTextureNative from body.
RasterView TextureLevelView(const TextureNative& texture, const uint8_t* body, int level);

// Decodes a level into width x height pixels of red, green, blue, alpha, top
// row first; formats without alpha give alpha 255. False when the view is
// short of bytes or a palette index lies outside the palette (rgba is then
// not complete).
bool DecodeRaster(const RasterView& view, uint8_t* rgba);

// One 4 x 4 block into 64 bytes of RGBA (rows of 4 pixels). DXT3 and DXT5
// blocks are 16 bytes: their alpha half first, then the colour half.
void DecodeDxt1Block(const uint8_t* block, bool oneBitAlpha, uint8_t* rgba);
void DecodeDxt3Block(const uint8_t* block, uint8_t* rgba);
void DecodeDxt5Block(const uint8_t* block, uint8_t* rgba);

// Whether any pixel of width x height RGBA has alpha below 255.
bool HasTranslucentPixel(const uint8_t* rgba, uint32_t width, uint32_t height);
