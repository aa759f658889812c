// Each rule over a texture dictionary broken once in a dictionary that keeps
// every other rule: the check reports exactly that rule, at that texture.
#include <gtest/gtest.h>

#include "check/TextureRules.h"
#include "tests/check/CheckTestSupport.h"
#include "tests/format/TxdBuilder.h"

namespace {

using Ids = std::vector<std::string>;

// A Direct3D 9 texture of 8888 pixels with one level.
BuiltTexture Plain(const std::string& name, uint16_t width = 4, uint16_t height = 4) {
    BuiltTexture t;
    t.name = name;
    t.rasterFormat = kRasterFormat8888;
    t.d3dFormat = kD3DFormatA8R8G8B8;
    t.width = width;
    t.height = height;
    t.depth = 32;
    t.nativeFlags = kNativeFlagHasAlpha;
    t.levels.emplace_back(static_cast<size_t>(width) * height * 4, 0x80);
    return t;
}

// A DXT1 texture with one level.
BuiltTexture Dxt1(const std::string& name, uint16_t width, uint16_t height) {
    BuiltTexture t = Plain(name, width, height);
    t.rasterFormat = kRasterFormat565;
    t.d3dFormat = kD3DFormatDxt1;
    t.depth = 16;
    t.nativeFlags = kNativeFlagCompressed;
    t.levels[0].assign(static_cast<size_t>((width + 3) / 4) * ((height + 3) / 4) * 8, 0);
    return t;
}

FindingList Check(const std::vector<BuiltTexture>& textures) {
    return CheckDictionaryBytes(TextureDictionaryBytes(textures));
}

} // namespace

TEST(DictionaryRules, PlainTexturesKeepEveryRule) {
    TextureNames names;
    FindingList list = CheckDictionaryBytes(
        TextureDictionaryBytes({Plain("body"), Dxt1("head", 8, 16), Plain("HAIR", 256, 1)}),
        &names);
    EXPECT_EQ(RuleIds(list), Ids{});
    EXPECT_TRUE(HoldsTextureName(names, "hair"));
    EXPECT_TRUE(HoldsTextureName(names, "Body"));
    EXPECT_FALSE(HoldsTextureName(names, "bod"));
}

TEST(DictionaryRules, SameNameTwiceTheGameFindsTheLast) {
    FindingList list = Check({Plain("Body"), Plain("head"), Plain("body"), Plain("BODY")});
    ASSERT_EQ(RuleIds(list), (Ids{"texture-duplicate", "texture-duplicate"}));
    EXPECT_EQ(list.items[0].severity, Severity::kWarning);
    EXPECT_EQ(list.items[0].texture, 0);
    EXPECT_EQ(list.items[0].value, 3);
    EXPECT_STREQ(list.items[0].name, "Body");
    EXPECT_EQ(list.items[1].texture, 2);
    EXPECT_EQ(list.items[1].value, 3);
}

TEST(DictionaryRules, TextureOfNoLevels) {
    BuiltTexture empty = Plain("empty");
    empty.levels.clear();
    FindingList list = Check({Plain("body"), empty, Plain("head")});
    ASSERT_EQ(RuleIds(list), Ids{"texture-no-levels"});
    EXPECT_EQ(list.items[0].severity, Severity::kError);
    EXPECT_EQ(list.items[0].texture, 1);
    EXPECT_STREQ(list.items[0].name, "empty");
}

TEST(DictionaryRules, ConsolePlatform) {
    BuiltTexture ps2 = Plain("body");
    ps2.platformId = kTexturePlatformPS2;
    FindingList list = Check({ps2});
    ASSERT_EQ(RuleIds(list), Ids{"texture-platform"});
    EXPECT_EQ(list.items[0].value, kTexturePlatformPS2);
}

TEST(DictionaryRules, Direct3D8Texture) {
    BuiltTexture d3d8 = Plain("body");
    d3d8.platformId = kTexturePlatformD3D8;
    d3d8.d3dFormat = 1; // hasAlpha
    d3d8.nativeFlags = 0;
    FindingList list = Check({d3d8});
    ASSERT_EQ(RuleIds(list), Ids{"texture-d3d8"});
    EXPECT_EQ(list.items[0].severity, Severity::kWarning);
}

TEST(DictionaryRules, BlockCompressedSidesNotMultiplesOf4) {
    FindingList list = Check({Dxt1("small", 2, 2)});
    ASSERT_EQ(RuleIds(list), Ids{"texture-block-size"});
    EXPECT_EQ(list.items[0].value, 2);
    EXPECT_EQ(list.items[0].limit, 2);
}

TEST(DictionaryRules, SidesNotPowersOfTwo) {
    FindingList list = Check({Plain("body"), Plain("wide", 12, 4)});
    ASSERT_EQ(RuleIds(list), Ids{"texture-size-power-of-two"});
    EXPECT_EQ(list.items[0].texture, 1);
    EXPECT_EQ(list.items[0].value, 12);
    EXPECT_EQ(list.items[0].limit, 4);
}

TEST(DictionaryRules, TextureWithTooFewBytesIsDamaged) {
    BuiltTexture cut = Plain("cut");
    cut.levels[0].resize(10);
    FindingList list = Check({cut, Plain("body")});
    ASSERT_EQ(RuleIds(list), Ids{"texture-damaged"});
    EXPECT_EQ(list.items[0].texture, 0);
    EXPECT_NE(list.items[0].detail[0], '\0');
}

TEST(DictionaryRules, RecordsAboutToBeWrittenAreHeldToTheSameRules) {
    TextureNativeStruct r = MakeTextureNativeStruct("body", 6, 4, false);
    FindingList list;
    CheckTexture(TextureHeaderOf(r), 0, list);
    ASSERT_EQ(RuleIds(list), Ids{"texture-size-power-of-two"});
    EXPECT_STREQ(list.items[0].name, "body");
}
