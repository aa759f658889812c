// Records of the Texture Dictionary and its Texture Natives: Direct3D 9
// textures of 32 bits per pixel, one mip level, uncompressed.
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
    uint32_t dataSize; // width x height x 4 pixel bytes follow
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

// A complete record for an image of the given size: the fixed values, the
// formats and flags that follow from hasAlpha, and the names (see
// SetTextureNames).
TextureNativeStruct MakeTextureNativeStruct(const char* name, uint16_t width, uint16_t height,
                                            bool hasAlpha);
// name: the text cut to 31 characters. maskName: with alpha, the text cut to
// 30 characters followed by "a" (so it always differs from name), else empty.
// Both fields are zero-filled after the terminator.
void SetTextureNames(TextureNativeStruct& r, const char* name, bool hasAlpha);

void WriteTextureDictionaryStruct(ByteStream& s, const TextureDictionaryStruct& r);
// The 92 bytes of the record; the pixel data follows separately.
void WriteTextureNativeStruct(ByteStream& s, const TextureNativeStruct& r);
