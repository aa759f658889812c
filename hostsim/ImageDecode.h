// Decoding image files into the blocks the host hands to plug-ins: a Windows
// bitmap information header and a DIB pixel block of bottom-up rows (row 0 is
// the bottom row of the picture), 24-bit BGR or 32-bit BGRA pixels, each row
// padded to a multiple of 4 bytes. Both blocks come from PlatformLocalAlloc,
// so that the receiver releases them with PlatformLocalFree.
#pragma once

#include <stdint.h>

struct DibBlocks {
    void* header = nullptr;
    void* pixels = nullptr;
};

// BITMAPINFOHEADER fields used here (byte offsets) and its size.
enum : uint32_t {
    kDibHeaderSize = 40,
    kDibWidth = 4,      // int32
    kDibHeight = 8,     // int32, positive: rows bottom-up
    kDibPlanes = 12,    // uint16, 1
    kDibBitCount = 14,  // uint16, 24 or 32
    kDibSizeImage = 20, // uint32, bytes of the pixel block
};

// Largest width and height accepted, the most a texture dictionary holds;
// larger pictures are refused. The pixel block has its own bound.
enum : int32_t { kDibMaxSide = 65535 };

// Bytes of one padded row of width pixels of bitCount bits; 0 when width is
// not 1 to kDibMaxSide.
uint32_t DibRowSize(int32_t width, int32_t bitCount);

// Lays out a picture of top-down rows of 8-bit samples, channels per pixel
// (1 grey, 2 grey and alpha, 3 red green blue, 4 red green blue alpha), as a
// DIB: 32 bits with alpha (2 or 4 channels), else 24. False, with both
// outputs null, for other channel counts, sizes out of range or no memory.
bool MakeDib(const uint8_t* samples, int32_t width, int32_t height, int32_t channels,
             DibBlocks* out);

// Decodes a BMP, PNG, TGA or JPEG file. False, with both outputs null, when
// the file cannot be read or decoded.
bool DecodeImageFile(const char* path, DibBlocks* out);
