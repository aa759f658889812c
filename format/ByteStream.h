// Byte streams with explicit little-endian reads and writes, over memory or
// over a file. File streams are buffered in both directions, so reading or
// writing one field costs no system call.
#pragma once

#include <math.h>
#include <stddef.h>
#include <stdint.h>

#include <vector>

// Largest size a stream may reach: files of 2 GiB or more are not supported.
constexpr uint32_t kMaxStreamSize = 0x7FFFFFFF;

class ByteStream {
  public:
    virtual ~ByteStream() = default;
    // Reads up to size bytes at the current offset; returns how many were read.
    virtual uint32_t Read(void* buffer, uint32_t size) = 0;
    // Writes size bytes at the current offset, overwriting or extending; false
    // when the data would end past kMaxStreamSize (nothing is written then).
    virtual bool Write(const void* buffer, uint32_t size) = 0;
    // Moves to an absolute offset (past the end is allowed for writing).
    virtual bool Seek(uint32_t offset) = 0;
    virtual uint32_t Tell() const = 0;
    // Current size of the data (for a file being written, including what is buffered).
    virtual uint32_t Size() const = 0;
    // Whether WriteF32 was given a value that is not finite (NaN, infinity):
    // such a stream is not fit to become a file.
    bool WroteNonFinite() const { return wroteNonFinite_; }
    void NoteNonFinite() { wroteNonFinite_ = true; }

  private:
    bool wroteNonFinite_ = false;
};

// Little-endian writes.
bool WriteU8(ByteStream& s, uint8_t v);
bool WriteU16(ByteStream& s, uint16_t v);
bool WriteU32(ByteStream& s, uint32_t v);
bool WriteI32(ByteStream& s, int32_t v);
bool WriteF32(ByteStream& s, float v);

// Little-endian reads; false on a short read (the value is then 0).
bool ReadU8(ByteStream& s, uint8_t* v);
bool ReadU16(ByteStream& s, uint16_t* v);
bool ReadU32(ByteStream& s, uint32_t* v);
bool ReadI32(ByteStream& s, int32_t* v);
bool ReadF32(ByteStream& s, float* v);

// Decoding and encoding of little-endian values in a byte buffer.
uint16_t LoadU16(const uint8_t* p);
uint32_t LoadU32(const uint8_t* p);
float LoadF32(const uint8_t* p);
void StoreU16(uint8_t* p, uint16_t v);
void StoreU32(uint8_t* p, uint32_t v);
void StoreF32(uint8_t* p, float v);

// Gathers the fields of an array of records (little-endian, as the single
// writes above) and hands them to the stream a block at a time, so a record
// costs no stream call per field. Finish writes what is left and says whether
// every block was written; the destructor does not write.
class BlockWriter {
  public:
    explicit BlockWriter(ByteStream& s) : stream_(s) {}
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // Room for size bytes (at most kBlockSize): the next size bytes of the block.
    uint8_t* Reserve(uint32_t size) {
        if (used_ > kBlockSize - size) {
            Flush();
        }
        uint8_t* at = block_ + used_;
        used_ += size;
        return at;
    }
    void U32(uint32_t v) { StoreU32(Reserve(4), v); }
    // Notes a value that is not finite on the stream, as WriteF32 does.
    void F32(float v) {
        if (!isfinite(v))
            stream_.NoteNonFinite();
        StoreF32(Reserve(4), v);
    }
    bool Finish() {
        Flush();
        return ok_;
    }

  private:
    static constexpr uint32_t kBlockSize = 4096;
    void Flush() {
        ok_ = (used_ == 0 || stream_.Write(block_, used_)) && ok_;
        used_ = 0;
    }

    ByteStream& stream_;
    uint8_t block_[kBlockSize];
    uint32_t used_ = 0;
    bool ok_ = true;
};

// A stream over bytes in memory. It owns a copy of what it is given. Seeking
// past the end is allowed; writing there fills the gap with zeros.
class MemoryStream final : public ByteStream {
  public:
    MemoryStream() = default;
    MemoryStream(const void* data, size_t size);
    uint32_t Read(void* buffer, uint32_t size) override;
    bool Write(const void* buffer, uint32_t size) override;
    bool Seek(uint32_t offset) override;
    uint32_t Tell() const override { return position_; }
    uint32_t Size() const override;
    const std::vector<uint8_t>& Data() const { return data_; }

  private:
    std::vector<uint8_t> data_;
    uint32_t position_ = 0;
};
