#include "tests/format/TxdBuilder.h"

#include <string.h>

#include "format/ByteStream.h"
#include "format/SectionWriter.h"

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutName(std::vector<uint8_t>& out, const std::string& name) {
    uint8_t field[kTextureNameFieldSize] = {};
    memcpy(field, name.data(), name.size() < 31 ? name.size() : 31);
    out.insert(out.end(), field, field + sizeof field);
}

struct FormatFields {
    uint32_t rasterFormat;
    uint32_t d3dFormat;
    uint8_t depth;
    uint8_t flags;
};

FormatFields D3D9FieldsOf(RasterEncoding e, bool dxt1Alpha) {
    switch (e) {
    case RasterEncoding::kDxt1:
        return dxt1Alpha ? FormatFields{kRasterFormat1555, kD3DFormatDxt1, 16, 0x09}
                         : FormatFields{kRasterFormat565, kD3DFormatDxt1, 16, 0x08};
    case RasterEncoding::kDxt3:
        return {kRasterFormat4444, kD3DFormatDxt3, 16, 0x09};
    case RasterEncoding::kDxt5:
        return {kRasterFormat4444, kD3DFormatDxt5, 16, 0x09};
    case RasterEncoding::kB8G8R8A8:
        return {kRasterFormat8888, kD3DFormatA8R8G8B8, 32, 1};
    case RasterEncoding::kB8G8R8X8:
        return {kRasterFormat888, kD3DFormatX8R8G8B8, 32, 0};
    case RasterEncoding::kB8G8R8:
        return {kRasterFormat888, kD3DFormatR8G8B8, 24, 0};
    case RasterEncoding::kA1R5G5B5:
        return {kRasterFormat1555, 25, 16, 1};
    case RasterEncoding::kR5G6B5:
        return {kRasterFormat565, 23, 16, 0};
    case RasterEncoding::kA4R4G4B4:
        return {kRasterFormat4444, 26, 16, 1};
    case RasterEncoding::kX1R5G5B5:
        return {kRasterFormat555, 24, 16, 0};
    case RasterEncoding::kL8:
        return {kRasterFormatLum8, 50, 8, 0};
    case RasterEncoding::kPal8:
        return {kRasterFormatPal8 | kRasterFormat8888, 41, 8, 1};
    case RasterEncoding::kPal4:
        return {kRasterFormatPal4 | kRasterFormat8888, 41, 4, 1};
    }
    return {};
}

} // namespace

std::vector<uint8_t> TextureNativeBody(const BuiltTexture& t) {
    std::vector<uint8_t> out;
    Put32(out, t.platformId);
    out.push_back(kTextureFilterNearest);
    out.push_back(kTextureAddressWrapBoth);
    out.push_back(0);
    out.push_back(0);
    PutName(out, t.name);
    PutName(out, t.maskName);
    Put32(out, t.rasterFormat);
    Put32(out, t.d3dFormat);
    out.push_back(static_cast<uint8_t>(t.width));
    out.push_back(static_cast<uint8_t>(t.width >> 8));
    out.push_back(static_cast<uint8_t>(t.height));
    out.push_back(static_cast<uint8_t>(t.height >> 8));
    out.push_back(t.depth);
    out.push_back(static_cast<uint8_t>(
        t.storedLevelCount >= 0 ? t.storedLevelCount : static_cast<int>(t.levels.size())));
    out.push_back(kRasterTypeTexture);
    out.push_back(t.nativeFlags);
    out.insert(out.end(), t.palette.begin(), t.palette.end());
    for (const std::vector<uint8_t>& level : t.levels) {
        Put32(out, static_cast<uint32_t>(level.size()));
        out.insert(out.end(), level.begin(), level.end());
    }
    return out;
}

std::vector<uint8_t> TextureDictionaryBytes(const std::vector<BuiltTexture>& textures) {
    MemoryStream s;
    SectionStack stack;
    BeginSection(s, stack, kSectionTextureDictionary);
    BeginSection(s, stack, kSectionStruct);
    WriteTextureDictionaryStruct(
        s, TextureDictionaryStruct{static_cast<uint16_t>(textures.size()), kTextureDeviceD3D9});
    EndSection(s, stack);
    for (const BuiltTexture& t : textures) {
        BeginSection(s, stack, kSectionTextureNative);
        std::vector<uint8_t> body = TextureNativeBody(t);
        WriteSection(s, kSectionStruct, body.data(), static_cast<uint32_t>(body.size()));
        WriteEmptyExtension(s);
        EndSection(s, stack);
    }
    WriteEmptyExtension(s);
    EndSection(s, stack);
    return s.Data();
}

BuiltTexture GoldenTexture(const RasterGolden& g) {
    const FormatFields f = D3D9FieldsOf(g.encoding, g.dxt1Alpha);
    BuiltTexture t;
    t.name = g.name;
    t.maskName = f.flags & kNativeFlagHasAlpha ? t.name + "a" : "";
    t.rasterFormat = f.rasterFormat;
    t.d3dFormat = f.d3dFormat;
    t.width = static_cast<uint16_t>(g.width);
    t.height = static_cast<uint16_t>(g.height);
    t.depth = f.depth;
    t.nativeFlags = f.flags;
    if (g.paletteEntries > 0)
        t.palette = GoldenPalette(g.paletteEntries);
    t.levels.emplace_back(g.pixels, g.pixels + g.size);
    return t;
}

std::vector<BuiltTexture> EveryFormatTextures() {
    std::vector<BuiltTexture> textures;
    for (const RasterGolden& g : kRasterGoldens) {
        textures.push_back(GoldenTexture(g));
        if (g.encoding == RasterEncoding::kDxt3 || g.encoding == RasterEncoding::kB8G8R8A8) {
            // The same raster as a Direct3D 8 texture: hasAlpha and the DXT number.
            BuiltTexture d3d8 = GoldenTexture(g);
            d3d8.platformId = kTexturePlatformD3D8;
            d3d8.name = std::string(g.name) + "_d3d8";
            d3d8.d3dFormat = 1;
            d3d8.nativeFlags = g.encoding == RasterEncoding::kDxt3 ? 3 : 0;
            textures.push_back(d3d8);
        }
    }
    // 8 x 4 DXT1 in four levels (8x4, 4x2, 2x1, 1x1): one block each below the first.
    BuiltTexture mips = GoldenTexture(kRasterGoldens[0]);
    mips.name = "dxt1_mips";
    mips.rasterFormat |= kRasterFormatMipmap;
    for (int level = 1; level < 4; ++level)
        mips.levels.emplace_back(kRasterGoldens[0].pixels, kRasterGoldens[0].pixels + 8);
    textures.push_back(mips);
    return textures;
}
