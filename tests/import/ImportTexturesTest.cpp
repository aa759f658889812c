// The textures step: PNG files written beside the model from the dictionary
// of its base name, never over an existing file, not at all when the dialog's
// box is unchecked, and one message for what was left out.
#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Plugins/Import/TextureFileName.h"
#include "frame/DialogIds.h"
#include "hostsim/ImageDecode.h"
#include "platform/Platform.h"
#include "tests/format/TxdBuilder.h"
#include "tests/import/DffBuilder.h"
#include "tests/import/ImportFixture.h"

namespace {

const RasterGolden& Golden(const char* name) {
    for (const RasterGolden& g : kRasterGoldens)
        if (strcmp(g.name, name) == 0)
            return g;
    return kRasterGoldens[0];
}

class ImportTexturesTest : public ImportTest {
  protected:
    // A model whose two materials name "Skin" and "shirt", and a dictionary
    // (named in other letter case) holding "skin" (DXT5, translucent),
    // "SHIRT" (888, opaque) and a texture no material names.
    void WriteModelAndDictionary() {
        TestClump clump = MakeSimpleClump();
        clump.geometry.materials[0].texture = "Skin";
        clump.geometry.materials[1].texture = "shirt";
        ASSERT_TRUE(harness_.WriteFile("player.dff", BuildDff({clump})));
        BuiltTexture skin = GoldenTexture(Golden("dxt5"));
        skin.name = "skin";
        BuiltTexture shirt = GoldenTexture(Golden("c888"));
        shirt.name = "SHIRT";
        BuiltTexture other = GoldenTexture(Golden("lum8"));
        dictionary_ = TextureDictionaryBytes({other, skin, shirt});
        ASSERT_TRUE(harness_.WriteFile("Player.TXD", dictionary_));
    }

    // The PNG decoded by the host's image loader, compared with a golden's RGBA.
    void ExpectPixels(const char* file, const RasterGolden& g, uint16_t bits) {
        SCOPED_TRACE(file);
        DibBlocks dib;
        ASSERT_TRUE(DecodeImageFile(harness_.PathOf(file).c_str(), &dib));
        const uint8_t* h = static_cast<const uint8_t*>(dib.header);
        EXPECT_EQ(bits, h[kDibBitCount]);
        const uint32_t stride = DibRowSize(static_cast<int32_t>(g.width), bits);
        for (uint32_t y = 0; y < g.height; ++y) {
            for (uint32_t x = 0; x < g.width; ++x) {
                const uint8_t* p = static_cast<const uint8_t*>(dib.pixels) +
                                   (g.height - 1 - y) * stride + x * bits / 8;
                const uint8_t* want = g.rgba + (y * g.width + x) * 4;
                EXPECT_EQ(want[0], p[2]);
                EXPECT_EQ(want[1], p[1]);
                EXPECT_EQ(want[2], p[0]);
                if (bits == 32) {
                    EXPECT_EQ(want[3], p[3]);
                }
            }
        }
        PlatformLocalFree(dib.header);
        PlatformLocalFree(dib.pixels);
    }

    std::vector<uint8_t> dictionary_;
};

TEST_F(ImportTexturesTest, WritesTheTexturesTheMaterialsNameOnce) {
    WriteModelAndDictionary();
    EXPECT_EQ(1, ImportPath(harness_.PathOf("player.dff")));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ((std::vector<std::string>{"Player.TXD", "Skin.png", "player.dff", "shirt.png"}),
              harness_.Files());
    ExpectPixels("Skin.png", Golden("dxt5"), 32);
    ExpectPixels("shirt.png", Golden("c888"), 24);

    // A second import leaves the files as they are, even when they changed.
    ASSERT_TRUE(harness_.WriteFile("Skin.png", {1, 2, 3}));
    ResetDocument();
    EXPECT_EQ(1, ImportPath(harness_.PathOf("player.dff")));
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), harness_.ReadFile("Skin.png"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ImportTexturesTest, UncheckedBoxWritesNothing) {
    WriteModelAndDictionary();
    script_.clicks = {kIdWriteTextures};
    EXPECT_EQ(1, ImportPath(harness_.PathOf("player.dff")));
    EXPECT_EQ((std::vector<std::string>{"Player.TXD", "player.dff"}), harness_.Files());
}

TEST_F(ImportTexturesTest, DamagedDictionaryGivesOneMessageAndTheImportCompletes) {
    WriteModelAndDictionary();
    dictionary_.resize(dictionary_.size() - 40);
    ASSERT_TRUE(harness_.WriteFile("Player.TXD", dictionary_));
    EXPECT_EQ(1, ImportPath(harness_.PathOf("player.dff")));
    ASSERT_EQ(1u, messages_.size());
    // The reason in the words of a damaged model's, with where the damage is.
    EXPECT_EQ(messages_[0], "テクスチャを書き出せませんでした。\nplayer.txd: "
                            "ファイルが破損しています。\n"
                            "セクションの大きさがファイルの終わりを越えています。\n"
                            "位置 0x00000000 (0x00000016 Texture Dictionary)");
    EXPECT_NE(nullptr, Object("sdef:player"));
    EXPECT_EQ((std::vector<std::string>{"Player.TXD", "player.dff"}), harness_.Files());
}

TEST_F(ImportTexturesTest, TextureThatCannotBeWrittenIsListed) {
    WriteModelAndDictionary();
    // Files may not grow past 16 bytes during the import: every PNG write fails.
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit before;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &before));
    struct rlimit tiny = before;
    tiny.rlim_cur = 16;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &tiny));
    HostBool result = ImportPath(harness_.PathOf("player.dff"));
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &before));
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, messages_.size());
    EXPECT_NE(std::string::npos, messages_[0].find("\nshirt.png: ファイルを書き込めません。"))
        << messages_[0];
    EXPECT_NE(std::string::npos, messages_[0].find("\nSkin.png: ファイルを書き込めません。"))
        << messages_[0];
    // Nothing half-written is left.
    EXPECT_EQ((std::vector<std::string>{"Player.TXD", "player.dff"}), harness_.Files());
}

TEST_F(ImportTexturesTest, OfNamesHeldTwiceTheLastIsWritten) {
    TestClump clump = MakeSimpleClump();
    clump.geometry.materials[0].texture = "Skin";
    ASSERT_TRUE(harness_.WriteFile("player.dff", BuildDff({clump})));
    BuiltTexture first = GoldenTexture(Golden("dxt5"));
    first.name = "skin";
    BuiltTexture last = GoldenTexture(Golden("c888"));
    last.name = "SKIN";
    ASSERT_TRUE(harness_.WriteFile("player.txd", TextureDictionaryBytes({first, last})));
    EXPECT_EQ(1, ImportPath(harness_.PathOf("player.dff")));
    EXPECT_TRUE(messages_.empty());
    ExpectPixels("Skin.png", Golden("c888"), 24);
}

// The game loads no pixels for it; its one level is what its author meant.
TEST_F(ImportTexturesTest, TextureOfNoLevelsIsReadFromTheLevelItHoldsAndNamed) {
    TestClump clump = MakeSimpleClump();
    clump.geometry.materials[0].texture = "Skin";
    ASSERT_TRUE(harness_.WriteFile("player.dff", BuildDff({clump})));
    BuiltTexture skin = GoldenTexture(Golden("c888"));
    skin.name = "skin";
    skin.storedLevelCount = 0;
    ASSERT_TRUE(harness_.WriteFile("player.txd", TextureDictionaryBytes({skin})));
    EXPECT_EQ(1, ImportPath(harness_.PathOf("player.dff")));
    ExpectPixels("Skin.png", Golden("c888"), 24);
    EXPECT_EQ(messages_, std::vector<std::string>({"ミップレベル数が0のテクスチャを1レベルとして書"
                                                   "き出しました（ゲームでは読み込めません）。"
                                                   "\nSkin.png"}));
}

TEST_F(ImportTexturesTest, NameThatIsNoFileNameIsWrittenUnderASafeOne) {
    TestClump clump = MakeSimpleClump();
    clump.geometry.materials[0].texture = "a/b";
    clump.geometry.materials[1].texture = "con";
    ASSERT_TRUE(harness_.WriteFile("player.dff", BuildDff({clump})));
    BuiltTexture slash = GoldenTexture(Golden("c888"));
    slash.name = "a/b";
    BuiltTexture device = GoldenTexture(Golden("dxt5"));
    device.name = "con";
    ASSERT_TRUE(harness_.WriteFile("player.txd", TextureDictionaryBytes({slash, device})));
    EXPECT_EQ(1, ImportPath(harness_.PathOf("player.dff")));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Material("player_0")->textureName, "a_b.png");
    EXPECT_EQ(Material("player_1")->textureName, "_con.png");
    EXPECT_EQ((std::vector<std::string>{"_con.png", "a_b.png", "player.dff", "player.txd"}),
              harness_.Files());
    ExpectPixels("a_b.png", Golden("c888"), 24);
}

TEST(TextureFileName, EveryNameGivesAPlainFileName) {
    const struct {
        const char* name;
        const char* file;
    } cases[] = {
        {"skin", "skin.png"},
        {"a\\b:c", "a_b_c.png"},
        {"x*?\"<>|", "x______.png"},
        {"tab\there", "tab_here.png"},
        {"..", "__.png"},
        {"a..", "a...png"},
        {"NUL", "_NUL.png"},
        {"Com1.tex", "_Com1.tex.png"},
        {"lpt9 ", "_lpt9 .png"},
        {"COM", "COM.png"},
        {"console", "console.png"},
        {"", ".png"},
    };
    for (const auto& c : cases) {
        char file[64];
        TextureFileNameOf(c.name, file, sizeof file);
        EXPECT_STREQ(file, c.file) << c.name;
    }
    // Cut to leave room for ".png".
    char small[10];
    TextureFileNameOf("abcdefghij", small, sizeof small);
    EXPECT_STREQ(small, "abcde.png");
}

} // namespace
