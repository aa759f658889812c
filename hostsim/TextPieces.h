// Long texts made a line at a time: lines are written straight into a
// buffer's room, the text goes on to its file in pieces, and parts of it can
// be made side by side on several threads and still go on in order.
#pragma once

#include <stddef.h>

#include <memory>
#include <string>

class FileSink;

// A growing text. Room() gives at least kLineRoom bytes at its end to write
// into; Advance(end) keeps what was written there.
class TextBuffer {
  public:
    static constexpr size_t kLineRoom = 4096;

    char* Room() {
        if (capacity_ - used_ < kLineRoom) {
            Grow(used_ + kLineRoom);
        }
        return text_.get() + used_;
    }
    void Advance(const char* end) { used_ = static_cast<size_t>(end - text_.get()); }
    void Add(const char* bytes, size_t size);
    const char* Data() const { return text_.get(); }
    size_t Size() const { return used_; }
    void Clear() { used_ = 0; }
    void Reserve(size_t capacity) { Grow(capacity); }

  private:
    void Grow(size_t least);

    std::unique_ptr<char[]> text_;
    size_t capacity_ = 0;
    size_t used_ = 0;
};

// Threads that make chunks of a text side by side, at most.
constexpr int kTextWorkers = 4;

// Makes one chunk's text into text (empty on arrival; about 100 KB at most
// are best). worker (0 to
// kTextWorkers - 1) says which thread calls, for state of its own: no two
// calls with the same worker run at once. The work must not call the host.
using ChunkFormat = void (*)(void* context, int worker, size_t chunk, TextBuffer& text);

struct ChunkSlots;

// A document's text on its way out: with a sink, each full piece is handed
// on, so a large text is never held whole; without one, the whole text stays
// (Text()).
class TextOut {
  public:
    explicit TextOut(FileSink* sink);
    ~TextOut();
    char* Room() { return text_.Room(); }
    void Advance(const char* end) {
        text_.Advance(end);
        if (sink_ != nullptr && text_.Size() >= kPieceSize) {
            Pass();
        }
    }
    void Add(const char* bytes, size_t size);
    void Add(const std::string& part) { Add(part.data(), part.size()); }
    std::string Text() const { return std::string(text_.Data(), text_.Size()); }
    // Adds the texts of chunks 0 to count - 1, in order. The chunks are made
    // side by side on the machine's processors (up to kTextWorkers), and
    // those done are handed on in order as they come; at most
    // 2 * kTextWorkers chunk texts wait for their turn, in buffers kept for
    // the next call.
    void AddChunks(size_t count, ChunkFormat format, void* context);
    // Hands on what is left; false when a write failed.
    bool Finish();

  private:
    static constexpr size_t kPieceSize = 256 * 1024;
    void Pass();

    FileSink* sink_;
    TextBuffer text_;
    std::unique_ptr<ChunkSlots> slots_;
    bool ok_ = true;
};
