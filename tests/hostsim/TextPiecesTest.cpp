#include <gtest/gtest.h>
#include <string.h>

#include <atomic>
#include <string>

#include "hostsim/TextPieces.h"
#include "hostsim/WholeFile.h"

namespace {

class StringSink : public FileSink {
  public:
    bool Put(const char* bytes, size_t size) override {
        text.append(bytes, size);
        return true;
    }
    std::string text;
};

// Chunk k: its number, then filler of a length that varies from nothing to
// more than a piece, so that chunks are both gathered and passed on whole.
std::string ChunkText(size_t chunk) {
    std::string text = std::to_string(chunk) + ":";
    text.append((chunk * 7919u) % 97 == 0 ? 300000 : (chunk * 7919u) % 5000, 'a' + chunk % 26);
    return text;
}

std::atomic<int> g_badWorkers{0};

void FormatChunk(void*, int worker, size_t chunk, TextBuffer& text) {
    if (worker < 0 || worker >= kTextWorkers || text.Size() != 0) {
        ++g_badWorkers;
    }
    const std::string part = ChunkText(chunk);
    for (size_t done = 0; done < part.size();) {
        size_t size = part.size() - done < 1000 ? part.size() - done : 1000;
        char* room = text.Room();
        memcpy(room, part.data() + done, size);
        text.Advance(room + size);
        done += size;
    }
}

// Chunks made side by side arrive whole and in order, with and without a sink,
// and again when the buffers are used a second time.
TEST(TextPiecesTest, ChunksGoOnInOrder) {
    std::string expected = "head;";
    for (size_t k = 0; k < 500; ++k) {
        expected += ChunkText(k);
    }
    expected += ";";
    for (size_t k = 0; k < 3; ++k) {
        expected += ChunkText(k);
    }
    for (int round = 0; round < 10; ++round) {
        StringSink sink;
        TextOut out(&sink);
        out.Add("head;", 5);
        out.AddChunks(500, &FormatChunk, nullptr);
        out.Add(";", 1);
        out.AddChunks(3, &FormatChunk, nullptr);
        ASSERT_TRUE(out.Finish());
        ASSERT_EQ(sink.text.size(), expected.size());
        ASSERT_TRUE(sink.text == expected) << "round " << round;
    }
    TextOut whole(nullptr);
    whole.Add("head;", 5);
    whole.AddChunks(500, &FormatChunk, nullptr);
    whole.Add(";", 1);
    whole.AddChunks(3, &FormatChunk, nullptr);
    EXPECT_TRUE(whole.Text() == expected);
    EXPECT_EQ(g_badWorkers.load(), 0);
}

} // namespace
