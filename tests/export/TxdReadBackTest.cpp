// A dictionary the exporter writes, read back with the dictionary reader and
// decoded: the same pixels the host's images held.
#include <string.h>

#include "format/RasterDecode.h"
#include "format/TextureDictionaryReader.h"
#include "tests/export/TxdTest.h"

namespace {

TestPixel Coded(int32_t x, int32_t y) {
    return TestPixel{static_cast<uint8_t>(x * 40), static_cast<uint8_t>(y * 50),
                     static_cast<uint8_t>(x + y * 16), static_cast<uint8_t>(100 + x + y)};
}

} // namespace

TEST_F(TxdTest, ReaderGivesBackTheExportedPixels) {
    AddTestImage("opaque.bmp", MakeImage(5, 3, 24, Coded));
    AddTestImage("clear.bmp", MakeImage(3, 4, 32, Coded));
    Use({AddMaterial("opaque.bmp"), AddMaterial("clear.bmp")});
    const std::vector<uint8_t> bytes = Write();

    MemoryStream stream(bytes.data(), bytes.size());
    TextureDictionaryReader reader;
    TextureReadProblem problem;
    ASSERT_TRUE(OpenTextureDictionary(reader, stream, &problem)) << static_cast<int>(problem.code);
    HeapArray<uint8_t> body;
    const bool alpha[] = {false, true};
    for (bool hasAlpha : alpha) {
        TextureNative t;
        ASSERT_EQ(TextureReadResult::kTexture, ReadNextTexture(reader, body, &t, &problem))
            << static_cast<int>(problem.code);
        EXPECT_EQ(hasAlpha, t.hasAlpha);
        std::vector<uint8_t> rgba(static_cast<size_t>(t.width) * t.height * 4);
        ASSERT_TRUE(DecodeRaster(TextureLevelView(t, body.Data(), 0), rgba.data()));
        for (int32_t y = 0; y < t.height; ++y)
            for (int32_t x = 0; x < t.width; ++x) {
                const TestPixel c = Coded(x, y);
                const uint8_t want[] = {c.r, c.g, c.b, hasAlpha ? c.a : uint8_t{255}};
                EXPECT_EQ(0, memcmp(want, &rgba[(static_cast<size_t>(y) * t.width + x) * 4], 4))
                    << t.name << " " << x << "," << y;
            }
    }
    EXPECT_EQ(TextureReadResult::kEnd, ReadNextTexture(reader, body, nullptr, &problem));
}
