// Images the host decodes for the texture dictionary: a bitmap information
// header and a block of pixel rows, each padded to 4 bytes, bottom-up unless
// the header's height is negative.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "frame/MQHost.h"

// Offsets in the bitmap information header (BITMAPINFOHEADER, 40 bytes, or
// a larger version of it); with BI_BITFIELDS the red, green and blue masks
// follow at 40, 44 and 48, after the header or inside a larger one.
constexpr uint32_t kBitmapHeaderSizeOffset = 0;
constexpr uint32_t kBitmapWidthOffset = 4;
constexpr uint32_t kBitmapHeightOffset = 8;
constexpr uint32_t kBitmapBitCountOffset = 14;
constexpr uint32_t kBitmapCompressionOffset = 16;
constexpr uint32_t kBitmapImageSizeOffset = 20;
constexpr uint32_t kBitmapMasksOffset = 40;
constexpr uint32_t kBitmapInfoHeaderSize = 40;
constexpr uint32_t kBitmapRgb = 0;       // BI_RGB: plain blue, green, red (, alpha) bytes
constexpr uint32_t kBitmapBitFields = 3; // BI_BITFIELDS: channels by mask

// Room for a resolved mapping file path, terminator included.
constexpr size_t kTexturePathSize = kHostPathSize;
constexpr int32_t kMappingKindTexture = 1;

// An image the host handed over. Its two blocks are owned until
// ReleaseTextureImage.
struct TextureImage {
    void* header = nullptr;
    void* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;         // rows, always positive
    uint32_t bytesPerPixel = 0; // 3 or 4
    size_t stride = 0;          // bytes per row, padded to 4
    bool topDown = false;       // rows stored top row first
};

// Bytes of one row of a DIB: width x bits / 8 rounded up to a multiple of 4.
uint64_t BitmapRowStride(uint32_t width, uint32_t bitCount);

// Takes over the blocks of a loaded image after checking that the header is
// one this reads (at least the 40 bytes of BITMAPINFOHEADER; uncompressed
// BI_RGB, or BI_BITFIELDS with 32 bits and the usual red, green and blue
// masks) and that the texture dictionary can hold it: width and height
// (either sign) from 1 to 65535, 24 or 32 bits per pixel, and, when the header
// gives the pixel block's size, room for every row. Otherwise the blocks are
// released and false returned.
bool AdoptTextureImage(void* header, void* pixels, TextureImage* image);

// Resolves name as a texture mapping file, loads it through the host and
// adopts it. False when the host cannot load it or the image is refused;
// nothing is held then.
bool LoadTextureImage(HostDocument doc, const char* name, TextureImage* image);

// Releases both blocks (with the platform's local free); safe to repeat.
void ReleaseTextureImage(TextureImage* image);

// The pixels of picture row y, counted from the top.
const uint8_t* TextureImageRow(const TextureImage& image, int32_t y);
