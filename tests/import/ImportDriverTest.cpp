// Clump choice, the options dialog, the scale and the missing-section messages.
#include <sys/stat.h>

#include "frame/DialogIds.h"
#include "tests/import/DffBuilder.h"
#include "tests/import/ImportFixture.h"

namespace {

TestClump NamedClump(const char* first, const char* second, float x) {
    TestClump clump = MakeClumpWithBones({first, second});
    clump.geometry.vertices[1].x = x;
    return clump;
}

TEST_F(ImportTest, ChosenClumpOfThreeIsImported) {
    std::vector<TestClump> clumps = {NamedClump("A", "a", 1), NamedClump("B", "b", 2),
                                     NamedClump("C", "c", 3)};
    script_.clump = 2;
    ASSERT_EQ(Import(BuildDff(clumps)), 1);
    // Captions are the first bone's names, in file order.
    std::vector<std::string> captions = {"A", "B", "C"};
    EXPECT_EQ(outcome_.listItems, captions);
    EXPECT_TRUE(outcome_.listEnabled);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    EXPECT_FLOAT_EQ(mesh->vertices[1].x, 3.0f);
    EXPECT_NE(Material("C"), nullptr);
    EXPECT_EQ(Material("A"), nullptr);
}

TEST_F(ImportTest, CancelLeavesTheDocumentUnchanged) {
    script_.cancel = true;
    EXPECT_EQ(Import(BuildDff({MakeSimpleClump()})), 1);
    EXPECT_EQ(outcome_.result, 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(MaterialCount(), 0);
}

TEST_F(ImportTest, ScaleTypedOnceIsOfferedNextTime) {
    script_.mantissaText = "2.5";
    script_.exponentText = "-1";
    ASSERT_EQ(Import(BuildDff({MakeClumpWithBones({"Only"})}), "one.dff"), 1);
    EXPECT_FLOAT_EQ(Object("sdef:one")->vertices[1].x, 0.25f);
    script_.typeScale = false;
    ASSERT_EQ(Import(BuildDff({MakeClumpWithBones({"Only"})}), "two.dff"), 1);
    EXPECT_FLOAT_EQ(Object("sdef:two")->vertices[1].x, 0.25f);
}

TEST_F(ImportTest, NegativeScaleMirrors) {
    script_.mantissaText = "-1";
    script_.exponentText = "0";
    ASSERT_EQ(Import(BuildDff({MakeClumpWithBones({"Only"})})), 1);
    EXPECT_FLOAT_EQ(Object("sdef:player")->vertices[1].x, -1.0f);
}

TEST_F(ImportTest, FileFailuresHaveTheirMessages) {
    EXPECT_EQ(ImportPath(folder_ + "/missing.dff"), 0);
    // Neither a folder nor a FIFO is read (a FIFO would wait for a writer forever).
    EXPECT_EQ(ImportPath(folder_), 0);
    ASSERT_EQ(mkfifo((folder_ + "/pipe.dff").c_str(), 0600), 0);
    EXPECT_EQ(ImportPath(folder_ + "/pipe.dff"), 0);
    std::vector<uint8_t> notClump = {0x02, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0x03, 0x18};
    EXPECT_EQ(Import(notClump), 0);
    EXPECT_EQ(Import({}), 0);
    std::vector<std::string> expected = {
        "ファイルを開けません。", "ファイルを開けません。", "ファイルを開けません。",
        "ファイルにクランプが見つかりません。", "ファイルにクランプが見つかりません。"};
    EXPECT_EQ(messages_, expected);
    EXPECT_FALSE(outcome_.shown);
}

struct MissingCase {
    const char* what;
    void (*damage)(TestClump&);
    const char* message;
};

TEST_F(ImportTest, MissingSectionsAreNamedByTheirPath) {
    const MissingCase cases[] = {
        {"second frame's name", [](TestClump& c) { c.frames[1].writeName = false; },
         "セクションが不足しています。\n0x00000010 > 0x0000000E > 0x0253F2FE (Frame)"},
        {"a bone's HAnim PLG", [](TestClump& c) { c.frames[3].writeHAnim = false; },
         "セクションが不足しています。\n0x00000010 > 0x0000000E > 0x00000003 > 0x0000011E "
         "(HAnim PLG)"},
        {"a later bone's name", [](TestClump& c) { c.frames[3].writeName = false; },
         "セクションが不足しています。\n0x00000010 > 0x0000000E > 0x00000003 > 0x0253F2FE "
         "(Frame)"},
        {"tristrip", [](TestClump& c) { c.geometry.flags |= kGeometryTristrip; },
         "未対応のフォーマットです。\nTristrip"},
        {"positions", [](TestClump& c) { c.geometry.flags &= ~kGeometryPositions; },
         "未対応のフォーマットです。\n~Positions"},
    };
    for (const MissingCase& m : cases) {
        messages_.clear();
        TestClump clump = MakeSimpleClump();
        m.damage(clump);
        EXPECT_EQ(Import(BuildDff({clump})), 0) << m.what;
        ASSERT_EQ(messages_.size(), 1u) << m.what;
        EXPECT_EQ(messages_[0], m.message) << m.what;
    }
}

TEST_F(ImportTest, TristripGeometryAddsNothing) {
    TestClump clump = MakeSimpleClump();
    clump.geometry.flags |= kGeometryTristrip;
    EXPECT_EQ(Import(BuildDff({clump})), 0);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(MaterialCount(), 0);
}

// Sections removed from a clump's bytes: the frame list, the geometry list.
std::vector<uint8_t> WithoutSection(const std::vector<uint8_t>& file, uint32_t type) {
    // The clump's children start at offset 12; drop the first child of type.
    std::vector<uint8_t> out(file.begin(), file.begin() + 12);
    size_t pos = 12;
    bool dropped = false;
    while (pos + 12 <= file.size()) {
        uint32_t t = LoadU32(&file[pos]);
        uint32_t size = LoadU32(&file[pos + 4]);
        size_t end = pos + 12 + size;
        if (t != type || dropped)
            out.insert(out.end(), file.begin() + static_cast<long>(pos),
                       file.begin() + static_cast<long>(end));
        else
            dropped = true;
        pos = end;
    }
    StoreU32(&out[4], static_cast<uint32_t>(out.size() - 12));
    return out;
}

TEST_F(ImportTest, MissingClumpChildrenAreNamed) {
    std::vector<uint8_t> file = BuildDff({MakeSimpleClump()});
    EXPECT_EQ(Import(WithoutSection(file, kSectionFrameList)), 0);
    EXPECT_EQ(Import(WithoutSection(file, kSectionGeometryList)), 0);
    std::vector<std::string> expected = {
        "セクションが不足しています。\n0x00000010 > 0x0000000E (Frame List)",
        "セクションが不足しています。\n0x00000010 > 0x0000001A (Geometry List)"};
    EXPECT_EQ(messages_, expected);
}

TEST_F(ImportTest, OneClumpListIsDisabledWithItsCaption) {
    script_.clump = 0;
    ASSERT_EQ(Import(BuildDff({MakeSimpleClump()})), 1);
    ASSERT_EQ(outcome_.listItems.size(), 1u);
    EXPECT_EQ(outcome_.listItems[0], "Root");
    EXPECT_FALSE(outcome_.listEnabled);
    EXPECT_EQ(outcome_.result, 1);
}

} // namespace
