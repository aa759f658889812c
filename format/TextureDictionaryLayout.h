// Records of the Texture Dictionary and its Texture Natives: Direct3D 9
// textures, uncompressed 32 bits per pixel or DXT-compressed, with one mip
// level or a full chain.
#pragma once

#include <stdint.h>

#include "format/Sections.h"

struct TextureDictionaryStruct {
    uint16_t textureCount;
    uint16_t deviceId;
};
constexpr uint32_t kTextureDictionaryStructSize = 4;
static_assert(sizeof(TextureDictionaryStruct) == kTextureDictionaryStructSize,
              "TextureDictionaryStruct mirrors its bytes");
constexpr uint16_t kTextureDeviceD3D9 = 2;
// textureCount is the first field of the Struct body.
constexpr uint32_t kTextureCountOffset = 0;
constexpr uint32_t kMaxTextureCount = 0xFFFF;

// Name fields hold a text and its terminator in 32 bytes.
constexpr uint32_t kTextureNameFieldSize = 32;
constexpr uint32_t kMaxTextureNameLength = kTextureNameFieldSize - 1;

struct TextureNativeStruct {
    uint32_t platformId;
    uint8_t filterMode;
    uint8_t addressing; // U in the low 4 bits, V in the high 4 bits
    uint16_t nativePadding;
    char name[kTextureNameFieldSize];
    char maskName[kTextureNameFieldSize];
    uint32_t rasterFormat;
    uint32_t d3dFormat;
    uint16_t width;
    uint16_t height;
    uint8_t depth;
    uint8_t mipLevelCount;
    uint8_t rasterType;
    uint8_t nativeFlags;
    uint32_t dataSize; // the first level's bytes, which follow
};
constexpr uint32_t kTextureNativeStructSize = 92;
static_assert(sizeof(TextureNativeStruct) == kTextureNativeStructSize,
              "TextureNativeStruct mirrors its bytes");

constexpr uint32_t kTexturePlatformD3D9 = 9;
constexpr uint8_t kTextureFilterNearest = 1;
constexpr uint8_t kTextureAddressWrapBoth = 0x11;
constexpr uint32_t kRasterFormat8888 = 0x00000500;
constexpr uint32_t kRasterFormat888 = 0x00000600;
constexpr uint32_t kD3DFormatA8R8G8B8 = 21;
constexpr uint32_t kD3DFormatX8R8G8B8 = 22;
constexpr uint8_t kTextureDepth = 32;
constexpr uint8_t kTextureMipLevels = 1;
constexpr uint8_t kRasterTypeTexture = 4;
constexpr uint8_t kNativeFlagHasAlpha = 0x01;
constexpr uint32_t kTexturePixelSize = 4; // blue, green, red, alpha

// The 16-bit image sizes the record holds.
constexpr int32_t kMaxTextureSide = 0xFFFF;

// Compressed rasters: the raster format names the pixel format the blocks
// stand for (565 for DXT1 without alpha, 4444 for DXT3), d3dFormat the FourCC.
constexpr uint32_t kRasterFormat565 = 0x00000200;
constexpr uint32_t kRasterFormat4444 = 0x00000300;
// Set in rasterFormat when the raster holds more than one level.
constexpr uint32_t kRasterFormatMipmap = 0x00008000;
constexpr uint32_t kD3DFormatDxt1 = 0x31545844; // "DXT1"
constexpr uint32_t kD3DFormatDxt3 = 0x33545844; // "DXT3"
constexpr uint8_t kNativeFlagCompressed = 0x08;
// Every level after the first: its size as uint32, then its bytes (the
// first level's size is the record's dataSize).
constexpr uint32_t kTextureLevelSizeField = 4;
// 65535 pixels halve to 1 in 16 levels.
constexpr int kMaxMipLevels = 16;

// A complete record for an image of the given size: the fixed values, the
// formats and flags that follow from hasAlpha, and the names (see
// SetTextureNames).
TextureNativeStruct MakeTextureNativeStruct(const char* name, uint16_t width, uint16_t height,
                                            bool hasAlpha);
// Sets the raster fields for an encoded raster of levels mip levels whose
// first level takes firstLevelBytes: rasterFormat (with the mipmap bit when
// levels > 1), d3dFormat, depth, mipLevelCount, the encoding's flags added to
// the alpha flag, and dataSize.
void SetTextureRaster(TextureNativeStruct& r, uint32_t rasterFormat, uint32_t d3dFormat,
                      uint8_t depth, uint8_t flags, uint8_t levels, uint32_t firstLevelBytes);
// name: the text cut to 31 characters. maskName: with alpha, the text cut to
// 30 characters followed by "a" (so it always differs from name), else empty.
// Both fields are zero-filled after the terminator.
void SetTextureNames(TextureNativeStruct& r, const char* name, bool hasAlpha);

void WriteTextureDictionaryStruct(ByteStream& s, const TextureDictionaryStruct& r);
// The 92 bytes of the record; the pixel data follows separately.
void WriteTextureNativeStruct(ByteStream& s, const TextureNativeStruct& r);
