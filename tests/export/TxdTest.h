// Texture dictionary tests: the simulated host with an image loader that
// hands out images built in memory, materials set up through the host table,
// and a reader that takes a written dictionary apart with the section reader.
#pragma once

#include <gtest/gtest.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "Plugins/Export/ExportResult.h"
#include "Plugins/Export/TextureDictionaryWriter.h"
#include "Plugins/Export/WorkMesh.h"
#include "frame/MQHost.h"

struct TestPixel {
    uint8_t b, g, r, a;
};

// A DIB as the host's loader delivers it: a bitmap information header and
// rows padded to 4 bytes, bottom-up (or top-down for a negative height).
struct TestImage {
    std::vector<uint8_t> header;
    std::vector<uint8_t> pixels;
};

// pixelAt(x, y) gives the pixel at column x of picture row y (0 = top). For
// 24 bits the a channel is dropped. Padding bytes are filled with 0xEE.
template <typename F>
TestImage MakeImage(int32_t width, int32_t height, uint16_t bitCount, F pixelAt);
TestImage MakeHeaderOnly(int32_t width, int32_t height, uint16_t bitCount, uint32_t sizeImage,
                         size_t pixelBytes);

// The images the loader knows, by the path it is asked for (the name itself:
// the mapping call used in these tests returns the name unchanged).
void AddTestImage(const std::string& path, const TestImage& image);
// Every path the loader was asked for, and every mapping kind asked for.
const std::vector<std::string>& LoadedPaths();
const std::vector<int32_t>& MappingKinds();

struct ShownMessage {
    std::string text; // UTF-8
    std::string caption;
    uint32_t style;
};

// The names of the textures left out because their image did not load; one
// left out for another reason is given as "(reason N) NAME", those beyond
// the list as "(N more)".
std::vector<std::string> LeftOutNames(const TexturesLeftOut& leftOut);

// One Texture Native as read back.
struct ReadTexture {
    uint32_t platformId = 0;
    uint16_t filterAddressing = 0;
    uint16_t padding = 0;
    std::string name;
    std::string maskName;
    std::vector<uint8_t> nameField;
    std::vector<uint8_t> maskField;
    uint32_t rasterFormat = 0;
    uint32_t d3dFormat = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t depth = 0;
    uint8_t mipLevelCount = 0;
    uint8_t rasterType = 0;
    uint8_t nativeFlags = 0;
    uint32_t dataSize = 0;
    std::vector<uint8_t> pixels;              // the first level
    std::vector<std::vector<uint8_t>> levels; // every further level
};

// A dictionary as read back with the section reader. problems lists every
// way the bytes depart from a well-formed dictionary (a section left open,
// sizes that do not add up, a missing Extension, trailing bytes...).
struct ReadDictionary {
    uint16_t textureCount = 0;
    uint16_t deviceId = 0;
    std::vector<ReadTexture> textures;
    std::vector<std::string> problems;
};
ReadDictionary ReadTxd(const std::vector<uint8_t>& bytes);

class TxdTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a material to the document; returns its index.
    int32_t AddMaterial(const char* texture, const char* alphaMap = "");
    // Marks materials used by exported faces (the others stay unused).
    void Use(std::initializer_list<int32_t> materials);
    // Builds the texture list and writes the dictionary into memory (textures
    // left out go to leftOut_).
    std::vector<uint8_t> Write();
    // Write() read back; fails the test when the file is not well-formed.
    ReadDictionary WriteAndRead();

    HostDocument doc_ = 0;
    UsedMaterialMap used_;
    TextureOutput output_; // how Write() stores the textures
    // The steps show no message themselves: showing any fails the test.
    std::vector<ShownMessage> messages_;
    TexturesLeftOut leftOut_;
    // Unless a test expects textures left out, any fails it.
    bool expectLeftOut_ = false;
};

template <typename F>
TestImage MakeImage(int32_t width, int32_t height, uint16_t bitCount, F pixelAt) {
    int32_t rows = height < 0 ? -height : height;
    size_t bytesPerPixel = bitCount / 8u;
    size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    TestImage image = MakeHeaderOnly(width, height, bitCount,
                                     static_cast<uint32_t>(stride * static_cast<size_t>(rows)),
                                     stride * static_cast<size_t>(rows));
    for (int32_t y = 0; y < rows; ++y) {
        size_t row = static_cast<size_t>(height < 0 ? y : rows - 1 - y);
        uint8_t* p = image.pixels.data() + row * stride;
        for (int32_t x = 0; x < width; ++x, p += bytesPerPixel) {
            TestPixel c = pixelAt(x, y);
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
            if (bytesPerPixel == 4)
                p[3] = c.a;
        }
    }
    return image;
}
