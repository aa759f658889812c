// Helpers shared by the format tests: a small model-like section tree and a
// stream that watches how the reader moves.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "format/SectionReader.h"
#include "format/SectionWriter.h"

// Clump { Struct(3 x int32), Frame List { Struct, Extension { Frame "Spine" (odd
// length) }, Extension {} }, Extension {} } written with BeginSection/EndSection.
std::vector<uint8_t> BuildSmallClump();

// Appends a header in its raw form (any stamp) to a byte vector.
void AppendHeader(std::vector<uint8_t>& bytes, uint32_t type, uint32_t size,
                  uint32_t stamp = LibraryVersionStamp);
void AppendU32(std::vector<uint8_t>& bytes, uint32_t v);

// Enters every section from the cursor's position on, containers descended,
// and lists them as "depth:type:bodyStart:size ".
std::string WalkSections(SectionCursor& cursor);

// A memory stream that counts reads past its end and backward moves.
class WatchedStream final : public ByteStream {
  public:
    explicit WatchedStream(const std::vector<uint8_t>& bytes)
        : inner_(bytes.data(), bytes.size()) {}
    uint32_t Read(void* buffer, uint32_t size) override;
    bool Write(const void* buffer, uint32_t size) override { return inner_.Write(buffer, size); }
    bool Seek(uint32_t offset) override;
    uint32_t Tell() const override { return inner_.Tell(); }
    uint32_t Size() const override { return inner_.Size(); }

    int readsPastEnd = 0;
    int backwardMoves = 0;

  private:
    MemoryStream inner_;
};
