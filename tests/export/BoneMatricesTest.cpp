// Tag numbers, the inverse, and the names and colours the exporter writes.
#include <gtest/gtest.h>

#include "Plugins/Export/BoneMatrices.h"
#include "Plugins/Export/GeometryWriter.h"
#include "Plugins/Export/TextureName.h"
#include "frame/HAnimTag.h"

namespace {

TEST(HAnimTagText, ThreeNumbersAndMissingOnes) {
    HAnimTag t = ParseHAnimTag("3:25:2");
    EXPECT_EQ(t.index, 3);
    EXPECT_EQ(t.nodeId, 25);
    EXPECT_EQ(t.nodeFlags, 2);
    t = ParseHAnimTag(" -4: +7 :x");
    EXPECT_EQ(t.index, -4);
    EXPECT_EQ(t.nodeId, 7);
    EXPECT_EQ(t.nodeFlags, 0);
    t = ParseHAnimTag("12");
    EXPECT_EQ(t.index, 12);
    EXPECT_EQ(t.nodeId, 0);
    EXPECT_EQ(t.nodeFlags, 0);
    t = ParseHAnimTag("99999999999:1:1");
    EXPECT_EQ(t.index, INT32_MAX);
    char text[16];
    FormatHAnimTag(HAnimTag{-4, 1000, 2}, text, sizeof text);
    EXPECT_STREQ(text, "-4:1000:2");
}

TEST(Inverse, UndoesAGeneralMatrix) {
    Matrix4 m = {{2, 0, 1, 0, 0, 3, 0, 0, 1, 0, 1, 0, 4, 5, 6, 1}};
    Matrix4 inverse, product;
    InvertMatrix4(&inverse, &m);
    MultiplyMatrix4(&product, &m, &inverse);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(product.m[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-6f) << i;
}

TEST(Inverse, SingularGivesIdentity) {
    // A flat rotation part with the fourth column (0, 0, 0, 1).
    Matrix4 m = {{1, 2, 3, 0, 2, 4, 6, 0, 0, 0, 1, 0, 5, 5, 5, 1}};
    Matrix4 inverse;
    InvertMatrix4(&inverse, &m);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(inverse.m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}

TEST(MaterialText, TextureNamesDropFoldersAndExtension) {
    char name[64];
    TextureNameOf("\\tex\\skin.body.bmp", name, sizeof name);
    EXPECT_STREQ(name, "skin.body");
    TextureNameOf("abcd.png", name, sizeof name);
    EXPECT_STREQ(name, "abcd");
    TextureNameOf("C:\\noext", name, sizeof name);
    EXPECT_STREQ(name, "noext");
    char small[5];
    TextureNameOf("abcdefgh.bmp", small, sizeof small);
    EXPECT_STREQ(small, "abcd");
}

TEST(MaterialText, ColourChannelsTruncateAndClamp) {
    EXPECT_EQ(ColourChannel(1.0f), 255);
    EXPECT_EQ(ColourChannel(0.5f), 128);
    EXPECT_EQ(ColourChannel(0.999f), 255);
    EXPECT_EQ(ColourChannel(0.0f), 0);
    EXPECT_EQ(ColourChannel(-0.5f), 255);
    EXPECT_EQ(ColourChannel(0.00390625f), 1);
}

} // namespace
