// The golden rasters: hand-made pixels of every format and the RGBA an
// independent decoder read from them (tests/data/textures/golden.py).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "format/RasterDecode.h"

struct RasterGolden {
    const char* name;
    RasterEncoding encoding;
    uint32_t width;
    uint32_t height;
    bool dxt1Alpha;
    const uint8_t* pixels;
    size_t size;
    uint32_t paletteEntries;
    const uint8_t* rgba;
};

#include "tests/format/RasterGolden.inc"

// The palette the golden rasters use: entry i holds the bytes 4i .. 4i + 3.
inline std::vector<uint8_t> GoldenPalette(uint32_t entries = 256) {
    std::vector<uint8_t> palette(entries * 4);
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<uint8_t>(i);
    return palette;
}
