// MQ_LoadImage: decoded pictures arrive as a bitmap information header and
// bottom-up BGR(A) rows padded to 4 bytes, released with the local free.
#include <gtest/gtest.h>

#include <stdio.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "hostsim/HostExports.h"
#include "hostsim/ImageDecode.h"
#include "platform/Platform.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

// A picture as tests/data/images/make_images.py draws it, top row first.
struct Picture {
    const char* file;
    int32_t width;
    int32_t height;
    int bitCount;
    std::vector<Rgba> topDown;
};

const Picture kPictures[] = {
    {"rgb_3x2.bmp",
     3,
     2,
     24,
     {{255, 0, 0, 255},
      {0, 255, 0, 255},
      {0, 0, 255, 255},
      {10, 20, 30, 255},
      {40, 50, 60, 255},
      {70, 80, 90, 255}}},
    {"rgb_3x2.png",
     3,
     2,
     24,
     {{255, 0, 0, 255},
      {0, 255, 0, 255},
      {0, 0, 255, 255},
      {10, 20, 30, 255},
      {40, 50, 60, 255},
      {70, 80, 90, 255}}},
    {"rgba_2x2.tga", 2, 2, 32, {{255, 0, 0, 128}, {0, 255, 0, 255}, {0, 0, 255, 0}, {1, 2, 3, 4}}},
    {"rgba_2x2.png", 2, 2, 32, {{255, 0, 0, 128}, {0, 255, 0, 255}, {0, 0, 255, 0}, {1, 2, 3, 4}}},
    {"grey_alpha_1x2.png", 1, 2, 32, {{100, 100, 100, 200}, {50, 50, 50, 25}}},
    {"grey_2x1.png", 2, 1, 24, {{7, 7, 7, 255}, {250, 250, 250, 255}}},
};

uint32_t Le32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

std::string DataPath(const char* name) {
    return std::string(SKELVANE_TEST_DATA_DIR "/images/") + name;
}

// Both blocks of one loaded image, released at the end of the test.
struct LoadedImage {
    explicit LoadedImage(const std::string& path) {
        loaded = MQ_LoadImage(path.c_str(), &header, &pixels, 0);
    }
    ~LoadedImage() {
        PlatformLocalFree(header);
        PlatformLocalFree(pixels);
    }
    const uint8_t* h() const { return static_cast<const uint8_t*>(header); }
    const uint8_t* p() const { return static_cast<const uint8_t*>(pixels); }
    HostBool loaded = 0;
    void* header = reinterpret_cast<void*>(1);
    void* pixels = reinterpret_cast<void*>(1);
};

void ExpectDib(const LoadedImage& image, const Picture& picture) {
    ASSERT_EQ(image.loaded, 1);
    ASSERT_NE(image.header, nullptr);
    ASSERT_NE(image.pixels, nullptr);
    const uint8_t* h = image.h();
    uint32_t pixelBytes = static_cast<uint32_t>(picture.bitCount / 8);
    uint32_t rowSize = (static_cast<uint32_t>(picture.width) * pixelBytes + 3) / 4 * 4;
    EXPECT_EQ(Le32(h), 40u);
    EXPECT_EQ(static_cast<int32_t>(Le32(h + 4)), picture.width);
    EXPECT_EQ(static_cast<int32_t>(Le32(h + 8)), picture.height);
    EXPECT_EQ(Le16(h + 12), 1);
    EXPECT_EQ(Le16(h + 14), picture.bitCount);
    EXPECT_EQ(Le32(h + 16), 0u);
    EXPECT_EQ(Le32(h + 20), rowSize * static_cast<uint32_t>(picture.height));
    for (int32_t y = 0; y < picture.height; ++y) {
        // Row 0 of the block is the bottom row of the picture.
        const uint8_t* row = image.p() + static_cast<size_t>(picture.height - 1 - y) * rowSize;
        for (int32_t x = 0; x < picture.width; ++x) {
            const Rgba& want = picture.topDown[static_cast<size_t>(y * picture.width + x)];
            const uint8_t* px = row + x * pixelBytes;
            EXPECT_EQ(px[0], want.b) << picture.file << " " << x << "," << y;
            EXPECT_EQ(px[1], want.g) << picture.file << " " << x << "," << y;
            EXPECT_EQ(px[2], want.r) << picture.file << " " << x << "," << y;
            if (picture.bitCount == 32) {
                EXPECT_EQ(px[3], want.a) << picture.file << " " << x << "," << y;
            }
        }
        for (uint32_t pad = static_cast<uint32_t>(picture.width) * pixelBytes; pad < rowSize;
             ++pad) {
            EXPECT_EQ(row[pad], 0) << picture.file << " padding of row " << y;
        }
    }
}

TEST(ImageDecodeTest, CommittedPicturesDecodeBottomUpInBgrOrder) {
    for (const Picture& picture : kPictures) {
        SCOPED_TRACE(picture.file);
        LoadedImage image(DataPath(picture.file));
        ExpectDib(image, picture);
    }
}

TEST(ImageDecodeTest, JpegFilesDecode) {
    // Two solid 8 x 8 blocks: JPEG is lossy, so colours come back nearly exact.
    LoadedImage image(DataPath("two_blocks_8x16.jpg"));
    ASSERT_EQ(image.loaded, 1);
    EXPECT_EQ(static_cast<int32_t>(Le32(image.h() + 4)), 8);
    EXPECT_EQ(static_cast<int32_t>(Le32(image.h() + 8)), 16);
    EXPECT_EQ(Le16(image.h() + 14), 24);
    for (int row = 0; row < 16; ++row) {
        // Bottom-up: rows 0 to 7 of the block are the picture's bottom block.
        const Rgba want = row < 8 ? Rgba{30, 160, 220, 255} : Rgba{200, 100, 50, 255};
        for (int x = 0; x < 8; ++x) {
            const uint8_t* px = image.p() + row * 24 + x * 3; // 24 bytes a row, no padding
            EXPECT_NEAR(px[0], want.b, 3) << row << "," << x;
            EXPECT_NEAR(px[1], want.g, 3) << row << "," << x;
            EXPECT_NEAR(px[2], want.r, 3) << row << "," << x;
        }
    }
}

TEST(ImageDecodeTest, UnreadableFilesFailWithNullOutputs) {
    for (const std::string& path :
         {DataPath("missing.png"), DataPath("truncated.png"), DataPath("make_images.py"),
          std::string(SKELVANE_TEST_DATA_DIR), std::string()}) {
        LoadedImage image(path);
        EXPECT_EQ(image.loaded, 0) << path;
        EXPECT_EQ(image.header, nullptr) << path;
        EXPECT_EQ(image.pixels, nullptr) << path;
    }
    void* header = nullptr;
    EXPECT_EQ(MQ_LoadImage(DataPath("rgb_3x2.bmp").c_str(), &header, nullptr, 0), 0);
    EXPECT_EQ(header, nullptr);
}

TEST(ImageDecodeTest, RowsArePaddedToFourBytes) {
    EXPECT_EQ(DibRowSize(1, 24), 4u);
    EXPECT_EQ(DibRowSize(3, 24), 12u);
    EXPECT_EQ(DibRowSize(4, 24), 12u);
    EXPECT_EQ(DibRowSize(5, 24), 16u);
    EXPECT_EQ(DibRowSize(3, 32), 12u);
    EXPECT_EQ(DibRowSize(kDibMaxSide, 32), 4u * kDibMaxSide);
    EXPECT_EQ(DibRowSize(0, 24), 0u);
    EXPECT_EQ(DibRowSize(-1, 24), 0u);
    EXPECT_EQ(DibRowSize(kDibMaxSide + 1, 24), 0u);
    EXPECT_EQ(DibRowSize(4, 16), 0u);
}

TEST(ImageDecodeTest, AbsurdPicturesAreRefusedBeforeAnyAllocation) {
    const uint8_t sample[4] = {1, 2, 3, 4};
    DibBlocks out;
    // Sizes that would need gigabytes; the samples are never read.
    EXPECT_FALSE(MakeDib(sample, kDibMaxSide, kDibMaxSide, 4, &out));
    EXPECT_FALSE(MakeDib(sample, 0x40000000, 1, 3, &out));
    EXPECT_FALSE(MakeDib(sample, 1, -1, 3, &out));
    EXPECT_FALSE(MakeDib(sample, 1, 1, 5, &out));
    EXPECT_FALSE(MakeDib(sample, 1, 1, 0, &out));
    EXPECT_FALSE(MakeDib(nullptr, 1, 1, 3, &out));
    EXPECT_EQ(out.header, nullptr);
    EXPECT_EQ(out.pixels, nullptr);
    ASSERT_TRUE(MakeDib(sample, 1, 1, 4, &out));
    const uint8_t* px = static_cast<const uint8_t*>(out.pixels);
    EXPECT_EQ(px[0], 3);
    EXPECT_EQ(px[2], 1);
    EXPECT_EQ(px[3], 4);
    PlatformLocalFree(out.header);
    PlatformLocalFree(out.pixels);
}

// A 24-bit BMP file of width x height, every pixel blue 1, green 2, red 3.
std::vector<uint8_t> FlatBmp(int32_t width, int32_t height) {
    uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<uint8_t> file(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&file](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                file[54 + static_cast<size_t>(y) * stride + 3 * static_cast<size_t>(x) + c] =
                    static_cast<uint8_t>(c + 1);
    return file;
}

// Decodes a BMP of the given size from a temporary file.
bool DecodeFlatBmp(int32_t width, int32_t height, DibBlocks* out) {
    char path[] = "/tmp/skelvane-bmp-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return false;
    std::vector<uint8_t> file = FlatBmp(width, height);
    bool written = write(fd, file.data(), file.size()) == static_cast<ssize_t>(file.size());
    close(fd);
    bool decoded = written && DecodeImageFile(path, out);
    unlink(path);
    return decoded;
}

TEST(ImageDecodeTest, SidesUpToTheDictionaryLimitAreDecoded) {
    for (int32_t side : {65535, 65536}) {
        for (bool wide : {true, false}) {
            DibBlocks out;
            bool decoded = DecodeFlatBmp(wide ? side : 1, wide ? 1 : side, &out);
            EXPECT_EQ(decoded, side <= 65535) << side << (wide ? " wide" : " tall");
            if (!decoded)
                continue;
            const uint8_t* h = static_cast<const uint8_t*>(out.header);
            const uint8_t* last = static_cast<const uint8_t*>(out.pixels) +
                                  (wide ? 3 * static_cast<size_t>(side - 1) : 4 * (side - 1));
            EXPECT_EQ(h[kDibWidth] | h[kDibWidth + 1] << 8, wide ? 65535 : 1);
            EXPECT_EQ(last[0] + 10 * last[1] + 100 * last[2], 321);
            PlatformLocalFree(out.header);
            PlatformLocalFree(out.pixels);
        }
    }
}

} // namespace
