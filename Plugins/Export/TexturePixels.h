// Conversion of host images into the dictionary's pixels: rows from the top,
// 4 bytes per pixel in the order blue, green, red, alpha.
#pragma once

#include <stdint.h>

#include "Plugins/Export/TextureImage.h"
#include "frame/HeapArray.h"

// Where the alpha byte of a pixel comes from: the image's own fourth byte
// (32 bits), an alpha map, or nothing (255).
struct PixelSource {
    const TextureImage* image = nullptr;
    const TextureImage* alphaMap = nullptr; // only for 24-bit images
    // Per column of the image: the byte offset of its alpha map pixel in an
    // alpha map row (nearest neighbour when the sizes differ).
    HeapArray<uint32_t> alphaColumns;
    HeapArray<uint8_t> row; // one converted row
};

// Prepares the buffers for image (and alphaMap, which may be null). False
// when memory cannot be had.
bool PreparePixelSource(PixelSource* source, const TextureImage* image,
                        const TextureImage* alphaMap);

// The alpha map row that picture row y of the image samples (nearest
// neighbour; the same row when the heights agree).
int32_t AlphaMapRow(int32_t y, int32_t imageHeight, int32_t mapHeight);
// The alpha map column that column x samples.
int32_t AlphaMapColumn(int32_t x, int32_t imageWidth, int32_t mapWidth);
// The alpha of an alpha map pixel: the integer average of its first three bytes.
inline uint8_t AlphaOfPixel(const uint8_t* p) {
    return static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
}

// Converts picture row y (0 = top) into 4-byte pixels; returns them
// (width x 4 bytes, valid until the next call).
const uint8_t* ConvertPixelRow(PixelSource& source, int32_t y);
