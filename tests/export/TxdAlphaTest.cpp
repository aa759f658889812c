// Where each texture's alpha comes from: none, an alpha map (any size or
// depth), the image's own fourth byte.
#include "tests/export/TxdTest.h"

namespace {

TestPixel Solid(uint8_t b, uint8_t g, uint8_t r, uint8_t a = 0) {
    return TestPixel{b, g, r, a};
}

// Pixel bytes at picture column x, row y of a read texture.
const uint8_t* PixelAt(const ReadTexture& t, int32_t x, int32_t y) {
    return &t.pixels[(static_cast<size_t>(y) * t.width + static_cast<size_t>(x)) * 4];
}

// A distinct colour per position, so that misplaced rows or columns show.
TestPixel Coded(int32_t x, int32_t y) {
    return TestPixel{static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                     static_cast<uint8_t>(x + y * 16), static_cast<uint8_t>(200 + x)};
}

void ExpectCodedColours(const ReadTexture& t) {
    for (int32_t y = 0; y < t.height; ++y)
        for (int32_t x = 0; x < t.width; ++x) {
            const uint8_t* p = PixelAt(t, x, y);
            EXPECT_EQ(p[0], x) << x << "," << y;
            EXPECT_EQ(p[1], y) << x << "," << y;
            EXPECT_EQ(p[2], x + y * 16) << x << "," << y;
        }
}

} // namespace

TEST_F(TxdTest, WithoutAlphaMapEveryAlphaIsOpaque) {
    AddTestImage("skin.bmp", MakeImage(3, 3, 24, Coded));
    Use({AddMaterial("skin.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    const ReadTexture& t = d.textures[0];
    EXPECT_EQ(t.rasterFormat, 0x600u);
    EXPECT_EQ(t.d3dFormat, 22u);
    EXPECT_EQ(t.nativeFlags, 0);
    EXPECT_EQ(t.maskName, "");
    ExpectCodedColours(t);
    for (size_t i = 3; i < t.pixels.size(); i += 4)
        EXPECT_EQ(t.pixels[i], 255);
}

TEST_F(TxdTest, AlphaMapGivesTheAverageOfItsChannels) {
    AddTestImage("skin.bmp", MakeImage(2, 1, 24, [](int32_t, int32_t) { return Solid(1, 2, 3); }));
    AddTestImage("skin_a.bmp",
                 MakeImage(2, 1, 24, [](int32_t, int32_t) { return Solid(30, 60, 91); }));
    Use({AddMaterial("skin.bmp", "skin_a.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    const ReadTexture& t = d.textures[0];
    EXPECT_EQ(t.rasterFormat, 0x500u);
    EXPECT_EQ(t.d3dFormat, 21u);
    EXPECT_EQ(t.nativeFlags, 1);
    EXPECT_EQ(t.maskName, "skina");
    for (int32_t x = 0; x < 2; ++x) {
        EXPECT_EQ(PixelAt(t, x, 0)[0], 1);
        EXPECT_EQ(PixelAt(t, x, 0)[3], 60);
    }
    // Texture and alpha map are both resolved as texture mapping files.
    EXPECT_EQ(LoadedPaths(), (std::vector<std::string>{"skin.bmp", "skin_a.bmp"}));
    EXPECT_EQ(MappingKinds(), (std::vector<int32_t>{1, 1}));
}

TEST_F(TxdTest, AlphaMapOfThirtyTwoBitsAveragesItsFirstThreeBytes) {
    AddTestImage("skin.bmp", MakeImage(2, 2, 24, Coded));
    AddTestImage("a.bmp", MakeImage(2, 2, 32, [](int32_t x, int32_t y) {
                     return Solid(static_cast<uint8_t>(3 * x), static_cast<uint8_t>(30 * y), 90, 7);
                 }));
    Use({AddMaterial("skin.bmp", "a.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    const ReadTexture& t = d.textures[0];
    ExpectCodedColours(t);
    EXPECT_EQ(PixelAt(t, 0, 0)[3], 30);
    EXPECT_EQ(PixelAt(t, 1, 0)[3], 31);
    EXPECT_EQ(PixelAt(t, 0, 1)[3], 40);
    EXPECT_EQ(PixelAt(t, 1, 1)[3], 41);
}

TEST_F(TxdTest, SmallerAlphaMapIsSampledByNearestNeighbour) {
    AddTestImage("skin.bmp", MakeImage(4, 4, 24, Coded));
    // 2 x 2 map: alpha 10 * (x + 2y) + 10 by map pixel.
    AddTestImage("a.bmp", MakeImage(2, 2, 24, [](int32_t x, int32_t y) {
                     uint8_t v = static_cast<uint8_t>(10 * (x + 2 * y) + 10);
                     return Solid(v, v, v);
                 }));
    Use({AddMaterial("skin.bmp", "a.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    const ReadTexture& t = d.textures[0];
    ExpectCodedColours(t);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(t, x, y)[3], 10 * (x / 2 + 2 * (y / 2)) + 10) << x << "," << y;
}

TEST_F(TxdTest, LargerAlphaMapIsSampledWithinItsBounds) {
    AddTestImage("skin.bmp", MakeImage(2, 2, 24, Coded));
    // 5 x 3 map, odd width so its rows are padded: alpha x + 10 y.
    AddTestImage("a.bmp", MakeImage(5, 3, 24, [](int32_t x, int32_t y) {
                     uint8_t v = static_cast<uint8_t>(x + 10 * y);
                     return Solid(v, v, v);
                 }));
    Use({AddMaterial("skin.bmp", "a.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    const ReadTexture& t = d.textures[0];
    // Column x samples map column x * 5 / 2, row y samples map row y * 3 / 2.
    EXPECT_EQ(PixelAt(t, 0, 0)[3], 0);
    EXPECT_EQ(PixelAt(t, 1, 0)[3], 2);
    EXPECT_EQ(PixelAt(t, 0, 1)[3], 10);
    EXPECT_EQ(PixelAt(t, 1, 1)[3], 12);
}

TEST_F(TxdTest, ThirtyTwoBitImageKeepsItsOwnAlphaAndIgnoresTheAlphaMap) {
    AddTestImage("skin.bmp", MakeImage(3, 2, 32, Coded));
    AddTestImage("a.bmp", MakeImage(3, 2, 24, [](int32_t, int32_t) { return Solid(0, 0, 0); }));
    Use({AddMaterial("skin.bmp", "a.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    const ReadTexture& t = d.textures[0];
    EXPECT_EQ(t.rasterFormat, 0x500u);
    EXPECT_EQ(t.d3dFormat, 21u);
    EXPECT_EQ(t.nativeFlags, 1);
    EXPECT_EQ(t.maskName, "skina");
    ExpectCodedColours(t);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(PixelAt(t, x, y)[3], 200 + x);
    EXPECT_EQ(LoadedPaths(), std::vector<std::string>{"skin.bmp"});
}

TEST_F(TxdTest, AlphaMapThatFailsToLoadLeavesOpaqueAlpha) {
    AddTestImage("skin.bmp", MakeImage(2, 2, 24, Coded));
    Use({AddMaterial("skin.bmp", "gone.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    const ReadTexture& t = d.textures[0];
    EXPECT_EQ(t.rasterFormat, 0x500u);
    EXPECT_EQ(t.d3dFormat, 21u);
    EXPECT_EQ(t.nativeFlags, 1);
    EXPECT_EQ(t.maskName, "skina");
    ExpectCodedColours(t);
    for (size_t i = 3; i < t.pixels.size(); i += 4)
        EXPECT_EQ(t.pixels[i], 255);
    EXPECT_EQ(LoadedPaths(), (std::vector<std::string>{"skin.bmp", "gone.bmp"}));
    EXPECT_FALSE(leftOut_.Any());
}

TEST_F(TxdTest, AlphaMapOfUnsupportedDepthCountsAsNotLoaded) {
    AddTestImage("skin.bmp", MakeImage(2, 2, 24, Coded));
    AddTestImage("a.bmp", MakeHeaderOnly(2, 2, 8, 8, 8));
    Use({AddMaterial("skin.bmp", "a.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    EXPECT_EQ(d.textures[0].nativeFlags, 1);
    for (size_t i = 3; i < d.textures[0].pixels.size(); i += 4)
        EXPECT_EQ(d.textures[0].pixels[i], 255);
}
