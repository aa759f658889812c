#include "scene/TextOut.h"

#include <string.h>

#include "hostsim/WholeFile.h"

TextOut::TextOut(FileSink* sink)
    : sink_(sink), text_(new char[kPieceSize + kLineRoom]), capacity_(kPieceSize + kLineRoom) {}

void TextOut::Add(const char* bytes, size_t size) {
    while (size > 0) {
        const size_t part = size < kLineRoom ? size : kLineRoom;
        char* room = Room();
        memcpy(room, bytes, part);
        Advance(room + part);
        bytes += part;
        size -= part;
    }
}

bool TextOut::Finish() {
    if (sink_ != nullptr) {
        Pass();
    }
    return ok_;
}

void TextOut::MakeRoom(size_t size) {
    if (sink_ != nullptr) {
        Pass();
        return;
    }
    const size_t capacity = capacity_ * 2 > used_ + size ? capacity_ * 2 : used_ + size;
    std::unique_ptr<char[]> larger(new char[capacity]);
    memcpy(larger.get(), text_.get(), used_);
    text_ = std::move(larger);
    capacity_ = capacity;
}

void TextOut::Pass() {
    if (used_ > 0) {
        ok_ = ok_ && sink_->Put(text_.get(), used_);
    }
    used_ = 0;
}
