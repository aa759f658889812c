// Golden sections of the clump, both ways: bytes laid out by hand are read
// into records, and the records are written back to the same bytes.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "format/AtomicLayout.h"
#include "format/ClumpLayout.h"
#include "format/FrameListLayout.h"
#include "format/SkinLayout.h"

namespace {

constexpr uint32_t kStamp = 0x1803FFFF;
constexpr uint32_t kOne = 0x3F800000;       // 1.0f
constexpr uint32_t kHalf = 0x3F000000;      // 0.5f
constexpr uint32_t kMinusOne = 0xBF800000;  // -1.0f
constexpr uint32_t kMinusHalf = 0xBF000000; // -0.5f

// Bytes written as they stand (names, single-byte fields).
struct Raw {
    std::vector<uint8_t> bytes;
};

// A little-endian word, or raw bytes.
struct Piece {
    Piece(uint32_t word)
        : bytes{uint8_t(word), uint8_t(word >> 8), uint8_t(word >> 16), uint8_t(word >> 24)} {}
    Piece(int word) : Piece(static_cast<uint32_t>(word)) {}
    Piece(const char* text) : bytes(text, text + strlen(text)) {}
    Piece(Raw raw) : bytes(raw.bytes) {}
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Golden(std::initializer_list<Piece> pieces) {
    std::vector<uint8_t> out;
    for (const Piece& p : pieces)
        out.insert(out.end(), p.bytes.begin(), p.bytes.end());
    return out;
}

// Opens a cursor over bytes (kept by the caller's stream).
SectionCursor CursorOver(MemoryStream& stream) {
    SectionCursor c;
    EXPECT_TRUE(OpenSectionCursor(c, stream));
    return c;
}

// A root that is not a bone, a first bone with the node table, a second
// bone without one and with a name of odd length.
// clang-format off
const std::vector<uint8_t> kFrameList = Golden({
    0x0E, 333, kStamp, // Frame List
    0x01, 172, kStamp, // Struct
    3,
    kOne, 0, 0, 0, kOne, 0, 0, 0, kOne, 0, 0, 0, -1, 0x00020003,
    kOne, 0, 0, 0, kOne, 0, 0, 0, kOne, kHalf, 0, 0, 0, 3,
    0, kOne, 0, kMinusOne, 0, 0, 0, 0, kOne, kHalf, 0, 0, 1, 3,
    0x03, 0, kStamp,                                         // Extension
    0x03, 72, kStamp,                                        // Extension
    0x11E, 44, kStamp, 0x100, 7, 2, 0, 36, 7, 0, 0, 8, 1, 3, // HAnim PLG
    0x0253F2FE, 4, kStamp, "Root",                           // Frame
    0x03, 41, kStamp,                                        // Extension
    0x11E, 12, kStamp, 0x100, 8, 0,                          // HAnim PLG
    0x0253F2FE, 5, kStamp, "Spine",                          // Frame
});

// Two bones, two vertices: header, used bones, indices, weights, matrices,
// trailer.
const std::vector<uint8_t> kSkin = Golden({
    0x116, 186, kStamp,
    Raw{{2, 2, 3, 0, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0}},
    kHalf, kHalf, 0, 0, kOne, 0, 0, 0,
    kOne, 0, 0, 0, 0, kOne, 0, 0, 0, 0, kOne, 0, 0, 0, 0, kOne,
    kOne, 0, 0, 0, 0, kOne, 0, 0, 0, 0, kOne, 0, kMinusHalf, 0, 0, kOne,
    0, 0, 0,
});

const std::vector<uint8_t> kAtomic = Golden({
    0x14, 60, kStamp,
    0x01, 16, kStamp, 2, 0, 5, 0,
    0x03, 20, kStamp,
    0x1F, 8, kStamp, 0x116, 1, // Right To Render
});

const std::vector<uint8_t> kClump = Golden({
    0x10, 36, kStamp,
    0x01, 12, kStamp, 1, 2, 3,
    0x03, 0, kStamp,
});
// clang-format on

} // namespace

TEST(ClumpLayoutGolden, FrameListWithNamesAndHAnim) {
    MemoryStream in(kFrameList.data(), kFrameList.size());
    SectionCursor c = CursorOver(in);
    FrameListRecord r;
    ASSERT_EQ(ReadFrameListStruct(c, &r).result, FrameListResult::kOk);
    ASSERT_EQ(ReadBoneExtensions(c, &r).result, FrameListResult::kOk);
    ASSERT_EQ(r.frameCount, 3);
    EXPECT_EQ(r.frames[0].parentIndex, -1);
    EXPECT_EQ(r.frames[2].rotation[3], -1.0f);
    EXPECT_EQ(r.frames[2].position[0], 0.5f);
    EXPECT_EQ(r.frames[2].parentIndex, 1);
    EXPECT_FALSE(r.extensions[0].hasHAnim || r.extensions[0].hasName);
    const HAnimPlgRecord& root = r.extensions[1].hanim;
    ASSERT_TRUE(r.extensions[1].hasHAnim);
    EXPECT_EQ(root.header.nodeCount, 2);
    EXPECT_EQ(root.hierarchy.keyFrameSize, 36);
    EXPECT_EQ(root.nodes[1].nodeId, 8);
    EXPECT_EQ(root.nodes[1].nodeFlags, 3);
    EXPECT_STREQ(r.extensions[1].name, "Root");
    EXPECT_EQ(r.extensions[2].hanim.header.nodeId, 8);
    EXPECT_EQ(r.extensions[2].hanim.nodes.Count(), 0u);
    EXPECT_STREQ(r.extensions[2].name, "Spine");

    MemoryStream out;
    ASSERT_TRUE(WriteFrameListSection(out, r));
    EXPECT_EQ(out.Data(), kFrameList);
}

TEST(ClumpLayoutGolden, SkinPlg) {
    MemoryStream in(kSkin.data(), kSkin.size());
    SectionCursor c = CursorOver(in);
    ASSERT_TRUE(FindChildSection(c, kSectionSkinPlg));
    SkinRecord r;
    ASSERT_EQ(ReadSkinPlg(c, 2, &r), SkinReadResult::kOk);
    EXPECT_EQ(r.boneCount, 2);
    EXPECT_EQ(r.maxWeightsPerVertex, 3);
    ASSERT_EQ(r.usedBoneIndices.Count(), 2u);
    EXPECT_EQ(r.usedBoneIndices[1], 1);
    EXPECT_EQ(r.boneIndices[1], 1);
    EXPECT_EQ(r.boneIndices[4], 1);
    EXPECT_EQ(r.weights[1], 0.5f);
    EXPECT_EQ(r.weights[4], 1.0f);
    EXPECT_EQ(r.inverseMatrices[28], -0.5f);

    MemoryStream out;
    ASSERT_TRUE(WriteSkinPlg(out, r));
    EXPECT_EQ(out.Data(), kSkin);
    EXPECT_FALSE(out.WroteNonFinite());
}

TEST(ClumpLayoutGolden, AtomicWithRightToRender) {
    MemoryStream in(kAtomic.data(), kAtomic.size());
    SectionCursor c = CursorOver(in);
    AtomicRecord r;
    ASSERT_TRUE(ReadAtomicSection(c, &r));
    EXPECT_EQ(r.atomic.frameIndex, 2);
    EXPECT_EQ(r.atomic.flags, kAtomicCollisionTestAndRender);
    ASSERT_TRUE(r.hasRightToRender);
    EXPECT_EQ(r.rightToRender.pluginId, kSectionSkinPlg);
    EXPECT_EQ(r.rightToRender.extraData, 1u);

    MemoryStream out;
    ASSERT_TRUE(WriteAtomicSection(out, r));
    EXPECT_EQ(out.Data(), kAtomic);
}

TEST(ClumpLayoutGolden, ClumpStruct) {
    MemoryStream in(kClump.data(), kClump.size());
    SectionCursor c = CursorOver(in);
    ClumpStruct r = {};
    ASSERT_TRUE(FindChildSection(c, kSectionClump) && FindChildSection(c, kSectionStruct));
    ASSERT_TRUE(ReadClumpStruct(c, &r));
    EXPECT_EQ(r.atomicCount, 1);
    EXPECT_EQ(r.lightCount, 2);
    EXPECT_EQ(r.cameraCount, 3);

    MemoryStream out;
    SectionStack stack;
    ASSERT_TRUE(BeginClump(out, stack, r));
    ASSERT_TRUE(EndClump(out, stack));
    EXPECT_EQ(out.Data(), kClump);
}
