// What the exporter mends before writing and names after: frame and texture
// names cut to the game's limits (the texture's alike in the model and its
// dictionary), too many bones, a texture that cannot be compressed; and the
// checks find no error in what it wrote.
#include "check/DictionaryCheck.h"
#include "check/ModelCheck.h"
#include "format/ByteStream.h"
#include "format/TextureDictionaryReader.h"
#include "frame/DialogIds.h"
#include "tests/export/ExportDriverFixture.h"

namespace {

const char* kTriangle = "[[0, 0, 0], [1, 0, 0], [0, 1, 0]]";
const char* kFace = "[{\"points\": [0, 1, 2], \"material\": 0, \"uv\": [[0, 0], [1, 0], [0, 1]]}]";
const char* kWeighted = "[{\"bones\": [0], \"weights\": [1]}, {\"bones\": [0], \"weights\": [1]}, "
                        "{\"bones\": [0], \"weights\": [1]}]";
const char* kKeynote = "{\"present\": true, \"versionAnswer\": 0}";

std::string Material(const std::string& texture) {
    return "[{\"name\": \"m\", \"color\": [1, 1, 1], \"texture\": \"" + texture + "\"}]";
}

std::string OneBone(const char* name) {
    return "[" + BoneText(name, "0:0:0", "null", 0, 0, 0) + "]";
}

// A 24-bit bitmap of the given size, every pixel grey.
std::vector<uint8_t> Bitmap(uint32_t width, uint32_t height) {
    const uint32_t stride = (width * 3 + 3) & ~3u;
    const uint32_t image = stride * height;
    std::vector<uint8_t> b(54, 0);
    auto put = [&](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, 54 + image, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, image, 4);
    b.resize(54 + image, 0x80);
    return b;
}

// The findings of the checks over the model written and, when given, the
// dictionary beside it.
FindingList CheckOutput(const std::vector<uint8_t>& model, const std::vector<uint8_t>* dictionary) {
    FindingList found;
    TextureNames names;
    if (dictionary != nullptr) {
        MemoryStream txd(dictionary->data(), dictionary->size());
        EXPECT_TRUE(CheckDictionaryStream(txd, found, &names));
    }
    MemoryStream dff(model.data(), model.size());
    ModelCounts counts;
    CheckModelStream(dff, dictionary != nullptr ? &names : nullptr, found, &counts);
    return found;
}

bool Holds(const FindingList& list, Rule rule) {
    for (const Finding& f : list.items)
        if (f.rule == rule)
            return true;
    return false;
}

// The first texture of a dictionary.
TextureNative FirstTexture(const std::vector<uint8_t>& bytes) {
    MemoryStream stream(bytes.data(), bytes.size());
    TextureDictionaryReader reader;
    TextureReadProblem problem;
    TextureNative t;
    HeapArray<uint8_t> body;
    EXPECT_TRUE(OpenTextureDictionary(reader, stream, &problem));
    EXPECT_EQ(ReadNextTexture(reader, body, &t, &problem), TextureReadResult::kTexture);
    return t;
}

TEST_F(ExportDriverTest, LongBoneNameIsCutTo23CharactersAndNamed) {
    const char* name = "abcdefghijklmnopqrstuvwxyz0123"; // 30 characters
    ASSERT_EQ(Export(SceneText(kTriangle, kFace, Material(""), OneBone(name))), 1);
    std::vector<uint8_t> f = Output();
    SectionSpan frame = FindSection(
        f, {{kSectionClump}, {kSectionFrameList}, {kSectionExtension, 1}, {kSectionFrame}});
    ASSERT_TRUE(frame.found);
    EXPECT_EQ(std::string(f.begin() + frame.offset, f.begin() + frame.offset + frame.size),
              "abcdefghijklmnopqrstuvw");
    EXPECT_EQ(harness_.messages, std::vector<std::string>({NoticeText(
                                     {std::string("フレーム名を23文字に切り詰めました: ") + name,
                                      ZeroWeightLine(3, 0), kRootOnlyPedLine})}));
    FindingList found = CheckOutput(f, nullptr);
    EXPECT_EQ(found.errors, 0u);
    // The notice's ped bones and weights, as the checks see them.
    EXPECT_TRUE(Holds(found, Rule::kPedBoneMissing));
    EXPECT_TRUE(Holds(found, Rule::kWeightSumZero));
}

TEST_F(ExportDriverTest, LongTextureNameIsCutAlikeInModelAndDictionary) {
    const std::string stem = "abcdefghijklmnopqrstuvwxyz0123456789ABCD"; // 40 characters
    ASSERT_TRUE(harness_.WriteFile((stem + ".bmp").c_str(), Bitmap(4, 4)));
    harness_.script.clicks = {kIdWriteTextureDictionary};
    ASSERT_EQ(Export(SceneText(kTriangle, kFace, Material(stem + ".bmp"), OneBone("Root"), kKeynote,
                               kWeighted)),
              1);
    std::vector<uint8_t> model = Output();
    std::vector<uint8_t> dictionary = Output("out.txd");
    SectionSpan name = FindSection(model, {{kSectionClump},
                                           {kSectionGeometryList},
                                           {kSectionGeometry},
                                           {kSectionMaterialList},
                                           {kSectionMaterial},
                                           {kSectionTexture},
                                           {kSectionString}});
    ASSERT_TRUE(name.found);
    const std::string cut = stem.substr(0, 31);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&model[name.offset])), cut);
    EXPECT_EQ(std::string(FirstTexture(dictionary).name), cut);
    EXPECT_EQ(harness_.messages,
              std::vector<std::string>({NoticeText(
                  {"テクスチャ名を31文字に切り詰めました: " + stem, kRootOnlyPedLine})}));
    FindingList found = CheckOutput(model, &dictionary);
    EXPECT_EQ(found.errors, 0u);
    EXPECT_FALSE(Holds(found, Rule::kTextureMissing));
}

TEST_F(ExportDriverTest, TextureOfSidesNotMultiplesOfFourIsWrittenUncompressed) {
    ASSERT_TRUE(harness_.WriteFile("odd.bmp", Bitmap(6, 6)));
    harness_.script.clicks = {kIdWriteTextureDictionary, kIdCompressTextures};
    ASSERT_EQ(Export(SceneText(kTriangle, kFace, Material("odd.bmp"), OneBone("Root"), kKeynote,
                               kWeighted)),
              1);
    std::vector<uint8_t> dictionary = Output("out.txd");
    TextureNative t = FirstTexture(dictionary);
    EXPECT_EQ(t.encoding, RasterEncoding::kB8G8R8X8);
    EXPECT_EQ(
        harness_.messages,
        std::vector<std::string>({NoticeText(
            {"辺が4の倍数でないため圧縮せずに書き出しました: odd (6x6)", kRootOnlyPedLine})}));
    std::vector<uint8_t> model = Output();
    EXPECT_EQ(CheckOutput(model, &dictionary).errors, 0u);
}

TEST_F(ExportDriverTest, MoreThan64BonesAreNamedAndWritten) {
    std::string bones = "[";
    for (int i = 0; i < 65; ++i) {
        std::string tag = std::to_string(i) + ":" + std::to_string(i) + ":0";
        bones += (i ? ", " : "") + BoneText("b", tag.c_str(), "null", 0, 0, 0);
    }
    bones += "]";
    ASSERT_EQ(Export(SceneText(kTriangle, kFace, Material(""), bones, kKeynote, kWeighted)), 1);
    ASSERT_EQ(harness_.messages.size(), 1u);
    EXPECT_NE(harness_.messages[0].find("\nボーンが65個あります。ゲームのスキンは64個までです。"),
              std::string::npos)
        << harness_.messages[0];
    EXPECT_TRUE(Holds(CheckOutput(Output(), nullptr), Rule::kBoneLimit));
}

} // namespace
