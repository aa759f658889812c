// A byte stream over a growable buffer in memory.
#include "format/ByteStream.h"

#include <string.h>

MemoryStream::MemoryStream(const void* data, size_t size)
    : data_(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size) {}

uint32_t MemoryStream::Size() const {
    // Saturates so that an oversized buffer is seen as too large, not as a small one.
    return data_.size() > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(data_.size());
}

uint32_t MemoryStream::Read(void* buffer, uint32_t size) {
    const uint32_t end = Size();
    if (position_ >= end) {
        return 0;
    }
    const uint32_t n = size < end - position_ ? size : end - position_;
    memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

bool MemoryStream::Write(const void* buffer, uint32_t size) {
    if (size == 0) {
        return true;
    }
    if (position_ > kMaxStreamSize || size > kMaxStreamSize - position_) {
        return false;
    }
    const uint32_t end = position_ + size;
    if (end > data_.size()) {
        data_.resize(end); // a gap left by a seek past the end reads as zeros
    }
    memcpy(data_.data() + position_, buffer, size);
    position_ = end;
    return true;
}

bool MemoryStream::Seek(uint32_t offset) {
    position_ = offset;
    return true;
}
