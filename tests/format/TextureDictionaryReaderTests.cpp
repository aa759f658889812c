// The texture dictionary reader: every raster format read back to the golden
// pixels, a file written by another tool, refused platforms, damaged natives
// (each with its code), and every truncation and corruption of a dictionary
// of every format.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "format/RasterDecode.h"
#include "format/TextureDictionaryReader.h"
#include "tests/format/TxdBuilder.h"

namespace {

struct ReadResult {
    std::vector<TextureNative> textures;
    std::vector<std::vector<uint8_t>> rgba;   // level 0 of each texture
    std::vector<TextureReadProblem> problems; // code kNone: a texture read but not decoded
};

// For the failure messages.
int CodeOf(const TextureReadProblem& p) {
    return static_cast<int>(p.code);
}

// Reads every texture and decodes its first level; any problem is kept.
ReadResult ReadAll(const std::vector<uint8_t>& bytes) {
    ReadResult r;
    MemoryStream stream(bytes.data(), bytes.size());
    TextureDictionaryReader reader;
    TextureReadProblem problem;
    if (!OpenTextureDictionary(reader, stream, &problem)) {
        EXPECT_NE(TextureReadCode::kNone, problem.code) << "a problem without a reason";
        r.problems.push_back(problem);
        return r;
    }
    HeapArray<uint8_t> body;
    for (;;) {
        TextureNative t;
        TextureReadResult result = ReadNextTexture(reader, body, &t, &problem);
        if (result == TextureReadResult::kEnd)
            break;
        if (result != TextureReadResult::kTexture) {
            EXPECT_NE(TextureReadCode::kNone, problem.code) << "a problem without a reason";
            r.problems.push_back(problem);
            if (result != TextureReadResult::kTextureBroken)
                break;
            continue;
        }
        std::vector<uint8_t> rgba(static_cast<size_t>(t.width) * t.height * 4);
        if (!DecodeRaster(TextureLevelView(t, body.Data(), 0), rgba.data()))
            r.problems.push_back(TextureReadProblem());
        r.textures.push_back(t);
        r.rgba.push_back(rgba);
    }
    return r;
}

const RasterGolden* GoldenNamed(const std::string& name) {
    for (const RasterGolden& g : kRasterGoldens)
        if (name == g.name || name == std::string(g.name) + "_d3d8" ||
            (name == "dxt1_mips" && std::string(g.name) == "dxt1"))
            return &g;
    return nullptr;
}

TEST(TextureDictionaryReader, EveryFormatReadsBackToTheGoldenPixels) {
    const std::vector<BuiltTexture> built = EveryFormatTextures();
    ReadResult r = ReadAll(TextureDictionaryBytes(built));
    ASSERT_TRUE(r.problems.empty()) << CodeOf(r.problems[0]);
    ASSERT_EQ(built.size(), r.textures.size());
    for (size_t i = 0; i < built.size(); ++i) {
        const TextureNative& t = r.textures[i];
        SCOPED_TRACE(t.name);
        EXPECT_EQ(built[i].name, t.name);
        EXPECT_EQ(built[i].maskName, t.maskName);
        EXPECT_EQ(built[i].platformId, t.platformId);
        EXPECT_EQ(built[i].levels.size(), t.mipLevelCount);
        const RasterGolden* g = GoldenNamed(t.name);
        ASSERT_NE(nullptr, g);
        EXPECT_EQ(g->encoding, t.encoding);
        EXPECT_EQ(g->width, t.width);
        EXPECT_EQ(g->height, t.height);
        EXPECT_EQ(0, memcmp(r.rgba[i].data(), g->rgba, r.rgba[i].size()));
    }
    const TextureNative& mips = r.textures.back();
    ASSERT_EQ(4, mips.mipLevelCount);
    EXPECT_EQ(mips.levelOffset[0] + mips.levelSize[0] + 4, mips.levelOffset[1]);
    EXPECT_EQ(8u, mips.levelSize[3]);
}

TEST(TextureDictionaryReader, ReadsTheFileOfAnotherWriter) {
    FILE* f = fopen(SKELVANE_TEST_DATA_DIR "/textures/dragonff_4x4_argb_xrgb.txd", "rb");
    ASSERT_NE(nullptr, f);
    std::vector<uint8_t> bytes(4096);
    bytes.resize(fread(bytes.data(), 1, bytes.size(), f));
    fclose(f);
    ReadResult r = ReadAll(bytes);
    ASSERT_TRUE(r.problems.empty()) << CodeOf(r.problems[0]);
    ASSERT_EQ(2u, r.textures.size());
    EXPECT_STREQ("tex_argb", r.textures[0].name);
    EXPECT_EQ(RasterEncoding::kB8G8R8A8, r.textures[0].encoding);
    EXPECT_TRUE(r.textures[0].hasAlpha);
    EXPECT_EQ(RasterEncoding::kB8G8R8X8, r.textures[1].encoding);
    // Second pixel: blue 0x3C, green 0, red 0xC8, alpha 0xEB (ignored without alpha).
    const uint8_t argb[] = {0xC8, 0, 0x3C, 0xEB};
    const uint8_t xrgb[] = {0xC8, 0, 0x3C, 0xFF};
    EXPECT_EQ(0, memcmp(r.rgba[0].data() + 4, argb, 4));
    EXPECT_EQ(0, memcmp(r.rgba[1].data() + 4, xrgb, 4));
}

TEST(TextureDictionaryReader, OtherPlatformsAreRefusedByName) {
    const struct {
        uint32_t id;
        const char* name;
    } kPlatforms[] = {{kTexturePlatformPS2, "PS2"}, {kTexturePlatformXbox, "Xbox"}};
    for (const auto& p : kPlatforms) {
        BuiltTexture t = GoldenTexture(kRasterGoldens[0]);
        t.platformId = p.id;
        ReadResult r = ReadAll(TextureDictionaryBytes({t, GoldenTexture(kRasterGoldens[1])}));
        ASSERT_EQ(1u, r.problems.size());
        EXPECT_EQ(TextureReadCode::kPlatform, r.problems[0].code);
        EXPECT_EQ(p.id, r.problems[0].platformId);
        EXPECT_STREQ(p.name, TexturePlatformName(r.problems[0].platformId));
        // Where: the first Texture Native, after the dictionary's header and Struct.
        EXPECT_EQ(kSectionTextureNative, r.problems[0].sectionType);
        EXPECT_EQ(2 * kSectionHeaderSize + kTextureDictionaryStructSize, r.problems[0].offset);
        EXPECT_EQ(1u, r.textures.size()) << "the next texture is still read";
    }
}

TEST(TextureDictionaryReader, DamagedNativesAreRefusedWithAReason) {
    struct Case {
        const char* what;
        void (*damage)(BuiltTexture&);
        TextureReadCode expected;
    };
    const Case kCases[] = {
        {"levels past the body", [](BuiltTexture& t) { t.levels.back().pop_back(); },
         TextureReadCode::kLevelTooShort},
        {"no palette", [](BuiltTexture& t) { t.palette.resize(100), t.levels = {{}}; },
         TextureReadCode::kPalettePastEnd},
        {"zero width", [](BuiltTexture& t) { t.width = 0; }, TextureReadCode::kNoPixels},
        {"unknown format", [](BuiltTexture& t) { t.rasterFormat = 0x0900; },
         TextureReadCode::kRasterFormat},
        {"no level", [](BuiltTexture& t) { t.levels.clear(); }, TextureReadCode::kLevelCount},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        BuiltTexture t =
            GoldenTexture(kRasterGoldens[sizeof kRasterGoldens / sizeof *kRasterGoldens - 1]);
        c.damage(t);
        std::vector<uint8_t> body = TextureNativeBody(t);
        TextureNative out;
        TextureReadProblem problem;
        EXPECT_FALSE(
            ParseTextureNative(body.data(), static_cast<uint32_t>(body.size()), &out, &problem));
        EXPECT_EQ(c.expected, problem.code);
        EXPECT_STREQ(t.name.c_str(), problem.name);
    }
    // A level count past the levels stored.
    BuiltTexture t = GoldenTexture(kRasterGoldens[0]);
    std::vector<uint8_t> body = TextureNativeBody(t);
    body[85] = 2;
    TextureNative out;
    TextureReadProblem problem;
    EXPECT_FALSE(
        ParseTextureNative(body.data(), static_cast<uint32_t>(body.size()), &out, &problem));
    EXPECT_EQ(TextureReadCode::kLevelPastEnd, problem.code);
    EXPECT_EQ(1u, problem.level);
}

TEST(TextureDictionaryReader, EveryTruncationAndCorruptionGivesAReason) {
    const std::vector<uint8_t> whole = TextureDictionaryBytes(EveryFormatTextures());
    const size_t complete = ReadAll(whole).textures.size();
    for (size_t length = 0; length < whole.size(); ++length) {
        ReadResult r = ReadAll(std::vector<uint8_t>(whole.begin(), whole.begin() + length));
        ASSERT_FALSE(r.problems.empty()) << "cut at " << length;
        ASSERT_LT(r.textures.size(), complete) << "cut at " << length;
    }
    for (size_t at = 0; at < whole.size(); ++at) {
        std::vector<uint8_t> bytes = whole;
        bytes[at] ^= 0xA5;
        ReadAll(bytes); // under the sanitizers: no fault, whatever is read
    }
}

} // namespace
