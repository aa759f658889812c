// Pixel decoding against golden rasters: hand-made bytes of every format and
// the pixels an independent decoder (ImageMagick) read from the same bytes.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "format/RasterDecode.h"
#include "tests/format/RasterGolden.h"

namespace {

RasterView ViewOf(const RasterGolden& g, const std::vector<uint8_t>& palette) {
    RasterView v;
    v.encoding = g.encoding;
    v.width = g.width;
    v.height = g.height;
    v.dxt1Alpha = g.dxt1Alpha;
    v.pixels = g.pixels;
    v.size = static_cast<uint32_t>(g.size);
    if (g.paletteEntries > 0) {
        v.palette = palette.data();
        v.paletteEntries = g.paletteEntries;
    }
    return v;
}

TEST(RasterDecode, EveryFormatGivesTheIndependentDecodersPixels) {
    const std::vector<uint8_t> palette = GoldenPalette();
    for (const RasterGolden& g : kRasterGoldens) {
        SCOPED_TRACE(g.name);
        const size_t bytes = static_cast<size_t>(g.width) * g.height * 4;
        std::vector<uint8_t> rgba(bytes, 0xCD);
        ASSERT_TRUE(DecodeRaster(ViewOf(g, palette), rgba.data()));
        EXPECT_EQ(0, memcmp(rgba.data(), g.rgba, bytes));
        EXPECT_EQ(g.size, RasterLevelBytes(g.encoding, g.width, g.height));
    }
}

TEST(RasterDecode, RefusesShortLevelsAndIndicesOutsideThePalette) {
    const std::vector<uint8_t> palette = GoldenPalette();
    std::vector<uint8_t> rgba(64 * 4);
    for (const RasterGolden& g : kRasterGoldens) {
        SCOPED_TRACE(g.name);
        RasterView v = ViewOf(g, palette);
        v.size -= 1;
        EXPECT_FALSE(DecodeRaster(v, rgba.data()));
    }
    const uint8_t indices[] = {0, 32};
    RasterView pal4;
    pal4.encoding = RasterEncoding::kPal4;
    pal4.width = 2;
    pal4.height = 1;
    pal4.pixels = indices;
    pal4.size = sizeof indices;
    pal4.palette = palette.data();
    pal4.paletteEntries = 32;
    EXPECT_FALSE(DecodeRaster(pal4, rgba.data()));
    pal4.palette = nullptr;
    pal4.width = 1;
    EXPECT_FALSE(DecodeRaster(pal4, rgba.data()));
}

TEST(RasterDecode, TranslucencyIsAnyAlphaBelow255) {
    uint8_t rgba[] = {1, 2, 3, 255, 4, 5, 6, 255};
    EXPECT_FALSE(HasTranslucentPixel(rgba, 2, 1));
    rgba[7] = 254;
    EXPECT_TRUE(HasTranslucentPixel(rgba, 2, 1));
}

} // namespace
