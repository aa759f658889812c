#include "hostsim/ImageDecode.h"

#include <stdint.h>
#include <string.h>

#include <string>

#include "hostsim/LittleEndian.h"
#include "hostsim/WholeFile.h"
#include "platform/Platform.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS kDibMaxSide
#include <stb/stb_image.h>

namespace {

// The pixel block may not exceed this; it keeps every size inside 32 bits.
const uint64_t kMaxPixelBytes = UINT64_C(1) << 29;

void WriteHeader(uint8_t* h, int32_t width, int32_t height, uint16_t bitCount, uint32_t size) {
    memset(h, 0, kDibHeaderSize);
    PutLeU32(h, kDibHeaderSize);
    PutLeI32(h + kDibWidth, width);
    PutLeI32(h + kDibHeight, height);
    PutLeU16(h + kDibPlanes, 1);
    PutLeU16(h + kDibBitCount, bitCount);
    PutLeU32(h + kDibSizeImage, size); // biCompression (+16) stays 0: uncompressed
}

// One pixel of samples as blue, green, red (and alpha for 4-byte pixels).
void WritePixel(uint8_t* out, const uint8_t* in, int32_t channels) {
    switch (channels) {
    case 1:
        out[0] = out[1] = out[2] = in[0];
        break;
    case 2:
        out[0] = out[1] = out[2] = in[0];
        out[3] = in[1];
        break;
    case 3:
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        break;
    default:
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = in[3];
        break;
    }
}

void Clear(DibBlocks* out) {
    out->header = nullptr;
    out->pixels = nullptr;
}

} // namespace

uint32_t DibRowSize(int32_t width, int32_t bitCount) {
    if (width < 1 || width > kDibMaxSide || (bitCount != 24 && bitCount != 32)) {
        return 0;
    }
    uint32_t bytes = static_cast<uint32_t>(width) * static_cast<uint32_t>(bitCount / 8);
    return (bytes + 3u) & ~3u;
}

bool MakeDib(const uint8_t* samples, int32_t width, int32_t height, int32_t channels,
             DibBlocks* out) {
    Clear(out);
    if (samples == nullptr || channels < 1 || channels > 4 || height < 1 || height > kDibMaxSide) {
        return false;
    }
    int32_t bitCount = (channels == 2 || channels == 4) ? 32 : 24;
    uint32_t rowSize = DibRowSize(width, bitCount);
    uint64_t total = static_cast<uint64_t>(rowSize) * static_cast<uint64_t>(height);
    if (rowSize == 0 || total > kMaxPixelBytes) {
        return false;
    }
    uint8_t* header = static_cast<uint8_t*>(PlatformLocalAlloc(kDibHeaderSize));
    uint8_t* pixels = static_cast<uint8_t*>(PlatformLocalAlloc(static_cast<size_t>(total)));
    if (header == nullptr || pixels == nullptr) {
        PlatformLocalFree(header);
        PlatformLocalFree(pixels);
        return false;
    }
    WriteHeader(header, width, height, static_cast<uint16_t>(bitCount),
                static_cast<uint32_t>(total));
    memset(pixels, 0, static_cast<size_t>(total));
    size_t inRow = static_cast<size_t>(width) * static_cast<size_t>(channels);
    size_t pixelBytes = static_cast<size_t>(bitCount / 8);
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* in = samples + static_cast<size_t>(height - 1 - r) * inRow;
        uint8_t* row = pixels + static_cast<size_t>(r) * rowSize;
        for (int32_t x = 0; x < width; ++x) {
            WritePixel(row + static_cast<size_t>(x) * pixelBytes,
                       in + static_cast<size_t>(x) * static_cast<size_t>(channels), channels);
        }
    }
    out->header = header;
    out->pixels = pixels;
    return true;
}

bool DecodeImageFile(const char* path, DibBlocks* out) {
    Clear(out);
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    std::string bytes;
    if (!ReadWholeFile(path, &bytes) || bytes.size() > INT32_MAX) {
        return false;
    }
    stbi_uc* samples =
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                              static_cast<int>(bytes.size()), &width, &height, &channels, 0);
    if (samples == nullptr) {
        return false;
    }
    bool made = MakeDib(samples, width, height, channels, out);
    stbi_image_free(samples);
    return made;
}
