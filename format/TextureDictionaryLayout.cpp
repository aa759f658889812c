#include "format/TextureDictionaryLayout.h"

#include <string.h>

namespace {

// Copies at most limit characters of text into a zero-filled name field.
size_t FillNameField(char (&field)[kTextureNameFieldSize], const char* text, size_t limit) {
    memset(field, 0, sizeof field);
    size_t length = strnlen(text, limit);
    memcpy(field, text, length);
    return length;
}

} // namespace

void SetTextureNames(TextureNativeStruct& r, const char* name, bool hasAlpha) {
    FillNameField(r.name, name, kMaxTextureNameLength);
    memset(r.maskName, 0, sizeof r.maskName);
    if (hasAlpha) {
        size_t length = FillNameField(r.maskName, name, kMaxTextureNameLength - 1);
        r.maskName[length] = 'a';
    }
}

TextureNativeStruct MakeTextureNativeStruct(const char* name, uint16_t width, uint16_t height,
                                            bool hasAlpha) {
    TextureNativeStruct r;
    r.platformId = kTexturePlatformD3D9;
    r.filterMode = kTextureFilterNearest;
    r.addressing = kTextureAddressWrapBoth;
    r.nativePadding = 0;
    SetTextureNames(r, name, hasAlpha);
    r.rasterFormat = hasAlpha ? kRasterFormat8888 : kRasterFormat888;
    r.d3dFormat = hasAlpha ? kD3DFormatA8R8G8B8 : kD3DFormatX8R8G8B8;
    r.width = width;
    r.height = height;
    r.depth = kTextureDepth;
    r.mipLevelCount = kTextureMipLevels;
    r.rasterType = kRasterTypeTexture;
    r.nativeFlags = hasAlpha ? kNativeFlagHasAlpha : 0;
    r.dataSize = static_cast<uint32_t>(width) * height * kTexturePixelSize;
    return r;
}

void SetTextureRaster(TextureNativeStruct& r, uint32_t rasterFormat, uint32_t d3dFormat,
                      uint8_t depth, uint8_t flags, uint8_t levels, uint32_t firstLevelBytes) {
    r.rasterFormat = levels > 1 ? rasterFormat | kRasterFormatMipmap : rasterFormat;
    r.d3dFormat = d3dFormat;
    r.depth = depth;
    r.mipLevelCount = levels;
    r.nativeFlags = static_cast<uint8_t>((r.nativeFlags & kNativeFlagHasAlpha) | flags);
    r.dataSize = firstLevelBytes;
}

void WriteTextureDictionaryStruct(ByteStream& s, const TextureDictionaryStruct& r) {
    uint8_t bytes[kTextureDictionaryStructSize];
    StoreU16(bytes + 0, r.textureCount);
    StoreU16(bytes + 2, r.deviceId);
    s.Write(bytes, sizeof bytes);
}

void WriteTextureNativeStruct(ByteStream& s, const TextureNativeStruct& r) {
    uint8_t bytes[kTextureNativeStructSize];
    StoreU32(bytes + 0, r.platformId);
    StoreU16(bytes + 4, static_cast<uint16_t>(r.filterMode | (r.addressing << 8)));
    StoreU16(bytes + 6, r.nativePadding);
    memcpy(bytes + 8, r.name, kTextureNameFieldSize);
    memcpy(bytes + 40, r.maskName, kTextureNameFieldSize);
    StoreU32(bytes + 72, r.rasterFormat);
    StoreU32(bytes + 76, r.d3dFormat);
    StoreU16(bytes + 80, r.width);
    StoreU16(bytes + 82, r.height);
    bytes[84] = r.depth;
    bytes[85] = r.mipLevelCount;
    bytes[86] = r.rasterType;
    bytes[87] = r.nativeFlags;
    StoreU32(bytes + 88, r.dataSize);
    s.Write(bytes, sizeof bytes);
}
