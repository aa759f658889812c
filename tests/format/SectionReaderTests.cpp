#include <gtest/gtest.h>

#include "format/SectionReader.h"
#include "tests/format/TestStreams.h"

namespace {

struct Reader {
    explicit Reader(const std::vector<uint8_t>& bytes) : stream(bytes.data(), bytes.size()) {
        EXPECT_TRUE(OpenSectionCursor(cursor, stream));
    }
    MemoryStream stream;
    SectionCursor cursor;
};

} // namespace

TEST(SectionReader, FindsTheFirstMatchingSiblingAndNeverDescends) {
    std::vector<uint8_t> bytes;
    AppendHeader(bytes, kSectionClump, 56);
    AppendHeader(bytes, kSectionStruct, 12); // its body looks like a Frame header
    AppendHeader(bytes, kSectionFrame, 0);
    AppendHeader(bytes, kSectionString, 4);
    AppendU32(bytes, 111);
    AppendHeader(bytes, kSectionString, 4);
    AppendU32(bytes, 222);
    Reader r(bytes);
    ASSERT_TRUE(FindChildSection(r.cursor, kSectionClump));
    EXPECT_FALSE(FindChildSection(r.cursor, kSectionFrame));
    EXPECT_EQ(r.cursor.depth, 1);
    EXPECT_EQ(r.stream.Tell(), bytes.size()); // where the scan stopped
    EXPECT_FALSE(IsMalformed(r.cursor));
    RewindSection(r.cursor);
    ASSERT_TRUE(FindChildSection(r.cursor, kSectionString));
    uint32_t v;
    ASSERT_TRUE(ReadU32(r.cursor, &v));
    EXPECT_EQ(v, 111u);
}

TEST(SectionReader, ReachesTheSecondSiblingOfOneTypeAndRewinds) {
    Reader r(BuildSmallClump());
    SectionCursor& c = r.cursor;
    ASSERT_TRUE(FindChildSection(c, kSectionClump) && FindChildSection(c, kSectionFrameList));
    ASSERT_TRUE(FindChildSection(c, kSectionExtension));
    EXPECT_EQ(SectionBodyLength(c), 17u);
    ASSERT_TRUE(FindChildSection(c, kSectionFrame));
    char name[6] = {};
    ASSERT_TRUE(ReadBytes(c, name, SectionBodyLength(c)));
    EXPECT_STREQ(name, "Spine");
    LeaveSection(c);
    LeaveSection(c);
    ASSERT_TRUE(FindChildSection(c, kSectionExtension));
    EXPECT_EQ(c.bodyStart[2], 105u); // header right after the odd-length Frame body
    EXPECT_FALSE(FindChildSection(c, kSectionFrame)); // empty body
    EXPECT_EQ(c.depth, 3);
    LeaveSection(c);
    EXPECT_FALSE(FindChildSection(c, kSectionExtension)); // no third one
    RewindSection(c);
    ASSERT_TRUE(FindChildSection(c, kSectionStruct));
    EXPECT_EQ(c.bodyStart[2], 60u);
    EXPECT_FALSE(IsMalformed(c));
}

TEST(SectionReader, ReadsAnyLibraryStampTheSame) {
    std::vector<uint8_t> bytes = BuildSmallClump();
    Reader original(bytes);
    const std::string expected = WalkSections(original.cursor);
    for (size_t offset : {8u, 20u, 44u, 56u, 72u, 84u, 101u, 113u}) {
        StoreU32(bytes.data() + offset, offset % 2 ? 0x0800FFFF : 0x00000310);
    }
    Reader other(bytes);
    EXPECT_EQ(WalkSections(other.cursor), expected);
    EXPECT_EQ(expected.substr(0, 22), "1:16:12:105 2:1:24:12 ");
}

TEST(SectionReader, CountsAndSelectsTopLevelClumps) {
    std::vector<uint8_t> bytes;
    AppendHeader(bytes, kSectionClump, 0);
    AppendHeader(bytes, kSectionTextureDictionary, 0);
    AppendHeader(bytes, kSectionClump, 4);
    AppendU32(bytes, 7);
    Reader r(bytes);
    int clumps = 0;
    for (; FindChildSection(r.cursor, kSectionClump); ++clumps) {
        LeaveSection(r.cursor);
    }
    EXPECT_EQ(clumps, 2);
    SeekTopLevel(r.cursor, 0);
    ASSERT_TRUE(FindChildSection(r.cursor, kSectionClump));
    LeaveSection(r.cursor);
    ASSERT_TRUE(FindChildSection(r.cursor, kSectionClump));
    EXPECT_EQ(r.cursor.bodyStart[0], 36u);
    EXPECT_EQ(SectionBytesLeft(r.cursor), 4u);
}

TEST(SectionReader, BoundsReadsByTheInnermostSection) {
    Reader r(BuildSmallClump());
    SectionCursor& c = r.cursor;
    ASSERT_TRUE(FindChildSection(c, kSectionClump) && FindChildSection(c, kSectionStruct));
    EXPECT_EQ(SectionBytesLeft(c), 12u);
    uint8_t buffer[13];
    memset(buffer, 0xCC, sizeof buffer);
    EXPECT_FALSE(ReadBytes(c, buffer, 13)); // one byte past the Struct
    EXPECT_EQ(buffer[0] | buffer[12], 0);
    EXPECT_EQ(c.problem, StreamProblem::kShortRead);
    EXPECT_EQ(r.stream.Tell(), 24u); // nothing consumed

    Reader r2(BuildSmallClump());
    ASSERT_TRUE(FindChildSection(r2.cursor, kSectionClump));
    ASSERT_TRUE(FindChildSection(r2.cursor, kSectionStruct));
    uint32_t v = 9;
    ASSERT_TRUE(SkipBytes(r2.cursor, 8) && ReadU32(r2.cursor, &v));
    EXPECT_FALSE(IsMalformed(r2.cursor));
    EXPECT_FALSE(ReadU32(r2.cursor, &v) || SkipBytes(r2.cursor, 1));
    EXPECT_EQ(v, 0u);
    EXPECT_EQ(r2.cursor.problemOffset, 36u);
}

TEST(SectionReader, RefusesToEnterBeyondCapacityAsNotFound) {
    std::vector<uint8_t> bytes;
    const int levels = kMaxSectionDepth + 1;
    for (int i = 0; i < levels; ++i) {
        AppendHeader(bytes, kSectionExtension, 12u * (levels - 1 - i));
    }
    Reader r(bytes);
    for (int i = 0; i < kMaxSectionDepth; ++i) {
        ASSERT_TRUE(FindChildSection(r.cursor, kSectionExtension)) << i;
    }
    const uint32_t at = r.stream.Tell();
    EXPECT_FALSE(FindChildSection(r.cursor, kSectionExtension));
    EXPECT_EQ(r.cursor.depth, kMaxSectionDepth);
    EXPECT_EQ(r.stream.Tell(), at);
    EXPECT_EQ(r.cursor.problem, StreamProblem::kTooDeep);
    EXPECT_FALSE(IsMalformed(r.cursor));
}
