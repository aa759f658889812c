#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "format/FileStream.h"
#include "format/PendingFile.h"
#include "format/SectionReader.h"
#include "format/SectionWriter.h"

namespace {

std::string TempPath(const char* name) {
    // The process id keeps concurrent runs of the tests apart.
    return testing::TempDir() + "skelvane_format_" + std::to_string(getpid()) + "_" + name;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        uint8_t block[4096];
        for (size_t n; (n = fread(block, 1, sizeof block, f)) > 0;) {
            bytes.insert(bytes.end(), block, block + n);
        }
        fclose(f);
    }
    return bytes;
}

std::vector<uint8_t> Pattern(uint32_t size, uint32_t seed) {
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<uint8_t>(seed >> 16);
    }
    return bytes;
}

// A texture-dictionary-like tree whose first texture is much larger than the
// buffer, written in fields and in blocks, so size patches land before it.
void WriteLargeTree(ByteStream& s) {
    const std::vector<uint8_t> block = Pattern(200000, 1);
    SectionStack stack;
    BeginSection(s, stack, kSectionTextureDictionary);
    BeginSection(s, stack, kSectionTextureNative);
    BeginSection(s, stack, kSectionStruct);
    for (uint32_t i = 0; i < 30000; ++i) {
        WriteU32(s, i);
    }
    s.Write(block.data(), 200000);
    WriteU8(s, 0x5A); // the following header is unaligned
    EndSection(s, stack);
    WriteEmptyExtension(s);
    EndSection(s, stack);
    BeginSection(s, stack, kSectionTextureNative);
    WriteSection(s, kSectionStruct, block.data(), 70000);
    EndSection(s, stack);
    EndSection(s, stack);
}

} // namespace

TEST(FileStream, WritesTheBytesOfAMemoryStreamIncludingSizePatches) {
    MemoryStream expected;
    WriteLargeTree(expected);
    const std::string path = TempPath("tree.txd");
    FileStream file;
    ASSERT_TRUE(file.CreateForWrite(path.c_str()));
    WriteLargeTree(file);
    EXPECT_EQ(file.Size(), expected.Size()); // buffered bytes count
    uint8_t b;
    EXPECT_EQ(file.Read(&b, 1), 0u); // created for writing
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(ReadWholeFile(path) == expected.Data());

    ASSERT_TRUE(file.OpenForRead(path.c_str()));
    EXPECT_FALSE(WriteU8(file, 1)); // opened for reading
    SectionCursor c;
    ASSERT_TRUE(OpenSectionCursor(c, file));
    ASSERT_TRUE(FindChildSection(c, kSectionTextureDictionary));
    ASSERT_TRUE(FindChildSection(c, kSectionTextureNative));
    LeaveSection(c);
    ASSERT_TRUE(FindChildSection(c, kSectionTextureNative) && FindChildSection(c, kSectionStruct));
    std::vector<uint8_t> body(SectionBodyLength(c));
    ASSERT_TRUE(ReadBytes(c, body.data(), static_cast<uint32_t>(body.size())));
    EXPECT_TRUE(body == Pattern(70000, 1));
    file.Close();
    std::remove(path.c_str());
}

TEST(FileStream, RandomSeeksAndWritesMatchMemory) {
    const std::string path = TempPath("random.bin");
    FileStream file;
    MemoryStream memory;
    ASSERT_TRUE(file.CreateForWrite(path.c_str()));
    const std::vector<uint8_t> data = Pattern(150000, 7);
    const uint32_t lengths[] = {1, 2, 4, 12, 3001, 65535, 65536, 140000};
    uint32_t seed = 42;
    for (int step = 0; step < 300; ++step) {
        seed = seed * 1103515245u + 12345u;
        const uint32_t offset = (seed >> 8) % (memory.Size() + 100); // at times past the end
        const uint32_t length = lengths[(seed >> 4) % 8];
        ASSERT_TRUE(file.Seek(offset) && file.Write(data.data() + step, length));
        memory.Seek(offset);
        memory.Write(data.data() + step, length);
        ASSERT_EQ(file.Size(), memory.Size()) << step;
    }
    ASSERT_TRUE(file.Close());
    EXPECT_TRUE(ReadWholeFile(path) == memory.Data());
    std::remove(path.c_str());
}

TEST(FileStream, ReadsFieldsAcrossBufferBoundariesAndLargeBlocks) {
    const std::vector<uint8_t> data = Pattern(300000, 3);
    const std::string path = TempPath("read.bin");
    FileStream file;
    ASSERT_TRUE(file.CreateForWrite(path.c_str()));
    file.Write(data.data(), 300000);
    file.Close();
    ASSERT_TRUE(file.OpenForRead(path.c_str()));
    EXPECT_EQ(file.Size(), 300000u);
    for (uint32_t offset : {0u, 65534u, 65533u, 131070u, 299996u}) {
        uint32_t v;
        file.Seek(offset);
        ASSERT_TRUE(ReadU32(file, &v));
        EXPECT_EQ(v, LoadU32(data.data() + offset)) << offset;
    }
    std::vector<uint8_t> block(200001);
    file.Seek(70001);
    EXPECT_EQ(file.Read(block.data(), 200001), 200001u);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), data.begin() + 70001));
    file.Seek(299990);
    EXPECT_EQ(file.Read(block.data(), 100), 10u);
    EXPECT_EQ(file.Read(block.data(), 4), 0u);
    file.Close();
    std::remove(path.c_str());
}

TEST(FileStream, RefusesMissingAndTooLargeFiles) {
    FileStream file;
    EXPECT_FALSE(file.OpenForRead(TempPath("missing.dff").c_str()));
    EXPECT_FALSE(file.IsOpen());
    const std::string path = TempPath("huge.dff");
    ASSERT_TRUE(file.CreateForWrite(path.c_str()));
    file.Close();
    std::error_code error;
    std::filesystem::resize_file(path, 0x80000000u, error); // sparse: no disk space used
    ASSERT_FALSE(error) << error.message();
    EXPECT_FALSE(file.OpenForRead(path.c_str()));
    std::filesystem::resize_file(path, 0x7FFFFFFFu, error);
    EXPECT_TRUE(file.OpenForRead(path.c_str()));
    file.Close();
    std::remove(path.c_str());
}

// A pipe stands for /dev/null and the like: replacing it by a file would
// destroy it, so its bytes go straight into it.
TEST(PendingFile, DeviceTargetIsWrittenInPlaceNotReplaced) {
    std::string fifo = TempPath("pipe");
    unlink(fifo.c_str());
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    PendingFile file;
    ASSERT_TRUE(file.Create(fifo.c_str()));
    ASSERT_TRUE(WriteU32(file.Stream(), 0x01020304u));
    ASSERT_TRUE(file.Finish());
    PendingFile* group[1] = {&file};
    EXPECT_EQ(-1, CommitPendingFiles(group, 1));
    struct stat info;
    ASSERT_EQ(0, stat(fifo.c_str(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    uint8_t bytes[8] = {};
    EXPECT_EQ(4, read(reader, bytes, sizeof bytes));
    EXPECT_EQ(4, bytes[0]);
    close(reader);
    unlink(fifo.c_str());
}
