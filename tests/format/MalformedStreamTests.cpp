#include <gtest/gtest.h>

#include "format/SectionReader.h"
#include "tests/format/TestStreams.h"

namespace {

// Walks every section, checking that the reader stays inside the bytes and
// moves forward only; returns the cursor with the stream detached.
SectionCursor WalkWatched(const std::vector<uint8_t>& bytes) {
    WatchedStream s(bytes);
    SectionCursor c;
    EXPECT_TRUE(OpenSectionCursor(c, s));
    WalkSections(c);
    EXPECT_EQ(s.readsPastEnd, 0);
    EXPECT_EQ(s.backwardMoves, 0);
    c.stream = nullptr;
    return c;
}

} // namespace

TEST(MalformedStream, SizesPastTheParentOrTheFileAndWrappingSizes) {
    std::vector<uint8_t> bytes;
    AppendHeader(bytes, kSectionClump, 24);
    AppendHeader(bytes, kSectionStruct, 13); // one byte past the Clump
    AppendHeader(bytes, kSectionFrameList, 0);
    AppendU32(bytes, 0);
    SectionCursor c = WalkWatched(bytes);
    EXPECT_EQ(c.problem, StreamProblem::kSizePastParent);
    EXPECT_EQ(c.problemOffset, 12u);
    EXPECT_EQ(c.problemType, kSectionStruct);
    EXPECT_EQ(c.problemSize, 13u);

    for (uint32_t size : {0xFFFFFFF4u, 0xFFFFFFFFu}) { // would wrap back into the file
        StoreU32(bytes.data() + 16, size);
        EXPECT_EQ(WalkWatched(bytes).problem, StreamProblem::kSizePastParent) << size;
        StoreU32(bytes.data() + 4, size);
        c = WalkWatched(bytes);
        EXPECT_EQ(c.problem, StreamProblem::kSizePastFile) << size;
        EXPECT_EQ(c.problemOffset, 0u);
        StoreU32(bytes.data() + 4, 24);
    }
}

TEST(MalformedStream, TrailingBytesAreATruncatedHeader) {
    std::vector<uint8_t> bytes;
    AppendHeader(bytes, kSectionClump, 16);
    AppendHeader(bytes, kSectionExtension, 0);
    AppendU32(bytes, 0); // inside the Clump: too short for a header
    SectionCursor c = WalkWatched(bytes);
    EXPECT_EQ(c.problem, StreamProblem::kTruncatedHeader);
    EXPECT_EQ(c.problemOffset, 24u);

    StoreU32(bytes.data() + 4, 12); // now the four bytes stand at top level
    c = WalkWatched(bytes);
    EXPECT_EQ(c.problem, StreamProblem::kTruncatedHeader);
    EXPECT_EQ(c.problemOffset, 24u);
}

TEST(MalformedStream, StaysMalformedUntilReopened) {
    std::vector<uint8_t> bytes;
    AppendHeader(bytes, kSectionClump, 0);
    bytes.push_back(0);
    MemoryStream s(bytes.data(), bytes.size());
    SectionCursor c;
    ASSERT_TRUE(OpenSectionCursor(c, s));
    EXPECT_FALSE(FindChildSection(c, kSectionAtomic));
    EXPECT_TRUE(IsMalformed(c));
    SeekTopLevel(c, 0);
    EXPECT_FALSE(FindChildSection(c, kSectionClump));
    ASSERT_TRUE(OpenSectionCursor(c, s));
    EXPECT_TRUE(FindChildSection(c, kSectionClump));
}

TEST(MalformedStream, EveryTruncationIsReportedSafely) {
    const std::vector<uint8_t> whole = BuildSmallClump();
    EXPECT_FALSE(IsMalformed(WalkWatched(whole)));
    for (size_t length = 1; length < whole.size(); ++length) {
        const SectionCursor c = WalkWatched({whole.begin(), whole.begin() + length});
        EXPECT_EQ(c.problem,
                  length < 12 ? StreamProblem::kTruncatedHeader : StreamProblem::kSizePastFile)
            << length;
    }
}

TEST(MalformedStream, CorruptedBytesNeverEscapeTheFile) {
    const std::vector<uint8_t> whole = BuildSmallClump();
    for (size_t i = 0; i < whole.size(); ++i) {
        for (uint8_t value : {0x00, 0x0C, 0x80, 0xFF}) {
            std::vector<uint8_t> bytes = whole;
            bytes[i] = value;
            WalkWatched(bytes);
        }
    }
}
