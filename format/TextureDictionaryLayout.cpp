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

bool WriteRasterLevelSize(ByteStream& s, uint32_t size) {
    return WriteU32(s, size);
}

bool WriteRasterBytes(ByteStream& s, const uint8_t* bytes, uint32_t size) {
    return s.Write(bytes, size);
}

bool PatchTextureCount(ByteStream& s, uint32_t structOffset, uint16_t count) {
    uint32_t end = s.Tell();
    return s.Seek(structOffset + kTextureCountOffset) && WriteU16(s, count) && s.Seek(end);
}

bool BeginTextureDictionary(ByteStream& s, SectionStack& stack, const TextureDictionaryStruct& r,
                            uint32_t* structOffset) {
    bool ok =
        BeginSection(s, stack, kSectionTextureDictionary) && BeginSection(s, stack, kSectionStruct);
    *structOffset = s.Tell();
    WriteTextureDictionaryStruct(s, r);
    return ok && EndSection(s, stack);
}

bool EndTextureDictionary(ByteStream& s, SectionStack& stack, uint32_t structOffset,
                          uint16_t announced, uint16_t written) {
    bool ok = WriteEmptyExtension(s) && EndSection(s, stack);
    if (written != announced)
        ok = PatchTextureCount(s, structOffset, written) && ok;
    return ok;
}

bool BeginTextureNative(ByteStream& s, SectionStack& stack, const TextureNativeStruct& r) {
    bool ok =
        BeginSection(s, stack, kSectionTextureNative) && BeginSection(s, stack, kSectionStruct);
    WriteTextureNativeStruct(s, r);
    return ok;
}

bool EndTextureNative(ByteStream& s, SectionStack& stack) {
    return EndSection(s, stack) && WriteEmptyExtension(s) && EndSection(s, stack);
}

// ---- Reading

namespace {

void CopyNameField(char (&field)[kTextureNameFieldSize], const uint8_t* bytes) {
    memcpy(field, bytes, kTextureNameFieldSize);
    field[kTextureNameFieldSize - 1] = '\0';
}

// The DXT number of a Direct3D 9 FourCC, 0 for anything else.
int DxtNumberOf(uint32_t d3dFormat) {
    // "DXT" in the low three bytes, the digit in the high one.
    const uint32_t digit = d3dFormat >> 24;
    if ((d3dFormat & 0x00FFFFFF) == (kD3DFormatDxt1 & 0x00FFFFFF) && digit >= '1' && digit <= '5')
        return static_cast<int>(digit - '0');
    return 0;
}

bool EncodingOfDxt(int dxt, RasterEncoding* e) {
    switch (dxt) {
    case 1:
        *e = RasterEncoding::kDxt1;
        return true;
    case 2:
    case 3:
        *e = RasterEncoding::kDxt3;
        return true;
    case 4:
    case 5:
        *e = RasterEncoding::kDxt5;
        return true;
    }
    return false;
}

bool EncodingOfRaster(uint32_t rasterFormat, uint8_t depth, RasterEncoding* e) {
    if (rasterFormat & kRasterFormatPal8) {
        *e = RasterEncoding::kPal8;
        return true;
    }
    if (rasterFormat & kRasterFormatPal4) {
        *e = RasterEncoding::kPal4;
        return true;
    }
    switch (rasterFormat & kRasterPixelFormatMask) {
    case kRasterFormat1555:
        *e = RasterEncoding::kA1R5G5B5;
        return true;
    case kRasterFormat565:
        *e = RasterEncoding::kR5G6B5;
        return true;
    case kRasterFormat4444:
        *e = RasterEncoding::kA4R4G4B4;
        return true;
    case kRasterFormatLum8:
        *e = RasterEncoding::kL8;
        return true;
    case kRasterFormat8888:
        *e = RasterEncoding::kB8G8R8A8;
        return true;
    case kRasterFormat888:
        *e = depth == 24 ? RasterEncoding::kB8G8R8 : RasterEncoding::kB8G8R8X8;
        return true;
    case kRasterFormat555:
        *e = RasterEncoding::kX1R5G5B5;
        return true;
    }
    return false;
}

} // namespace

const char* TexturePlatformName(uint32_t platformId) {
    switch (platformId) {
    case kTexturePlatformPS2:
        return "PS2";
    case kTexturePlatformXbox:
        return "Xbox";
    case kTexturePlatformGameCube:
        return "GameCube";
    }
    return nullptr;
}

const char* RasterEncodingName(RasterEncoding encoding) {
    switch (encoding) {
    case RasterEncoding::kDxt1:
        return "DXT1";
    case RasterEncoding::kDxt3:
        return "DXT3";
    case RasterEncoding::kDxt5:
        return "DXT5";
    case RasterEncoding::kB8G8R8A8:
        return "8888";
    case RasterEncoding::kB8G8R8X8:
        return "888";
    case RasterEncoding::kB8G8R8:
        return "888/24";
    case RasterEncoding::kA1R5G5B5:
        return "1555";
    case RasterEncoding::kR5G6B5:
        return "565";
    case RasterEncoding::kA4R4G4B4:
        return "4444";
    case RasterEncoding::kX1R5G5B5:
        return "555";
    case RasterEncoding::kL8:
        return "LUM8";
    case RasterEncoding::kPal8:
        return "PAL8";
    case RasterEncoding::kPal4:
        return "PAL4";
    }
    return "?";
}

uint32_t MipSide(uint32_t side, int level) {
    uint32_t s = level < 32 ? side >> level : 0;
    return s > 0 ? s : 1;
}

uint64_t RasterLevelBytes(RasterEncoding encoding, uint32_t width, uint32_t height) {
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    const uint64_t blocks = static_cast<uint64_t>((width + 3) / 4) * ((height + 3) / 4);
    switch (encoding) {
    case RasterEncoding::kDxt1:
        return blocks * 8;
    case RasterEncoding::kDxt3:
    case RasterEncoding::kDxt5:
        return blocks * 16;
    case RasterEncoding::kB8G8R8A8:
    case RasterEncoding::kB8G8R8X8:
        return pixels * 4;
    case RasterEncoding::kB8G8R8:
        return pixels * 3;
    case RasterEncoding::kA1R5G5B5:
    case RasterEncoding::kR5G6B5:
    case RasterEncoding::kA4R4G4B4:
    case RasterEncoding::kX1R5G5B5:
        return pixels * 2;
    case RasterEncoding::kL8:
    case RasterEncoding::kPal8:
    case RasterEncoding::kPal4:
        return pixels;
    }
    return 0;
}

bool ParseTextureDictionaryStruct(const uint8_t* body, uint32_t size,
                                  TextureDictionaryStruct* out) {
    if (size < kTextureDictionaryStructSize)
        return false;
    out->textureCount = LoadU16(body);
    out->deviceId = LoadU16(body + 2);
    return true;
}

bool ParseTextureNativeHeader(const uint8_t* body, uint32_t size, TextureNative* out) {
    TextureNative t;
    if (size >= 4)
        t.platformId = LoadU32(body);
    const bool whole = size >= kTextureNativeHeaderSize;
    if (whole) {
        t.filterMode = body[4];
        t.addressing = body[5];
        CopyNameField(t.name, body + 8);
        CopyNameField(t.maskName, body + 40);
        t.rasterFormat = LoadU32(body + 72);
        t.d3dFormat = LoadU32(body + 76);
        t.width = LoadU16(body + 80);
        t.height = LoadU16(body + 82);
        t.depth = body[84];
        t.mipLevelCount = body[85];
        t.rasterType = body[86];
        t.nativeFlags = body[87];
    }
    *out = t;
    return whole;
}

int TextureDxtNumber(const TextureNative& t) {
    if (t.platformId == kTexturePlatformD3D9)
        return DxtNumberOf(t.d3dFormat);
    return t.platformId == kTexturePlatformD3D8 ? t.nativeFlags : 0;
}

namespace {

// Sets the problem's code and the texture's fields known so far; false, for
// returning.
bool Refuse(TextureReadProblem* problem, TextureReadCode code, const TextureNative& t) {
    problem->code = code;
    problem->platformId = t.platformId;
    memcpy(problem->name, t.name, sizeof problem->name);
    problem->width = t.width;
    problem->height = t.height;
    problem->encoding = t.encoding;
    return false;
}

// ParseTextureNative; levelless: only a header of 0 mip levels is taken, and
// read as one of a single level.
bool ParseNative(const uint8_t* body, uint32_t size, TextureNative* out,
                 TextureReadProblem* problem, bool levelless) {
    TextureNative t;
    const bool whole = ParseTextureNativeHeader(body, size, &t);
    if (levelless) {
        if (!whole || t.mipLevelCount != 0)
            return Refuse(problem, TextureReadCode::kLevelCount, t);
        t.mipLevelCount = 1;
    }
    if (size < 4 || (!whole && (t.platformId == kTexturePlatformD3D8 ||
                                t.platformId == kTexturePlatformD3D9))) {
        problem->value = size;
        return Refuse(problem, TextureReadCode::kStructTooShort, t);
    }
    if (t.platformId != kTexturePlatformD3D8 && t.platformId != kTexturePlatformD3D9) {
        problem->value = t.platformId;
        return Refuse(problem, TextureReadCode::kPlatform, t);
    }
    if (t.platformId == kTexturePlatformD3D9)
        t.hasAlpha = (t.nativeFlags & kNativeFlagHasAlpha) != 0;
    else
        t.hasAlpha = t.d3dFormat != 0;
    const int dxt = TextureDxtNumber(t);
    bool known = dxt != 0 ? EncodingOfDxt(dxt, &t.encoding)
                          : EncodingOfRaster(t.rasterFormat, t.depth, &t.encoding);
    if (!known) {
        problem->value = t.rasterFormat;
        problem->detail = dxt != 0 ? static_cast<uint32_t>(dxt) : t.d3dFormat;
        return Refuse(problem, TextureReadCode::kRasterFormat, t);
    }
    // A DXT1 raster of format 1555 keeps its 1-bit alpha.
    if (t.encoding == RasterEncoding::kDxt1 &&
        (t.rasterFormat & kRasterPixelFormatMask) == kRasterFormat1555)
        t.hasAlpha = true;
    if (t.width == 0 || t.height == 0)
        return Refuse(problem, TextureReadCode::kNoPixels, t);
    if (t.mipLevelCount == 0 || t.mipLevelCount > kMaxMipLevels) {
        problem->value = t.mipLevelCount;
        return Refuse(problem, TextureReadCode::kLevelCount, t);
    }

    uint32_t pos = kTextureNativeHeaderSize;
    if (t.encoding == RasterEncoding::kPal8 || t.encoding == RasterEncoding::kPal4) {
        t.paletteEntries =
            t.encoding == RasterEncoding::kPal8 ? kPal8PaletteEntries : kPal4PaletteEntries;
        const uint32_t bytes = t.paletteEntries * kPaletteEntrySize;
        if (bytes > size - pos)
            return Refuse(problem, TextureReadCode::kPalettePastEnd, t);
        t.paletteOffset = pos;
        pos += bytes;
    }
    for (int level = 0; level < t.mipLevelCount; ++level) {
        problem->level = static_cast<uint32_t>(level);
        if (size - pos < kTextureLevelSizeField)
            return Refuse(problem, TextureReadCode::kLevelPastEnd, t);
        const uint32_t declared = LoadU32(body + pos);
        pos += kTextureLevelSizeField;
        const uint64_t needed =
            RasterLevelBytes(t.encoding, MipSide(t.width, level), MipSide(t.height, level));
        problem->value = declared;
        if (declared > size - pos)
            return Refuse(problem, TextureReadCode::kLevelSizePastEnd, t);
        if (declared < needed)
            return Refuse(problem, TextureReadCode::kLevelTooShort, t);
        t.levelOffset[level] = pos;
        t.levelSize[level] = declared;
        pos += declared;
    }
    *out = t;
    return true;
}

} // namespace

bool ParseTextureNative(const uint8_t* body, uint32_t size, TextureNative* out,
                        TextureReadProblem* problem) {
    return ParseNative(body, size, out, problem, false);
}

bool ParseLevellessTextureNative(const uint8_t* body, uint32_t size, TextureNative* out) {
    TextureReadProblem problem;
    return ParseNative(body, size, out, &problem, true);
}
