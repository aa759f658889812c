// Compressed and mipmapped dictionaries: golden DXT1 and DXT3 blocks, the
// raster fields and level sizes of whole chains, and pixels that decode back
// within DXT's error.
#include <math.h>
#include <string.h>

#include <utility>

#include "Plugins/Export/DxtBlocks.h"
#include "Plugins/Export/TextureLevels.h"
#include "format/RasterDecode.h"
#include "format/TextureDictionaryLayout.h"
#include "hostsim/ImageDecode.h"
#include "platform/Platform.h"
#include "tests/export/TxdTest.h"

namespace {

// A block whose two left columns are pure red and two right columns pure
// blue, both exact in 565; alpha runs 0, 17, ... 255 in pixel order.
std::vector<uint8_t> RedBlueBlock() {
    std::vector<uint8_t> rgba(64);
    for (int i = 0; i < 16; ++i) {
        bool red = i % 4 < 2;
        rgba[4 * i + 0] = red ? 255 : 0;
        rgba[4 * i + 2] = red ? 0 : 255;
        rgba[4 * i + 3] = static_cast<uint8_t>(17 * i);
    }
    return rgba;
}

// A whole level of w x h pixels, decoded by the project's reader, as rows of
// blue, green, red, alpha like the source images.
std::vector<uint8_t> DecodeLevel(const std::vector<uint8_t>& bytes, uint32_t w, uint32_t h,
                                 bool dxt3) {
    RasterView view;
    view.encoding = dxt3 ? RasterEncoding::kDxt3 : RasterEncoding::kDxt1;
    view.width = w;
    view.height = h;
    view.pixels = bytes.data();
    view.size = static_cast<uint32_t>(bytes.size());
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    EXPECT_TRUE(DecodeRaster(view, pixels.data()));
    for (size_t i = 0; i < pixels.size(); i += 4)
        std::swap(pixels[i], pixels[i + 2]);
    return pixels;
}

// Peak signal-to-noise ratio over the channels from..to-1 of 4-byte pixels.
double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int from, int to) {
    double sum = 0;
    size_t n = 0;
    for (size_t i = 0; i < a.size(); i += 4)
        for (int c = from; c < to; ++c, ++n) {
            double d = double(a[i + c]) - double(b[i + c]);
            sum += d * d;
        }
    return sum == 0 ? 99.0 : 10.0 * log10(255.0 * 255.0 * double(n) / sum);
}

// Smooth photographic-like content: broad gradients and slow waves.
TestPixel Smooth(int32_t x, int32_t y) {
    double r = 128 + 100 * sin(x / 23.0) * cos(y / 31.0);
    double g = x * 0.6 + y * 0.3 + 20 * sin((x + y) / 17.0);
    double b = 200 - y * 0.5 + 30 * cos(x / 13.0);
    double a = 128 + 120 * sin((x - y) / 40.0);
    return TestPixel{uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(a)};
}

// The source pixels of a test image, top row first, as the dictionary holds them.
std::vector<uint8_t> SourcePixels(int32_t side, bool alpha) {
    std::vector<uint8_t> pixels;
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x) {
            TestPixel p = Smooth(x, y);
            pixels.insert(pixels.end(), {p.b, p.g, p.r, alpha ? p.a : uint8_t(255)});
        }
    return pixels;
}

} // namespace

TEST(DxtBlocks, RedAndBlueMatchGoldenBytes) {
    std::vector<uint8_t> rgba = RedBlueBlock();
    uint8_t dxt1[8], dxt3[16];
    EncodeDxt1Block(rgba.data(), dxt1);
    EncodeDxt3Block(rgba.data(), dxt3);
    // End colours 0xF800 (red) and 0x001F (blue); rows of indices 0 0 1 1.
    const uint8_t colour[8] = {0x00, 0xF8, 0x1F, 0x00, 0x50, 0x50, 0x50, 0x50};
    const uint8_t alpha[8] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};
    EXPECT_EQ(memcmp(dxt1, colour, 8), 0);
    EXPECT_EQ(memcmp(dxt3, alpha, 8), 0);
    EXPECT_EQ(memcmp(dxt3 + 8, colour, 8), 0);
}

TEST(DxtBlocks, MipChainsHalveToOnePixel) {
    EXPECT_EQ(MipLevelCount(1, 1), 1);
    EXPECT_EQ(MipLevelCount(256, 256), 9);
    EXPECT_EQ(MipLevelCount(3, 65535), 16);
    // A 3 x 1 level keeps the mean of its first two pixels.
    uint8_t row[12] = {10, 20, 30, 40, 11, 21, 31, 41, 200, 200, 200, 200};
    HalveMipLevel(row, 3, 1);
    const uint8_t expected[4] = {11, 21, 31, 41};
    EXPECT_EQ(memcmp(row, expected, 4), 0);
}

TEST_F(TxdTest, CompressedChainsDecodeBackWithinDxtError) {
    AddTestImage("photo.bmp", MakeImage(256, 256, 24, Smooth));
    AddTestImage("leaves.bmp", MakeImage(256, 256, 32, Smooth));
    Use({AddMaterial("photo.bmp"), AddMaterial("leaves.bmp")});
    output_ = TextureOutput{true, true};
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 2u);
    for (int t = 0; t < 2; ++t) {
        const ReadTexture& r = d.textures[t];
        bool dxt3 = t == 1;
        EXPECT_EQ(r.rasterFormat, dxt3 ? 0x8300u : 0x8200u);
        EXPECT_EQ(r.d3dFormat, dxt3 ? kD3DFormatDxt3 : kD3DFormatDxt1);
        EXPECT_EQ(r.depth, dxt3 ? 8 : 16);
        EXPECT_EQ(r.nativeFlags, dxt3 ? 0x09 : 0x08);
        EXPECT_EQ(r.maskName, dxt3 ? "leavesa" : "");
        ASSERT_EQ(r.mipLevelCount, 9);
        ASSERT_EQ(r.levels.size(), 8u);
        size_t block = dxt3 ? 16 : 8;
        EXPECT_EQ(r.pixels.size(), 64 * 64 * block);
        for (size_t level = 1; level < 9; ++level) {
            size_t side = 256u >> level, blocks = (side + 3) / 4;
            EXPECT_EQ(r.levels[level - 1].size(), blocks * blocks * block) << level;
        }
        std::vector<uint8_t> source = SourcePixels(256, dxt3);
        std::vector<uint8_t> decoded = DecodeLevel(r.pixels, 256, 256, dxt3);
        double colour = Psnr(source, decoded, 0, 3), alpha = Psnr(source, decoded, 3, 4);
        RecordProperty(r.name + "_psnr", std::to_string(colour));
        EXPECT_GE(colour, 32.0) << r.name;
        if (dxt3) {
            RecordProperty(r.name + "_alpha_psnr", std::to_string(alpha));
            EXPECT_GE(alpha, 30.0);
        }
        // The 1 x 1 level holds the image's mean colour.
        double green = 0;
        for (size_t i = 1; i < source.size(); i += 4)
            green += source[i];
        std::vector<uint8_t> last = DecodeLevel(r.levels.back(), 1, 1, dxt3);
        EXPECT_NEAR(last[1], green / (256 * 256), 3) << r.name;
    }
}

TEST_F(TxdTest, BundledTexturesCompressWithinDxtError) {
    const char* names[] = {"skin.bmp", "shirt.bmp", "jeans.bmp"};
    for (const char* name : names) {
        DibBlocks dib;
        std::string path = std::string(SKELVANE_SOURCE_DIR "/samples/tex/") + name;
        ASSERT_TRUE(DecodeImageFile(path.c_str(), &dib)) << path;
        const uint8_t* h = static_cast<const uint8_t*>(dib.header);
        TestImage image;
        image.header.assign(h, h + kDibHeaderSize);
        const uint8_t* p = static_cast<const uint8_t*>(dib.pixels);
        image.pixels.assign(p, p + LoadU32(h + kDibSizeImage));
        PlatformLocalFree(dib.header);
        PlatformLocalFree(dib.pixels);
        AddTestImage(name, image);
    }
    Use({AddMaterial("skin.bmp"), AddMaterial("shirt.bmp"), AddMaterial("jeans.bmp")});
    ReadDictionary plain = WriteAndRead();
    output_.compress = true;
    ReadDictionary packed = WriteAndRead();
    ASSERT_EQ(packed.textures.size(), 3u);
    for (size_t t = 0; t < 3; ++t) {
        const ReadTexture& r = packed.textures[t];
        bool dxt3 = r.d3dFormat == kD3DFormatDxt3;
        EXPECT_EQ(dxt3, t == 1) << r.name; // the shirt has 32 bits
        std::vector<uint8_t> decoded = DecodeLevel(r.pixels, r.width, r.height, dxt3);
        double colour = Psnr(plain.textures[t].pixels, decoded, 0, 3);
        RecordProperty(r.name + "_psnr", std::to_string(colour));
        EXPECT_GE(colour, 32.0) << r.name;
    }
}
