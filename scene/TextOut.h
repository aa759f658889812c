// A long text made a line at a time: lines are written straight into the
// room at the text's end, and the text goes on to its file in pieces.
#pragma once

#include <stddef.h>

#include <memory>
#include <string>

class FileSink;

// With a sink, each full piece is handed on, so a large text is never held
// whole; without one, the whole text stays (Text()). Room() gives at least
// kLineRoom bytes at the text's end to write into; Advance(end) keeps what
// was written there.
class TextOut {
  public:
    static constexpr size_t kLineRoom = 4096;

    explicit TextOut(FileSink* sink);
    char* Room() {
        if (capacity_ - used_ < kLineRoom) {
            MakeRoom(kLineRoom);
        }
        return text_.get() + used_;
    }
    void Advance(const char* end) {
        used_ = static_cast<size_t>(end - text_.get());
        if (sink_ != nullptr && used_ >= kPieceSize) {
            Pass();
        }
    }
    void Add(const char* bytes, size_t size);
    void Add(const std::string& part) { Add(part.data(), part.size()); }
    std::string Text() const { return std::string(text_.get(), used_); }
    // Hands on what is left; false when a write failed.
    bool Finish();

  private:
    static constexpr size_t kPieceSize = 256 * 1024;
    // With a sink, hands the text on; without one, grows it.
    void MakeRoom(size_t size);
    void Pass();

    FileSink* sink_;
    std::unique_ptr<char[]> text_;
    size_t capacity_ = 0;
    size_t used_ = 0;
    bool ok_ = true;
};
