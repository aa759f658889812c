// A byte stream over a platform file, buffered in both directions.
#include "format/FileStream.h"

#include <string.h>

namespace {

constexpr uint32_t kBufferCapacity = 1024 * 1024;
constexpr uint32_t kUnknownOffset = UINT32_MAX;

uint32_t Min(uint32_t a, uint32_t b) {
    return a < b ? a : b;
}

} // namespace

FileStream::~FileStream() {
    Close();
}

void FileStream::Attach(PlatformFile file, bool writing, uint32_t size) {
    file_ = file;
    writing_ = writing;
    failed_ = false;
    position_ = 0;
    size_ = size;
    filePosition_ = 0;
    bufferStart_ = 0;
    bufferLength_ = 0;
    dirty_ = false;
    buffer_.resize(kBufferCapacity);
}

bool FileStream::OpenForRead(const char* path) {
    Close();
    PlatformFile file = PlatformOpenForRead(path);
    if (file == nullptr) {
        return false;
    }
    uint32_t size = 0;
    if (!PlatformFileSize(file, &size) || size > kMaxStreamSize) {
        PlatformClose(file);
        return false;
    }
    Attach(file, false, size);
    return true;
}

bool FileStream::CreateForWrite(const char* path) {
    Close();
    PlatformFile file = PlatformCreateForWrite(path);
    if (file == nullptr) {
        return false;
    }
    Attach(file, true, 0);
    return true;
}

bool FileStream::AdoptForWrite(PlatformFile file) {
    Close();
    if (file == nullptr) {
        return false;
    }
    Attach(file, true, 0);
    return true;
}

bool FileStream::Close(bool toDisk) {
    if (file_ == nullptr) {
        return true;
    }
    Flush();
    if (writing_ && toDisk && !failed_ && !PlatformFlushToDisk(file_)) {
        failed_ = true;
    }
    if (!PlatformClose(file_) && writing_) {
        failed_ = true;
    }
    file_ = nullptr;
    return !failed_;
}

bool FileStream::Seek(uint32_t offset) {
    if (file_ == nullptr) {
        return false;
    }
    position_ = offset;
    return true;
}

bool FileStream::SeekFile(uint32_t offset) {
    if (filePosition_ == offset) {
        return true;
    }
    if (!PlatformSeek(file_, offset)) {
        filePosition_ = kUnknownOffset;
        return false;
    }
    filePosition_ = offset;
    return true;
}

bool FileStream::WriteAt(uint32_t offset, const uint8_t* data, uint32_t size) {
    if (!SeekFile(offset) || !PlatformWrite(file_, data, size)) {
        filePosition_ = kUnknownOffset;
        failed_ = true;
        return false;
    }
    filePosition_ = offset + size;
    return true;
}

bool FileStream::Flush() {
    bool ok = true;
    if (dirty_ && bufferLength_ > 0) {
        ok = WriteAt(bufferStart_, buffer_.data(), bufferLength_);
    }
    // Even a failed flush drops the bytes: the failure is kept for Close.
    bufferStart_ += bufferLength_;
    bufferLength_ = 0;
    dirty_ = false;
    return ok;
}

bool FileStream::Write(const void* buffer, uint32_t size) {
    if (file_ == nullptr || !writing_) {
        return false;
    }
    if (size == 0) {
        return true;
    }
    if (position_ > kMaxStreamSize || size > kMaxStreamSize - position_) {
        return false;
    }
    const uint8_t* data = static_cast<const uint8_t*>(buffer);
    if (bufferLength_ == 0) {
        bufferStart_ = position_;
    }
    bool ok = true;
    if (position_ >= bufferStart_ && position_ - bufferStart_ <= bufferLength_ &&
        size <= kBufferCapacity - (position_ - bufferStart_)) {
        // Inside or right after the buffered bytes: edit or extend the buffer.
        const uint32_t offset = position_ - bufferStart_;
        memcpy(buffer_.data() + offset, data, size);
        if (offset + size > bufferLength_) {
            bufferLength_ = offset + size;
        }
        dirty_ = true;
    } else if (position_ < bufferStart_ && size <= bufferStart_ - position_) {
        // Wholly before the buffered bytes (a size patch): those bytes are in
        // the file already, so write them there and keep the buffer.
        ok = WriteAt(position_, data, size);
    } else {
        ok = Flush();
        if (ok && size >= kBufferCapacity) {
            ok = WriteAt(position_, data, size);
        } else if (ok) {
            bufferStart_ = position_;
            memcpy(buffer_.data(), data, size);
            bufferLength_ = size;
            dirty_ = true;
        }
    }
    if (!ok) {
        return false;
    }
    position_ += size;
    if (position_ > size_) {
        size_ = position_;
    }
    return true;
}

bool FileStream::Fill() {
    bufferStart_ = position_;
    bufferLength_ = ReadDirect(buffer_.data(), kBufferCapacity);
    return bufferLength_ > 0;
}

uint32_t FileStream::ReadDirect(uint8_t* data, uint32_t size) {
    if (!SeekFile(position_)) {
        return 0;
    }
    const uint32_t got = PlatformRead(file_, data, size);
    filePosition_ = got > 0 ? position_ + got : kUnknownOffset;
    return got;
}

uint32_t FileStream::Read(void* buffer, uint32_t size) {
    if (file_ == nullptr || writing_) {
        return 0;
    }
    uint8_t* out = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < size && position_ < size_) {
        const uint32_t want = Min(size - done, size_ - position_);
        if (position_ >= bufferStart_ && position_ - bufferStart_ < bufferLength_) {
            const uint32_t offset = position_ - bufferStart_;
            const uint32_t n = Min(bufferLength_ - offset, want);
            memcpy(out + done, buffer_.data() + offset, n);
            done += n;
            position_ += n;
        } else if (want >= kBufferCapacity) {
            const uint32_t got = ReadDirect(out + done, want);
            if (got == 0) {
                break;
            }
            done += got;
            position_ += got;
        } else if (!Fill()) {
            break;
        }
    }
    return done;
}
