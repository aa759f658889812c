// Builds texture dictionaries of any platform field, raster format, palette
// and mip levels, for the reader's tests, its fuzz seeds and the txd command.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "tests/format/RasterGolden.h"

struct BuiltTexture {
    uint32_t platformId = kTexturePlatformD3D9;
    std::string name;
    std::string maskName;
    uint32_t rasterFormat = 0;
    uint32_t d3dFormat = 0; // Direct3D 8: the hasAlpha field
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t depth = 0;
    uint8_t nativeFlags = 0; // Direct3D 8: the DXT number
    std::vector<uint8_t> palette;
    std::vector<std::vector<uint8_t>> levels;
    int storedLevelCount = -1; // the header's level count when not levels.size()
};

// The Struct body of one Texture Native.
std::vector<uint8_t> TextureNativeBody(const BuiltTexture& t);
// A whole dictionary file with its sections.
std::vector<uint8_t> TextureDictionaryBytes(const std::vector<BuiltTexture>& textures);

// A Direct3D 9 texture holding a golden raster as its one level.
BuiltTexture GoldenTexture(const RasterGolden& g);
// One texture per golden raster, a Direct3D 8 DXT3 and 8888 texture and a
// DXT1 texture with all its mip levels.
std::vector<BuiltTexture> EveryFormatTextures();
