// Which textures the dictionary holds, their names and rows, and what
// happens to images that cannot be loaded or held.
#include "tests/export/TxdTest.h"

namespace {

TestPixel Coded(int32_t x, int32_t y) {
    return TestPixel{static_cast<uint8_t>(x + 1), static_cast<uint8_t>(y + 1),
                     static_cast<uint8_t>(16 * x + y), 0};
}

// The pixels Coded gives for a width x height texture, top row first.
std::vector<uint8_t> CodedPixels(int32_t width, int32_t height) {
    std::vector<uint8_t> bytes;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            TestPixel p = Coded(x, y);
            bytes.insert(bytes.end(), {p.b, p.g, p.r, 255});
        }
    return bytes;
}

std::vector<std::string> Names(const ReadDictionary& d) {
    std::vector<std::string> names;
    for (const ReadTexture& t : d.textures)
        names.push_back(t.name);
    return names;
}

} // namespace

TEST_F(TxdTest, OddWidthRowsSkipTheirPadding) {
    // 3 pixels of 3 bytes: 9 bytes of colour and 3 of padding per row.
    AddTestImage("skin.bmp", MakeImage(3, 2, 24, Coded));
    Use({AddMaterial("skin.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    EXPECT_EQ(d.textures[0].pixels, CodedPixels(3, 2));
}

TEST_F(TxdTest, TopDownImageKeepsItsRowOrder) {
    AddTestImage("skin.bmp", MakeImage(3, -4, 24, Coded));
    Use({AddMaterial("skin.bmp")});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 1u);
    EXPECT_EQ(d.textures[0].height, 4);
    EXPECT_EQ(d.textures[0].pixels, CodedPixels(3, 4));
}

TEST_F(TxdTest, NamesDropFoldersAndExtensionAndAreCutToFit) {
    const char* longName = "abcdefghijklmnopqrstuvwxyz0123456789.bmp"; // 36 before the period
    AddTestImage("maps\\skin.v2.bmp", MakeImage(1, 1, 24, Coded));
    AddTestImage(longName, MakeImage(1, 1, 32, Coded));
    Use({AddMaterial("maps\\skin.v2.bmp"), AddMaterial(longName)});
    ReadDictionary d = WriteAndRead();
    ASSERT_EQ(d.textures.size(), 2u);
    EXPECT_EQ(d.textures[0].name, "skin.v2");
    EXPECT_EQ(d.textures[1].name, "abcdefghijklmnopqrstuvwxyz01234");
    EXPECT_EQ(d.textures[1].maskName, "abcdefghijklmnopqrstuvwxyz0123a");
    // The filler after the terminator is zero.
    for (size_t i = 7; i < 32; ++i)
        EXPECT_EQ(d.textures[0].nameField[i], 0);
    for (uint8_t c : d.textures[0].maskField)
        EXPECT_EQ(c, 0);
}

TEST_F(TxdTest, TexturesFollowMaterialOrderAndSkipUnusedOrUntextured) {
    AddTestImage("b.bmp", MakeImage(1, 1, 24, Coded));
    AddTestImage("c.bmp", MakeImage(1, 1, 24, Coded));
    AddTestImage("a.bmp", MakeImage(1, 1, 24, Coded));
    int32_t b = AddMaterial("b.bmp");
    int32_t unused = AddMaterial("c.bmp");
    int32_t plain = AddMaterial("");
    int32_t a = AddMaterial("a.bmp");
    (void)unused;
    Use({a, plain, b, -1});
    ReadDictionary d = WriteAndRead();
    EXPECT_EQ(d.textureCount, 2);
    EXPECT_EQ(Names(d), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(LoadedPaths(), (std::vector<std::string>{"b.bmp", "a.bmp"}));
}

TEST_F(TxdTest, NamesDifferingOnlyInCaseGiveOneEntry) {
    AddTestImage("Skin.BMP", MakeImage(1, 1, 24, Coded));
    AddTestImage("a.bmp", MakeImage(1, 1, 24, Coded));
    int32_t first = AddMaterial("Skin.BMP", "A.bmp");
    int32_t second = AddMaterial("skin.bmp", "a.BMP");
    int32_t third = AddMaterial("SKIN.bmp", "A.BMP");
    // Without alpha maps (both empty) the same holds.
    AddTestImage("skin.BMP", MakeImage(1, 1, 24, Coded));
    int32_t fourth = AddMaterial("skin.BMP");
    int32_t fifth = AddMaterial("SKIN.BMP");
    Use({first, second, third, fourth, fifth});
    ReadDictionary d = WriteAndRead();
    EXPECT_EQ(Names(d), (std::vector<std::string>{"Skin", "skin"}));
}

TEST_F(TxdTest, DifferentAlphaMapsGiveEntriesOfTheSameName) {
    AddTestImage("skin.bmp", MakeImage(1, 1, 24, Coded));
    AddTestImage("SKIN.bmp", MakeImage(1, 1, 24, Coded));
    int32_t plain = AddMaterial("skin.bmp");
    int32_t masked = AddMaterial("SKIN.bmp", "mask.bmp");
    Use({plain, masked});
    ReadDictionary d = WriteAndRead();
    EXPECT_EQ(Names(d), (std::vector<std::string>{"skin", "SKIN"}));
    ASSERT_EQ(d.textures.size(), 2u);
    EXPECT_EQ(d.textures[0].nativeFlags, 0);
    EXPECT_EQ(d.textures[1].nativeFlags, 1);
    EXPECT_FALSE(leftOut_.Any());
}

TEST_F(TxdTest, MissingImageIsLeftOutAndNamed) {
    expectLeftOut_ = true;
    AddTestImage("a.bmp", MakeImage(2, 2, 24, Coded));
    AddTestImage("c.bmp", MakeImage(3, 1, 32, Coded));
    Use({AddMaterial("a.bmp"), AddMaterial("maps\\missing.bmp", "m.bmp"), AddMaterial("c.bmp")});
    ReadDictionary d = WriteAndRead();
    EXPECT_EQ(d.textureCount, 2);
    EXPECT_EQ(Names(d), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(LeftOutNames(leftOut_), std::vector<std::string>{"maps\\missing.bmp"});
    // The alpha map of a texture left out is not loaded either.
    EXPECT_EQ(LoadedPaths(), (std::vector<std::string>{"a.bmp", "maps\\missing.bmp", "c.bmp"}));
}

TEST_F(TxdTest, EveryImageMissingLeavesAnEmptyDictionary) {
    expectLeftOut_ = true;
    Use({AddMaterial("x.bmp"), AddMaterial("y.bmp")});
    std::vector<uint8_t> bytes = Write();
    ReadDictionary d = ReadTxd(bytes);
    EXPECT_TRUE(d.problems.empty());
    EXPECT_EQ(d.textureCount, 0);
    EXPECT_EQ(bytes.size(), 40u);
    EXPECT_EQ(LeftOutNames(leftOut_), (std::vector<std::string>{"x.bmp", "y.bmp"}));
}

// A 2 x 2 image of 32 bits whose header says size and compression, with the
// three channel masks after it.
TestImage WithLayout(uint32_t headerSize, uint32_t compression, uint32_t red, uint32_t green,
                     uint32_t blue) {
    TestImage image = MakeImage(2, 2, 32, Coded);
    image.header.resize(52, 0);
    StoreU32(&image.header[0], headerSize);
    StoreU32(&image.header[16], compression);
    StoreU32(&image.header[40], red);
    StoreU32(&image.header[44], green);
    StoreU32(&image.header[48], blue);
    return image;
}

TEST_F(TxdTest, ImagesTheDictionaryCannotHoldAreRefused) {
    expectLeftOut_ = true;
    struct Case {
        const char* name;
        TestImage image;
    };
    const Case cases[] = {
        {"8bit.bmp", MakeHeaderOnly(2, 2, 8, 8, 8)},
        {"16bit.bmp", MakeHeaderOnly(2, 2, 16, 8, 8)},
        {"zerowidth.bmp", MakeHeaderOnly(0, 2, 24, 0, 4)},
        {"negativewidth.bmp", MakeHeaderOnly(-2, 2, 24, 0, 4)},
        {"zeroheight.bmp", MakeHeaderOnly(2, 0, 24, 0, 4)},
        {"wide.bmp", MakeHeaderOnly(65536, 1, 24, 0, 4)},
        {"tall.bmp", MakeHeaderOnly(1, 65536, 24, 0, 4)},
        {"talltopdown.bmp", MakeHeaderOnly(1, -65536, 24, 0, 4)},
        {"mostnegative.bmp", MakeHeaderOnly(1, INT32_MIN, 24, 0, 4)},
        // The header says the rows need 16 bytes, the block has 12.
        {"short.bmp", MakeHeaderOnly(2, 2, 24, 12, 12)},
        // Headers this does not read: too short, compressed, other channel masks.
        {"coreheader.bmp", WithLayout(12, 0, 0, 0, 0)},
        {"rle.bmp", WithLayout(40, 1, 0, 0, 0)},
        {"swapped.bmp", WithLayout(40, 3, 0x000000FFu, 0x0000FF00u, 0x00FF0000u)},
    };
    for (const Case& c : cases) {
        AddTestImage(c.name, c.image);
        AddMaterial(c.name);
    }
    AddTestImage("good.bmp", MakeImage(65535, 1, 24, Coded));
    AddMaterial("good.bmp");
    // The usual masks in a larger header read as plain 32-bit rows.
    AddTestImage("fields.bmp", WithLayout(108, 3, 0x00FF0000u, 0x0000FF00u, 0x000000FFu));
    int32_t last = AddMaterial("fields.bmp");
    EXPECT_TRUE(used_.Reset(g_host.MQDoc_GetMaterialCount(doc_)));
    for (int32_t m = 0; m <= last; ++m)
        used_.MarkUsed(m);
    ReadDictionary d = WriteAndRead();
    EXPECT_EQ(Names(d), (std::vector<std::string>{"good", "fields"}));
    // The first are named, the rest counted.
    std::vector<std::string> refused;
    for (int i = 0; i < kMaxTexturesListed; ++i)
        refused.push_back(cases[i].name);
    refused.push_back("(" + std::to_string(sizeof cases / sizeof cases[0] - kMaxTexturesListed) +
                      " more)");
    EXPECT_EQ(LeftOutNames(leftOut_), refused);
}
