#include "Plugins/Export/TextureLevels.h"

#include "platform/Platform.h"

#include <string.h>

#include "format/TextureDictionaryLayout.h"

namespace {

constexpr size_t kPixelBytes = kTexturePixelSize;

bool AllocateBytes(HeapArray<uint8_t>& array, uint64_t bytes) {
    return bytes <= SIZE_MAX && array.Allocate(static_cast<size_t>(bytes));
}

} // namespace

uint8_t MipLevelCount(uint32_t width, uint32_t height) {
    uint32_t side = width > height ? width : height;
    uint8_t levels = 1;
    for (; side > 1; side /= 2)
        ++levels;
    return levels;
}

// Each result pixel lies at or before the first of its source pixels, and the
// sources of later pixels lie further on, so the filter can run in place.
void HalveMipLevel(uint8_t* pixels, uint32_t width, uint32_t height) {
    uint32_t nextWidth = MipSide(width, 1), nextHeight = MipSide(height, 1);
    size_t rowBytes = static_cast<size_t>(width) * kPixelBytes;
    uint8_t* out = pixels;
    for (uint32_t y = 0; y < nextHeight; ++y) {
        const uint8_t* top = pixels + static_cast<size_t>(height > 1 ? 2 * y : 0) * rowBytes;
        const uint8_t* bottom = height > 1 ? top + rowBytes : top;
        for (uint32_t x = 0; x < nextWidth; ++x, out += kPixelBytes) {
            size_t left = static_cast<size_t>(width > 1 ? 2 * x : 0) * kPixelBytes;
            size_t right = width > 1 ? left + kPixelBytes : left;
            for (size_t c = 0; c < kPixelBytes; ++c)
                out[c] = static_cast<uint8_t>(
                    (top[left + c] + top[right + c] + bottom[left + c] + bottom[right + c] + 2) /
                    4);
        }
    }
}

uint64_t TextureLevelsBytes(const TextureEncoding& e, uint32_t width, uint32_t height,
                            uint8_t levels) {
    uint64_t bytes = 0;
    for (uint8_t level = 0; level < levels; ++level) {
        if (level > 0) {
            width = MipSide(width, 1);
            height = MipSide(height, 1);
            bytes += kTextureLevelSizeField;
        }
        bytes += TextureLevelBytes(e, width, height);
    }
    return bytes;
}

bool TextureLevelWriter::Prepare(const TextureEncoding& e, uint32_t width, uint32_t height,
                                 uint8_t levels) {
    encoding_ = &e;
    width_ = width;
    height_ = height;
    levels_ = levels;
    uint64_t rowBytes = static_cast<uint64_t>(width) * kPixelBytes;
    // Blocks are encoded a whole level at a time, from the image in memory.
    bool blocks = e.blockSide > 1;
    uint64_t encodedBytes =
        blocks ? TextureLevelBytes(e, width, height) : TextureBandBytes(e, width);
    if (!AllocateBytes(encoded_, encodedBytes))
        return false;
    if (levels > 1 || blocks)
        return AllocateBytes(image_, rowBytes * height);
    return true;
}

namespace {

// Bands of blocks per piece of work handed to a thread.
constexpr uint32_t kBandsPerTask = 16;

struct BlockLevelJob {
    const TextureEncoding* encoding;
    const uint8_t* pixels;
    size_t rowBytes;
    uint32_t width, height, bands;
    uint64_t bandBytes;
    uint8_t* out;
};

// Encodes bands task x kBandsPerTask onwards; bands at the bottom edge repeat
// the last row.
void EncodeBlockBands(void* context, int32_t task) {
    const BlockLevelJob& j = *static_cast<const BlockLevelJob*>(context);
    const TextureEncoding& e = *j.encoding;
    uint32_t first = static_cast<uint32_t>(task) * kBandsPerTask;
    uint32_t end = first + kBandsPerTask < j.bands ? first + kBandsPerTask : j.bands;
    const uint8_t* rows[kMaxEncodingBlockSide];
    for (uint32_t band = first; band < end; ++band) {
        uint32_t top = band * e.blockSide;
        for (uint32_t r = 0; r < e.blockSide; ++r) {
            uint32_t y = top + r < j.height ? top + r : j.height - 1;
            rows[r] = j.pixels + y * j.rowBytes;
        }
        e.encodeBand(rows, j.width, j.out + band * j.bandBytes);
    }
}

} // namespace

void TextureLevelWriter::WriteBlockLevel(ByteStream& s, uint32_t width, uint32_t height) {
    const TextureEncoding& e = *encoding_;
    BlockLevelJob job = {&e,
                         image_.Data(),
                         static_cast<size_t>(width) * kPixelBytes,
                         width,
                         height,
                         (height + e.blockSide - 1) / e.blockSide,
                         TextureBandBytes(e, width),
                         encoded_.Data()};
    int32_t tasks = static_cast<int32_t>((job.bands + kBandsPerTask - 1) / kBandsPerTask);
    PlatformParallelFor(tasks, EncodeBlockBands, &job);
    WriteRasterBytes(s, encoded_.Data(), static_cast<uint32_t>(job.bands * job.bandBytes));
}

// rowsStay: a row returned by rowAt stays valid through the band, so blocks
// can read it in place; otherwise each row is copied first.
template <typename RowAt>
void TextureLevelWriter::WriteLevel(ByteStream& s, uint32_t width, uint32_t height, bool rowsStay,
                                    RowAt rowAt) {
    const TextureEncoding& e = *encoding_;
    const uint8_t* rows[kMaxEncodingBlockSide];
    size_t rowBytes = static_cast<size_t>(width) * kPixelBytes;
    uint32_t bandBytes = static_cast<uint32_t>(TextureBandBytes(e, width));
    for (uint32_t top = 0; top < height; top += e.blockSide) {
        for (uint32_t r = 0; r < e.blockSide; ++r) {
            uint32_t y = top + r < height ? top + r : height - 1;
            if (rowsStay || e.blockSide == 1) {
                rows[r] = rowAt(y);
            } else {
                uint8_t* copy = band_.Data() + r * rowBytes;
                memcpy(copy, top + r < height ? rowAt(y) : rows[r - 1], rowBytes);
                rows[r] = copy;
            }
        }
        e.encodeBand(rows, width, encoded_.Data());
        WriteRasterBytes(s, encoded_.Data(), bandBytes);
    }
}

void TextureLevelWriter::WriteLevels(ByteStream& s, PixelSource& source) {
    auto sourceRow = [&source](uint32_t y) {
        return ConvertPixelRow(source, static_cast<int32_t>(y));
    };
    bool blocks = encoding_->blockSide > 1;
    if (levels_ == 1 && !blocks) {
        WriteLevel(s, width_, height_, false, sourceRow);
        return;
    }
    size_t rowBytes = static_cast<size_t>(width_) * kPixelBytes;
    for (uint32_t y = 0; y < height_; ++y)
        memcpy(image_.Data() + y * rowBytes, sourceRow(y), rowBytes);
    uint32_t width = width_, height = height_;
    for (uint8_t level = 0; level < levels_; ++level) {
        if (level > 0) {
            HalveMipLevel(image_.Data(), width, height);
            width = MipSide(width, 1);
            height = MipSide(height, 1);
            WriteRasterLevelSize(
                s, static_cast<uint32_t>(TextureLevelBytes(*encoding_, width, height)));
        }
        if (blocks) {
            WriteBlockLevel(s, width, height);
            continue;
        }
        const uint8_t* pixels = image_.Data();
        size_t levelRowBytes = static_cast<size_t>(width) * kPixelBytes;
        WriteLevel(s, width, height, true,
                   [pixels, levelRowBytes](uint32_t y) { return pixels + y * levelRowBytes; });
    }
}
