#include <gtest/gtest.h>

#include "format/SectionReader.h"
#include "format/SectionWriter.h"
#include "tests/format/TestStreams.h"

namespace {

// Clump { Struct (1, 0, 0), Extension {} }, laid out by hand.
const std::vector<uint8_t> kGoldenClump = {
    0x10, 0x00, 0x00, 0x00, 0x24, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x03, 0x18, // Clump, 36
    0x01, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x03, 0x18, // Struct, 12
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // 1, 0, 0
    0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x03, 0x18, // Extension, 0
};

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset) {
    return LoadU32(bytes.data() + offset);
}

} // namespace

TEST(SectionWriter, GoldenClumpBothWays) {
    MemoryStream out;
    SectionStack stack;
    ASSERT_TRUE(BeginSection(out, stack, kSectionClump));
    ASSERT_TRUE(BeginSection(out, stack, kSectionStruct));
    WriteI32(out, 1);
    WriteI32(out, 0);
    WriteI32(out, 0);
    ASSERT_TRUE(EndSection(out, stack));
    ASSERT_TRUE(WriteEmptyExtension(out));
    ASSERT_TRUE(EndSection(out, stack));
    EXPECT_EQ(stack.depth, 0);
    EXPECT_EQ(out.Data(), kGoldenClump);

    MemoryStream in(kGoldenClump.data(), kGoldenClump.size());
    SectionCursor c;
    ASSERT_TRUE(OpenSectionCursor(c, in));
    ASSERT_TRUE(FindChildSection(c, kSectionClump));
    EXPECT_EQ(SectionBodyLength(c), 36u);
    ASSERT_TRUE(FindChildSection(c, kSectionStruct));
    int32_t v[3];
    ASSERT_TRUE(ReadI32(c, &v[0]) && ReadI32(c, &v[1]) && ReadI32(c, &v[2]));
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1] | v[2], 0);
    LeaveSection(c);
    ASSERT_TRUE(FindChildSection(c, kSectionExtension));
    EXPECT_EQ(SectionBodyLength(c), 0u);
}

TEST(SectionWriter, PatchesNestedSizesInOnePass) {
    const std::vector<uint8_t> bytes = BuildSmallClump();
    ASSERT_EQ(bytes.size(), 117u);
    EXPECT_EQ(U32At(bytes, 4), bytes.size() - 12); // Clump
    EXPECT_EQ(U32At(bytes, 16), 12u);              // Struct of three int32
    EXPECT_EQ(U32At(bytes, 36), kSectionFrameList);
    EXPECT_EQ(U32At(bytes, 40), 105u - 48u);        // Frame List ends at 105
    EXPECT_EQ(U32At(bytes, 68), 17u);               // Extension holding the Frame
    EXPECT_EQ(U32At(bytes, 80), 5u);                // "Spine"
    EXPECT_EQ(U32At(bytes, 93), kSectionExtension); // empty, unaligned after "Spine"
    EXPECT_EQ(U32At(bytes, 97), 0u);
    for (size_t offset : {8u, 20u, 44u, 56u, 72u, 84u, 101u, 113u}) {
        EXPECT_EQ(U32At(bytes, offset), LibraryVersionStamp) << offset;
    }
}

TEST(SectionWriter, RefusesNestingBeyondCapacity) {
    MemoryStream s;
    SectionStack stack;
    for (int i = 0; i < kMaxSectionDepth; ++i) {
        ASSERT_TRUE(BeginSection(s, stack, kSectionExtension));
    }
    EXPECT_FALSE(BeginSection(s, stack, kSectionExtension));
    EXPECT_EQ(s.Size(), 12u * kMaxSectionDepth); // nothing written
    for (int i = 0; i < kMaxSectionDepth; ++i) {
        ASSERT_TRUE(EndSection(s, stack));
    }
    EXPECT_FALSE(EndSection(s, stack));
    EXPECT_EQ(U32At(s.Data(), 4), 12u * (kMaxSectionDepth - 1));
}
