// Whole dictionaries compared byte for byte with hand-laid files.
#include <string.h>

#include "tests/export/TxdTest.h"

namespace {

#define STAMP 0xFF, 0xFF, 0x03, 0x18
#define ZERO8 0, 0, 0, 0, 0, 0, 0, 0
#define ZERO28 ZERO8, ZERO8, ZERO8, 0, 0, 0, 0

// One 2 x 2 texture "body" without alpha. Picture rows: top (7 8 9)
// (10 11 12), bottom (1 2 3) (4 5 6), as blue, green, red.
// clang-format off
const uint8_t kOpaqueBody[] = {
    // Texture Dictionary, 172 bytes
    0x16, 0, 0, 0, 0xAC, 0, 0, 0, STAMP,
    // Struct: textureCount 1, deviceId 2
    0x01, 0, 0, 0, 4, 0, 0, 0, STAMP, 1, 0, 2, 0,
    // Texture Native, 132 bytes
    0x15, 0, 0, 0, 0x84, 0, 0, 0, STAMP,
    // Struct, 108 bytes
    0x01, 0, 0, 0, 0x6C, 0, 0, 0, STAMP,
    // platformId 9, filter 1, addressing 0x11, padding
    9, 0, 0, 0, 0x01, 0x11, 0, 0,
    // name "body", maskName empty
    'b', 'o', 'd', 'y', ZERO28, ZERO8, ZERO8, ZERO8, ZERO8,
    // rasterFormat 0x600, d3dFormat 22, width 2, height 2
    0x00, 0x06, 0, 0, 22, 0, 0, 0, 2, 0, 2, 0,
    // depth 32, one mip level, raster type 4, flags 0, dataSize 16
    32, 1, 4, 0, 16, 0, 0, 0,
    // pixels, top row first
    7, 8, 9, 255, 10, 11, 12, 255, 1, 2, 3, 255, 4, 5, 6, 255,
    // the Texture Native's Extension, the dictionary's Extension
    0x03, 0, 0, 0, 0, 0, 0, 0, STAMP, 0x03, 0, 0, 0, 0, 0, 0, 0, STAMP};
// clang-format on

// The same with an alpha map whose pixels average to 10, 20 (top) and 30,
// 40 (bottom): format 0x500, d3dFormat 21, flags 1, mask "bodya".
std::vector<uint8_t> AlphaBodyBytes() {
    std::vector<uint8_t> bytes(kOpaqueBody, kOpaqueBody + sizeof kOpaqueBody);
    const size_t body = 52;
    bytes[body + 40 + 0] = 'b';
    bytes[body + 40 + 1] = 'o';
    bytes[body + 40 + 2] = 'd';
    bytes[body + 40 + 3] = 'y';
    bytes[body + 40 + 4] = 'a';
    bytes[body + 72 + 1] = 0x05;
    bytes[body + 76] = 21;
    bytes[body + 87] = 1;
    const uint8_t alpha[4] = {10, 20, 30, 40};
    for (size_t i = 0; i < 4; ++i)
        bytes[body + 92 + i * 4 + 3] = alpha[i];
    return bytes;
}

TestPixel BodyPixel(int32_t x, int32_t y) {
    uint8_t first = static_cast<uint8_t>(y == 0 ? 7 + 3 * x : 1 + 3 * x);
    return TestPixel{first, static_cast<uint8_t>(first + 1), static_cast<uint8_t>(first + 2), 0};
}

// Grey levels whose three channels average to 10, 20, 30, 40 in picture order.
TestPixel BodyAlpha(int32_t x, int32_t y) {
    uint8_t v = static_cast<uint8_t>(10 + 10 * x + 20 * y);
    return TestPixel{static_cast<uint8_t>(v - 1), v, static_cast<uint8_t>(v + 1), 0};
}

} // namespace

TEST_F(TxdTest, OpaqueTextureMatchesGoldenBytes) {
    AddTestImage("maps\\body.bmp", MakeImage(2, 2, 24, BodyPixel));
    Use({AddMaterial("maps\\body.bmp")});
    std::vector<uint8_t> bytes = Write();
    ASSERT_EQ(bytes.size(), sizeof kOpaqueBody);
    EXPECT_EQ(memcmp(bytes.data(), kOpaqueBody, sizeof kOpaqueBody), 0);
    EXPECT_FALSE(leftOut_.Any());
}

TEST_F(TxdTest, AlphaMappedTextureMatchesGoldenBytes) {
    AddTestImage("maps\\body.bmp", MakeImage(2, 2, 24, BodyPixel));
    AddTestImage("body_a.bmp", MakeImage(2, 2, 24, BodyAlpha));
    Use({AddMaterial("maps\\body.bmp", "body_a.bmp")});
    EXPECT_EQ(Write(), AlphaBodyBytes());
    EXPECT_FALSE(leftOut_.Any());
}

TEST_F(TxdTest, DictionaryWithoutTexturesIsFortyBytes) {
    // clang-format off
    const uint8_t expected[] = {
        0x16, 0, 0, 0, 28, 0, 0, 0, STAMP,
        0x01, 0, 0, 0, 4, 0, 0, 0, STAMP, 0, 0, 2, 0,
        0x03, 0, 0, 0, 0, 0, 0, 0, STAMP};
    // clang-format on
    // A texture on a material no face uses, and a used material without one.
    AddTestImage("skin.bmp", MakeImage(2, 2, 24, BodyPixel));
    AddMaterial("skin.bmp");
    Use({AddMaterial("")});
    std::vector<uint8_t> bytes = Write();
    ASSERT_EQ(bytes.size(), 40u);
    EXPECT_EQ(memcmp(bytes.data(), expected, sizeof expected), 0);
    EXPECT_TRUE(LoadedPaths().empty());
}

TEST_F(TxdTest, MipChainOfTwoLevelsMatchesGoldenBytes) {
    // The 2 x 2 body and its 1 x 1 level, the rounded mean of the four
    // pixels: blue (7 + 10 + 1 + 4 + 2) / 4 = 6, green 7, red 8.
    std::vector<uint8_t> expected(kOpaqueBody, kOpaqueBody + sizeof kOpaqueBody);
    const size_t body = 52;
    const uint8_t level1[] = {4, 0, 0, 0, 6, 7, 8, 255};
    expected.insert(expected.begin() + body + 92 + 16, level1, level1 + sizeof level1);
    expected[4] += 8;           // the dictionary
    expected[32] += 8;          // the Texture Native
    expected[44] += 8;          // its Struct
    expected[body + 73] = 0x86; // rasterFormat 0x8600: 888 with mipmaps
    expected[body + 85] = 2;    // mipLevelCount
    AddTestImage("maps\\body.bmp", MakeImage(2, 2, 24, BodyPixel));
    Use({AddMaterial("maps\\body.bmp")});
    output_.mipmaps = true;
    EXPECT_EQ(Write(), expected);
}
