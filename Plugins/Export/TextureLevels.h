// A texture's pixel data in an encoding: its one level streamed from the
// host's image band by band, or a full mip chain from a copy of the image
// that is halved in place, each level after the first preceded by its size.
#pragma once

#include <stdint.h>

#include "Plugins/Export/TextureEncodings.h"
#include "Plugins/Export/TexturePixels.h"
#include "format/ByteStream.h"
#include "format/TextureDictionaryLayout.h"
#include "frame/HeapArray.h"

// Levels of a full chain: the larger side halved down to 1.
uint8_t MipLevelCount(uint32_t width, uint32_t height);
// Box-filters a level of 4-byte pixels into the next one in place: every
// channel of a pixel is the rounded mean of the 2 x 2 pixels above it (of
// the 2 x 1 or 1 x 2 along a side of 1; an odd side's last column or row is
// left out).
void HalveMipLevel(uint8_t* pixels, uint32_t width, uint32_t height);
// Bytes of levels levels of a width x height raster: every level's data and
// the size field of every level after the first.
uint64_t TextureLevelsBytes(const TextureEncoding& e, uint32_t width, uint32_t height,
                            uint8_t levels);

class TextureLevelWriter {
  public:
    // Buffers for an image of width x height; false when memory cannot be had.
    bool Prepare(const TextureEncoding& e, uint32_t width, uint32_t height, uint8_t levels);
    // Writes every level from the rows of source (top row first).
    void WriteLevels(ByteStream& s, PixelSource& source);

  private:
    template <typename RowAt>
    void WriteLevel(ByteStream& s, uint32_t width, uint32_t height, bool rowsStay, RowAt rowAt);

    const TextureEncoding* encoding_ = nullptr;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    uint8_t levels_ = 1;
    // Blocks of a level held in memory, encoded over every processor.
    void WriteBlockLevel(ByteStream& s, uint32_t width, uint32_t height);

    HeapArray<uint8_t> image_;   // the level being written, for a chain or blocks
    HeapArray<uint8_t> band_;    // copied rows of one band
    HeapArray<uint8_t> encoded_; // one encoded band, or a whole level of blocks
};
