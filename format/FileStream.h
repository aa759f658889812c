// The buffered stream over a platform file that models, dictionaries and
// scenes are read and written through.
#pragma once

#include <stdint.h>

#include "format/ByteStream.h"
#include "platform/Platform.h"

// A buffered stream over a platform file. Open it for reading or create it for
// writing; Close flushes and closes (the destructor closes too). A stream
// opened for reading does not write, one created for writing does not read.
// Field-sized reads and writes go through a 64 KiB buffer; writes anywhere
// (size patches included) produce exactly the bytes a direct write would, and
// transfers of a buffer's length or more bypass the buffer.
class FileStream final : public ByteStream {
  public:
    FileStream() = default;
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    // False when the file cannot be opened or is 2 GiB or more.
    bool OpenForRead(const char* path);
    bool CreateForWrite(const char* path);
    // Takes over a file just created for writing (it is closed on failure too).
    bool AdoptForWrite(PlatformFile file);
    bool IsOpen() const { return file_ != nullptr; }
    // Flushes pending output, with toDisk until it is on the disk, and
    // closes; false when a write, the flush to the disk or the close failed.
    bool Close(bool toDisk = false);

    uint32_t Read(void* buffer, uint32_t size) override;
    bool Write(const void* buffer, uint32_t size) override;
    bool Seek(uint32_t offset) override;
    uint32_t Tell() const override { return position_; }
    uint32_t Size() const override { return size_; }

  private:
    void Attach(PlatformFile file, bool writing, uint32_t size);
    bool Flush();
    bool Fill();
    bool SeekFile(uint32_t offset);
    bool WriteAt(uint32_t offset, const uint8_t* data, uint32_t size);
    uint32_t ReadDirect(uint8_t* data, uint32_t size);

    PlatformFile file_ = nullptr;
    bool writing_ = false;
    bool failed_ = false;
    uint32_t position_ = 0;     // logical offset
    uint32_t size_ = 0;         // logical size
    uint32_t filePosition_ = 0; // offset of the platform file, UINT32_MAX when unknown
    // The buffer holds bytes [bufferStart_, bufferStart_ + bufferLength_).
    uint32_t bufferStart_ = 0;
    uint32_t bufferLength_ = 0;
    bool dirty_ = false;
    std::vector<uint8_t> buffer_;
};
