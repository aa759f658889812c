#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace {

class PlatformFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = ::testing::TempDir() + "skelvane_platform_" + std::to_string(getpid()) + "_" +
                info->name();
    }

    void TearDown() override { unlink(path_.c_str()); }

    void WriteFile(const std::vector<uint8_t>& bytes) {
        PlatformFile file = PlatformCreateForWrite(path_.c_str());
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(PlatformWrite(file, bytes.data(), static_cast<uint32_t>(bytes.size())));
        PlatformClose(file);
    }

    std::vector<uint8_t> ReadFile() {
        std::vector<uint8_t> bytes;
        PlatformFile file = PlatformOpenForRead(path_.c_str());
        EXPECT_NE(file, nullptr);
        if (!file) {
            return bytes;
        }
        uint8_t block[7];
        uint32_t n;
        while ((n = PlatformRead(file, block, sizeof(block))) > 0) {
            bytes.insert(bytes.end(), block, block + n);
        }
        PlatformClose(file);
        return bytes;
    }

    std::string path_;
};

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    }
    return bytes;
}

TEST_F(PlatformFileTest, WrittenBytesReadBackWithTheirSize) {
    const std::vector<uint8_t> bytes = Pattern(1000);
    PlatformFile file = PlatformCreateForWrite(path_.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(PlatformWrite(file, bytes.data(), 600));
    EXPECT_TRUE(PlatformWrite(file, bytes.data() + 600, 400));
    EXPECT_TRUE(PlatformWrite(file, bytes.data(), 0));
    PlatformClose(file);

    file = PlatformOpenForRead(path_.c_str());
    ASSERT_NE(file, nullptr);
    uint32_t size = 0;
    EXPECT_TRUE(PlatformFileSize(file, &size));
    EXPECT_EQ(size, 1000u);
    PlatformClose(file);

    EXPECT_EQ(ReadFile(), bytes);
}

TEST_F(PlatformFileTest, MappedViewOutlivesTheOpenFile) {
    const std::vector<uint8_t> bytes = Pattern(10000);
    WriteFile(bytes);
    PlatformFile file = PlatformOpenForRead(path_.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(PlatformMapFile(file, 0), nullptr);
    const void* view = PlatformMapFile(file, 10000);
    PlatformClose(file);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(memcmp(view, bytes.data(), bytes.size()), 0);
    PlatformUnmapFile(view, 10000);
}

TEST_F(PlatformFileTest, ReadStopsAtTheEnd) {
    const std::vector<uint8_t> bytes = Pattern(10);
    WriteFile(bytes);

    PlatformFile file = PlatformOpenForRead(path_.c_str());
    ASSERT_NE(file, nullptr);
    uint8_t buffer[32];
    EXPECT_EQ(PlatformRead(file, buffer, sizeof(buffer)), 10u);
    EXPECT_EQ(memcmp(buffer, bytes.data(), 10), 0);
    EXPECT_EQ(PlatformRead(file, buffer, sizeof(buffer)), 0u);
    PlatformClose(file);
}

TEST_F(PlatformFileTest, SeekMovesToAnAbsoluteOffset) {
    const std::vector<uint8_t> bytes = Pattern(64);
    WriteFile(bytes);

    PlatformFile file = PlatformOpenForRead(path_.c_str());
    ASSERT_NE(file, nullptr);
    uint8_t buffer[4];
    ASSERT_EQ(PlatformRead(file, buffer, 4), 4u);
    EXPECT_TRUE(PlatformSeek(file, 40));
    ASSERT_EQ(PlatformRead(file, buffer, 4), 4u);
    EXPECT_EQ(memcmp(buffer, bytes.data() + 40, 4), 0);
    EXPECT_TRUE(PlatformSeek(file, 2));
    ASSERT_EQ(PlatformRead(file, buffer, 4), 4u);
    EXPECT_EQ(memcmp(buffer, bytes.data() + 2, 4), 0);
    // Offsets past a signed 32-bit file pointer are refused.
    EXPECT_FALSE(PlatformSeek(file, 0x80000000u));
    PlatformClose(file);
}

TEST_F(PlatformFileTest, SeekBackPatchesWrittenBytes) {
    PlatformFile file = PlatformCreateForWrite(path_.c_str());
    ASSERT_NE(file, nullptr);
    const uint8_t body[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t patch[2] = {0xAA, 0xBB};
    EXPECT_TRUE(PlatformWrite(file, body, sizeof(body)));
    EXPECT_TRUE(PlatformSeek(file, 3));
    EXPECT_TRUE(PlatformWrite(file, patch, sizeof(patch)));
    // Writing past the end leaves zeros in between.
    EXPECT_TRUE(PlatformSeek(file, 10));
    EXPECT_TRUE(PlatformWrite(file, patch, 1));
    PlatformClose(file);

    const std::vector<uint8_t> expected = {1, 2, 3, 0xAA, 0xBB, 6, 7, 8, 0, 0, 0xAA};
    EXPECT_EQ(ReadFile(), expected);
}

TEST_F(PlatformFileTest, CreateReplacesAnExistingFile) {
    WriteFile(Pattern(100));
    WriteFile(Pattern(3));
    EXPECT_EQ(ReadFile(), Pattern(3));
}

TEST_F(PlatformFileTest, MissingFilesAndFoldersAreReported) {
    EXPECT_EQ(PlatformOpenForRead(path_.c_str()), nullptr);
    EXPECT_EQ(PlatformOpenForRead(nullptr), nullptr);
    const std::string inMissingFolder = path_ + "/no/such/file";
    EXPECT_EQ(PlatformCreateForWrite(inMissingFolder.c_str()), nullptr);
}

TEST_F(PlatformFileTest, ReadOnlyAndWriteOnlyHandlesRefuseTheOtherDirection) {
    WriteFile(Pattern(16));
    uint8_t buffer[4] = {};
    PlatformFile reader = PlatformOpenForRead(path_.c_str());
    ASSERT_NE(reader, nullptr);
    EXPECT_FALSE(PlatformWrite(reader, buffer, sizeof(buffer)));
    PlatformClose(reader);

    PlatformFile writer = PlatformCreateForWrite(path_.c_str());
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(PlatformRead(writer, buffer, sizeof(buffer)), 0u);
    PlatformClose(writer);
}

// Sparse files: the sizes are reached without writing the bytes.
TEST_F(PlatformFileTest, SizeOfTwoGibibytesIsRefused) {
    int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    if (ftruncate(fd, 0x7FFFFFFF) != 0) {
        close(fd);
        GTEST_SKIP() << "no sparse files here";
    }
    PlatformFile file = PlatformOpenForRead(path_.c_str());
    ASSERT_NE(file, nullptr);
    uint32_t size = 0;
    EXPECT_TRUE(PlatformFileSize(file, &size));
    EXPECT_EQ(size, 0x7FFFFFFFu);

    ASSERT_EQ(ftruncate(fd, 0x80000000LL), 0);
    size = 123;
    EXPECT_FALSE(PlatformFileSize(file, &size));
    EXPECT_EQ(size, 123u);
    PlatformClose(file);
    close(fd);
}

TEST(PlatformModule, FindsExportedSymbols) {
    PlatformModule module = PlatformLoadModule(FULL_TEST_HOST_PATH);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(PlatformFindSymbol(module, "MQ_SendMessage"), nullptr);
    EXPECT_EQ(PlatformFindSymbol(module, "MQ_NoSuchFunction"), nullptr);
    PlatformFreeModule(module);

    EXPECT_EQ(PlatformLoadModule("/nonexistent/module.so"), nullptr);
    EXPECT_EQ(PlatformLoadModule(nullptr), nullptr);
}

TEST(PlatformLocalMemory, BlocksAreUsableUntilFreed) {
    uint8_t* block = static_cast<uint8_t*>(PlatformLocalAlloc(256));
    ASSERT_NE(block, nullptr);
    memset(block, 0x5A, 256);
    EXPECT_EQ(block[255], 0x5A);
    PlatformLocalFree(block);
    PlatformLocalFree(nullptr);
}

} // namespace
