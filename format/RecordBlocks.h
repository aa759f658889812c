// Reading arrays of fixed-size records a block at a time, so that a record
// costs no stream call.
#pragma once

#include <stdint.h>

#include "format/SectionReader.h"

// Reads count records of recordSize bytes (at most 4096) from the innermost
// entered section and hands each to decode(index, bytes). False on a short read.
template <typename Decode>
bool ReadRecordBlocks(SectionCursor& c, uint32_t count, uint32_t recordSize, Decode decode) {
    uint8_t block[4096];
    uint32_t perBlock = sizeof block / recordSize;
    for (uint32_t done = 0; done < count;) {
        uint32_t n = count - done < perBlock ? count - done : perBlock;
        if (!ReadBytes(c, block, n * recordSize))
            return false;
        for (uint32_t i = 0; i < n; ++i)
            decode(done + i, block + i * recordSize);
        done += n;
    }
    return true;
}
