// Files from strangers: damaged or hostile files get one clear message, leave
// nothing unowned and never crash.
#include "tests/import/DffBuilder.h"
#include "tests/import/ImportFixture.h"

namespace {

bool IsCorruptMessage(const std::string& m) {
    return m.rfind("ファイルが破損しています。\n", 0) == 0;
}

TEST_F(ImportTest, TruncationAtEveryLengthIsReported) {
    std::vector<uint8_t> file = BuildDff({MakeSimpleClump()});
    for (size_t length = 1; length < file.size(); ++length) {
        messages_.clear();
        std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(length));
        EXPECT_EQ(Import(cut), 0) << "length " << length;
        EXPECT_EQ(messages_.size(), 1u) << "length " << length;
        ResetDocument();
    }
}

TEST_F(ImportTest, ZeroPaddingAfterTheClumpIsAccepted) {
    std::vector<uint8_t> file = BuildDff({MakeSimpleClump()});
    file.resize(file.size() + 2048 - file.size() % 2048, 0);
    EXPECT_EQ(Import(file), 1);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ImportTest, StrayBytesAfterTheClumpAreIgnoredATruncatedClumpIsNot) {
    std::vector<uint8_t> one = BuildDff({MakeSimpleClump()});
    // A few non-zero bytes, and a longer trailer that is no clump.
    for (size_t stray : {1u, 5u, 40u}) {
        std::vector<uint8_t> file = one;
        for (size_t i = 0; i < stray; ++i)
            file.push_back(static_cast<uint8_t>(0x55 + i));
        EXPECT_EQ(Import(file), 1) << stray;
        EXPECT_TRUE(messages_.empty()) << stray;
        ResetDocument();
    }
    std::vector<uint8_t> two = BuildDff({MakeSimpleClump(), MakeSimpleClump()});
    two.resize(one.size() + 20);
    EXPECT_EQ(Import(two), 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(IsCorruptMessage(messages_[0])) << messages_[0];
}

// Overwrites the 32-bit value that follows the first occurrence of a section
// type id inside the file (its size field, or a count placed after it).
void PatchAfter(std::vector<uint8_t>& file, size_t from, uint32_t value) {
    StoreU32(&file[from], value);
}

size_t FindHeader(const std::vector<uint8_t>& file, uint32_t type, size_t start = 0) {
    for (size_t i = start; i + 12 <= file.size(); ++i)
        if (LoadU32(&file[i]) == type && LoadU32(&file[i + 8]) == LibraryVersionStamp)
            return i;
    return file.size();
}

TEST_F(ImportTest, HostileCountsAreCheckedAgainstTheirSection) {
    std::vector<uint8_t> base = BuildDff({MakeSimpleClump()});
    size_t geometry = FindHeader(base, kSectionGeometry);
    size_t geometryStruct = FindHeader(base, kSectionStruct, geometry) + 12;
    size_t frameStruct = FindHeader(base, kSectionStruct, FindHeader(base, kSectionFrameList)) + 12;
    size_t materialStruct =
        FindHeader(base, kSectionStruct, FindHeader(base, kSectionMaterialList)) + 12;
    size_t hierarchy = FindHeader(base, kSectionHAnimPlg) + 12;
    size_t binMesh = FindHeader(base, kSectionBinMeshPlg) + 12;
    struct Case {
        const char* what;
        size_t offset;
        uint32_t value;
    } cases[] = {
        {"huge triangle count", geometryStruct + 4, 0x7FFFFFFF},
        {"negative vertex count", geometryStruct + 8, 0xFFFFFFFF},
        {"huge frame count", frameStruct, 0x10000000},
        {"negative frame count", frameStruct, 0x80000000},
        {"huge material count", materialStruct, 0x40000000},
        {"huge node count", hierarchy + 8, 0x20000000},
        {"huge mesh count", binMesh + 4, 0x10000000},
        {"index count not a multiple of 3", binMesh + 12, 4},
        {"more triangles than the geometry", binMesh + 12, 9},
        {"material beyond the list", binMesh + 16, 7},
        {"section size past its parent", geometry + 4, 0x00100000},
        {"wrapping size", geometry + 4, 0xFFFFFFF8},
    };
    for (const Case& c : cases) {
        messages_.clear();
        std::vector<uint8_t> file = base;
        PatchAfter(file, c.offset, c.value);
        EXPECT_EQ(Import(file), 0) << c.what;
        ASSERT_EQ(messages_.size(), 1u) << c.what;
        EXPECT_TRUE(IsCorruptMessage(messages_[0])) << c.what << ": " << messages_[0];
        ResetDocument();
    }
}

TEST_F(ImportTest, TooManyVerticesIsRefused) {
    std::vector<uint8_t> file = BuildDff({MakeSimpleClump()});
    size_t geometryStruct =
        FindHeader(file, kSectionStruct, FindHeader(file, kSectionGeometry)) + 12;
    StoreU32(&file[geometryStruct + 8], 65536);
    EXPECT_EQ(Import(file), 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "未対応のフォーマットです。\n頂点が 65535 個を超えています。");
}

TEST_F(ImportTest, LongNamesAreCutNotOverflowed) {
    std::string longName(300, 'x');
    TestClump clump = MakeClumpWithBones({longName, longName + "y"});
    clump.geometry.materials[0].texture = std::string(200, 't');
    std::string path = std::string(120, 'p') + ".dff";
    ASSERT_EQ(Import(BuildDff({clump}), path.c_str()), 1);
    const HostSimDocument* d = HostSimFindDocument(doc_);
    ASSERT_EQ(d->objects.size(), 2u);
    for (HostObject o : d->objects)
        EXPECT_LE(HostSimFindObject(o)->name.size(), 63u);
    for (HostMaterial m : d->materials) {
        const HostSimMaterial* mat = HostSimFindMaterial(m);
        EXPECT_LE(mat->name.size(), 63u);
        EXPECT_LE(mat->textureName.size(), 63u);
    }
    EXPECT_EQ(HostSimFindMaterial(d->materials[0])->textureName.substr(59), ".png");
    ASSERT_EQ(outcome_.listItems.size(), 1u);
    EXPECT_EQ(outcome_.listItems[0], std::string(63, 'x'));
}

TEST_F(ImportTest, MoreThan127ClumpsIsRefused) {
    std::vector<TestClump> clumps(128, MakeClumpWithBones({"Only"}));
    EXPECT_EQ(Import(BuildDff(clumps)), 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "未対応のフォーマットです。\nクランプが 127 個を超えています。");
    EXPECT_FALSE(outcome_.shown);
}

} // namespace
