// The dictionary's path, the file the export writes, and the record's name
// fields.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "Plugins/Export/TextureDictionaryExport.h"
#include "Plugins/Export/TextureList.h"
#include "format/ByteStream.h"
#include "format/TextureDictionaryLayout.h"
#include "hostsim/HostSim.h"
#include "tests/export/TxdTest.h"

namespace {

// The dictionary alone: prepared and put in place.
ExportResult ExportTextureDictionary(HostDocument doc, const char* modelPath,
                                     const UsedMaterialMap& used, TexturesLeftOut& leftOut) {
    PendingFile file;
    ExportResult result =
        PrepareTextureDictionary(doc, modelPath, used, TextureOutput(), leftOut, nullptr, file);
    if (result.Ok() && !file.Commit())
        return ExportFailure(ExportProblem::kTxdReplaceFailed);
    return result;
}

std::string DictionaryPath(const char* model, size_t size = 260) {
    std::string buffer(size + 8, '#');
    TextureDictionaryPath(model, &buffer[0], size);
    // Nothing past the buffer is touched.
    EXPECT_EQ(buffer.substr(size), std::string(8, '#')) << model;
    return std::string(buffer.c_str());
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    int c;
    while ((c = fgetc(f)) != EOF)
        bytes.push_back(static_cast<uint8_t>(c));
    fclose(f);
    return bytes;
}

// A 24-bit BMP file of pixelAt(x, y) (y = 0 at the top), rows bottom-up.
template <typename F> std::vector<uint8_t> BmpFile(int32_t width, int32_t height, F pixelAt) {
    uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    uint32_t pixelBytes = stride * static_cast<uint32_t>(height);
    std::vector<uint8_t> file(54 + pixelBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    StoreU32(&file[2], static_cast<uint32_t>(file.size()));
    StoreU32(&file[10], 54);
    StoreU32(&file[14], 40);
    StoreU32(&file[18], static_cast<uint32_t>(width));
    StoreU32(&file[22], static_cast<uint32_t>(height));
    StoreU16(&file[26], 1);
    StoreU16(&file[28], 24);
    StoreU32(&file[34], pixelBytes);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            TestPixel p = pixelAt(x, y);
            size_t at =
                54 + static_cast<size_t>(height - 1 - y) * stride + 3 * static_cast<size_t>(x);
            file[at] = p.b;
            file[at + 1] = p.g;
            file[at + 2] = p.r;
        }
    return file;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

class TxdFileTest : public TxdTest {
  protected:
    void SetUp() override {
        TxdTest::SetUp();
        char pattern[] = "/tmp/skelvane-txd-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::string command = "rm -rf '" + folder_ + "'";
        EXPECT_EQ(system(command.c_str()), 0);
        TxdTest::TearDown();
    }
    std::string folder_;
};

} // namespace

TEST(TxdPath, ReplacesFromTheLastPeriod) {
    EXPECT_EQ(DictionaryPath("\\out\\model.dff"), "\\out\\model.txd");
    EXPECT_EQ(DictionaryPath("C:\\out\\model.v2.dff"), "C:\\out\\model.v2.txd");
    EXPECT_EQ(DictionaryPath("model."), "model.txd");
}

TEST(TxdPath, WithoutPeriodTheLastFourCharactersAreReplaced) {
    EXPECT_EQ(DictionaryPath("model"), "m.txd");
    EXPECT_EQ(DictionaryPath("\\out\\model"), "\\out\\m.txd");
    EXPECT_EQ(DictionaryPath("abcd"), ".txd");
}

TEST(TxdPath, PeriodsOfFoldersAreNotTheExtension) {
    EXPECT_EQ(DictionaryPath("proj.v2/model.dff"), "proj.v2/model.txd");
    EXPECT_EQ(DictionaryPath("proj.v2/model"), "proj.v2/m.txd");
    EXPECT_EQ(DictionaryPath("a.b/ab"), "a.b/ab.txd");
    EXPECT_EQ(DictionaryPath("a.b\\ab"), "a.b\\ab.txd");
    EXPECT_TRUE(TextureDictionaryIsTheModel("q/m.TXD"));
    EXPECT_FALSE(TextureDictionaryIsTheModel("q.txd/m"));
    EXPECT_FALSE(TextureDictionaryIsTheModel("q.txd\\m"));
    EXPECT_FALSE(TextureDictionaryIsTheModel("m.txd.dff"));
}

TEST(TxdPath, ShortPathWithoutPeriodKeepsItsCharacters) {
    EXPECT_EQ(DictionaryPath("ab"), "ab.txd");
    EXPECT_EQ(DictionaryPath(""), ".txd");
}

TEST(TxdPath, StaysWithinItsBuffer) {
    EXPECT_EQ(DictionaryPath("\\out\\model.dff", 15), "\\out\\model.txd");
    EXPECT_EQ(DictionaryPath("\\out\\model.dff", 12), "\\out\\model.");
    EXPECT_EQ(DictionaryPath("\\out\\model.dff", 3), "\\o");
    EXPECT_EQ(DictionaryPath("ab", 4), "ab.");
    EXPECT_EQ(DictionaryPath("ab", 1), "");
    std::string untouched(4, '#');
    TextureDictionaryPath("ab", &untouched[0], 0);
    EXPECT_EQ(untouched, "####");
}

TEST(TxdNames, FieldsKeepTheirTerminator) {
    TextureNativeStruct r;
    std::string thirty(30, 'x');
    std::string thirtyOne = thirty + "y";
    std::string forty(40, 'z');

    SetTextureNames(r, thirty.c_str(), true);
    EXPECT_EQ(std::string(r.name), thirty);
    EXPECT_EQ(std::string(r.maskName), thirty + "a");

    SetTextureNames(r, thirtyOne.c_str(), true);
    EXPECT_EQ(std::string(r.name), thirtyOne);
    EXPECT_EQ(std::string(r.maskName), thirty + "a");

    SetTextureNames(r, forty.c_str(), false);
    EXPECT_EQ(std::string(r.name), std::string(31, 'z'));
    EXPECT_EQ(r.name[31], '\0');
    EXPECT_EQ(std::string(r.maskName), "");
    for (char c : r.maskName)
        EXPECT_EQ(c, '\0');
}

TEST_F(TxdFileTest, SimulatedHostLoadsTheImagesFromTheDocumentFolder) {
    g_host.MQ_LoadImage = HostSimFunctions()->MQ_LoadImage;
    g_host.MQDoc_FindMappingFile = HostSimFunctions()->MQDoc_FindMappingFile;
    HostDocument doc = HostSimCreateDocument(folder_.c_str());
    auto colour = [](int32_t x, int32_t y) {
        return TestPixel{static_cast<uint8_t>(10 * x), static_cast<uint8_t>(100 + y), 7, 0};
    };
    WriteFile(folder_ + "/skin.bmp", BmpFile(3, 2, colour));
    WriteFile(folder_ + "/skin_a.bmp", BmpFile(3, 2, [](int32_t x, int32_t y) {
                  uint8_t v = static_cast<uint8_t>(x + 3 * y);
                  return TestPixel{v, v, v, 0};
              }));
    HostMaterial m = g_host.MQ_CreateMaterial();
    g_host.MQMat_SetTextureName(m, "skin.bmp");
    g_host.MQMat_SetAlphaName(m, "skin_a.bmp");
    ASSERT_EQ(g_host.MQDoc_AddMaterial(doc, m), 0);
    ASSERT_TRUE(used_.Reset(1));
    used_.MarkUsed(0);
    std::string model = folder_ + "/model.dff";
    EXPECT_TRUE(ExportTextureDictionary(doc, model.c_str(), used_, leftOut_).Ok());
    ReadDictionary d = ReadTxd(ReadFile(folder_ + "/model.txd"));
    EXPECT_TRUE(d.problems.empty());
    ASSERT_EQ(d.textures.size(), 1u);
    std::vector<uint8_t> expected;
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x) {
            TestPixel p = colour(x, y);
            expected.insert(expected.end(), {p.b, p.g, p.r, static_cast<uint8_t>(x + 3 * y)});
        }
    EXPECT_EQ(d.textures[0].pixels, expected);
    EXPECT_EQ(d.textures[0].maskName, "skina");
}

TEST_F(TxdFileTest, MissingImageStillGivesAWellFormedFile) {
    expectLeftOut_ = true;
    AddTestImage("skin.bmp", MakeImage(2, 2, 32, [](int32_t, int32_t) {
                     return TestPixel{1, 2, 3, 4};
                 }));
    Use({AddMaterial("lost.bmp"), AddMaterial("skin.bmp")});
    std::string model = folder_ + "/model.dff";
    EXPECT_TRUE(ExportTextureDictionary(doc_, model.c_str(), used_, leftOut_).Ok());
    ReadDictionary d = ReadTxd(ReadFile(folder_ + "/model.txd"));
    EXPECT_TRUE(d.problems.empty());
    EXPECT_EQ(d.textureCount, 1);
    EXPECT_EQ(LeftOutNames(leftOut_), std::vector<std::string>{"lost.bmp"});
}

TEST_F(TxdFileTest, FileThatCannotBeCreatedIsReported) {
    Use({});
    std::string model = folder_ + "/no such folder/model.dff";
    ExportResult result = ExportTextureDictionary(doc_, model.c_str(), used_, leftOut_);
    EXPECT_EQ(result.problem, ExportProblem::kTxdCreateFailed);
}
