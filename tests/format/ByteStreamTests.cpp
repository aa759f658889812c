#include <gtest/gtest.h>

#include "format/ByteStream.h"

TEST(ByteStream, LittleEndianFieldsBothWays) {
    const std::vector<uint8_t> golden = {0xAB, 0x34, 0x12, 0xFF, 0xFF, 0x03, 0x18, 0xFE,
                                         0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0xBF, 0x01};
    MemoryStream out;
    WriteU8(out, 0xAB);
    WriteU16(out, 0x1234);
    WriteU32(out, 0x1803FFFF);
    WriteI32(out, -2);
    WriteF32(out, -1.0f);
    WriteU8(out, 0x01);
    EXPECT_EQ(out.Data(), golden);

    MemoryStream in(golden.data(), golden.size());
    uint8_t u8;
    uint16_t u16;
    uint32_t u32;
    int32_t i32;
    float f32;
    ASSERT_TRUE(ReadU8(in, &u8) && ReadU16(in, &u16) && ReadU32(in, &u32) && ReadI32(in, &i32) &&
                ReadF32(in, &f32));
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0x1803FFFFu);
    EXPECT_EQ(i32, -2);
    EXPECT_EQ(f32, -1.0f);
    EXPECT_EQ(LoadF32(golden.data() + 11), -1.0f);
    u32 = 7;
    EXPECT_FALSE(ReadU32(in, &u32)); // one byte left
    EXPECT_EQ(u32, 0u);
}

// Arrays written in blocks are held to the same rule as single values: a
// stream given a number that is not finite is not fit to become a file.
TEST(ByteStream, BlocksNoteNumbersThatAreNotFinite) {
    MemoryStream finite, infinite;
    BlockWriter a(finite), b(infinite);
    a.F32(1.0f);
    b.F32(1.0f);
    b.F32(INFINITY);
    ASSERT_TRUE(a.Finish() && b.Finish());
    EXPECT_FALSE(finite.WroteNonFinite());
    EXPECT_TRUE(infinite.WroteNonFinite());
    EXPECT_EQ(infinite.Size(), 8u);
}

TEST(MemoryStream, OverwritesExtendsFillsGapsAndRefusesTheSizeLimit) {
    MemoryStream s;
    WriteU32(s, 0x11111111);
    s.Seek(2);
    WriteU16(s, 0x2222);
    s.Seek(7);
    WriteU8(s, 0x33);
    const std::vector<uint8_t> expected = {0x11, 0x11, 0x22, 0x22, 0, 0, 0, 0x33};
    EXPECT_EQ(s.Data(), expected);
    uint8_t b[4];
    s.Seek(100);
    EXPECT_EQ(s.Read(b, 4), 0u);
    s.Seek(kMaxStreamSize);
    EXPECT_FALSE(WriteU8(s, 1));
    EXPECT_EQ(s.Size(), 8u);
}
