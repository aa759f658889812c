#include "Plugins/Export/TextureEncodings.h"

#include <string.h>

#include "Plugins/Export/DxtBlocks.h"
#include "format/TextureDictionaryLayout.h"

namespace {

// The pixels as they are: 4 bytes each, alpha 255 for opaque textures.
void EncodePixelRow(const uint8_t* const* rows, uint32_t width, uint8_t* out) {
    memcpy(out, rows[0], static_cast<size_t>(width) * kTexturePixelSize);
}

// One block per 4 columns; columns past the right edge repeat the last one.
template <void (*EncodeBlock)(const uint8_t*, uint8_t*), size_t kBlockBytes>
void EncodeDxtBand(const uint8_t* const* rows, uint32_t width, uint8_t* out) {
    uint8_t rgba[kDxtBlockPixelBytes];
    for (uint32_t left = 0; left < width; left += kDxtBlockSide, out += kBlockBytes) {
        uint8_t* q = rgba;
        for (size_t r = 0; r < kDxtBlockSide; ++r)
            for (uint32_t c = 0; c < kDxtBlockSide; ++c, q += 4) {
                uint32_t x = left + c < width ? left + c : width - 1;
                const uint8_t* p = rows[r] + static_cast<size_t>(x) * 4;
                q[0] = p[2];
                q[1] = p[1];
                q[2] = p[0];
                q[3] = p[3];
            }
        EncodeBlock(rgba, out);
    }
}

enum : int { k8888, k888, kDxt1, kDxt3 };

// DXT depths as the game's own dictionaries give them.
const TextureEncoding kEncodings[] = {
    {"8888", kRasterFormat8888, kD3DFormatA8R8G8B8, kTextureDepth, 0, 1, kTexturePixelSize,
     EncodePixelRow},
    {"888", kRasterFormat888, kD3DFormatX8R8G8B8, kTextureDepth, 0, 1, kTexturePixelSize,
     EncodePixelRow},
    {"DXT1", kRasterFormat565, kD3DFormatDxt1, 16, kNativeFlagCompressed, kDxtBlockSide,
     kDxt1BlockBytes, EncodeDxtBand<EncodeDxt1Block, kDxt1BlockBytes>},
    {"DXT3", kRasterFormat4444, kD3DFormatDxt3, 8, kNativeFlagCompressed, kDxtBlockSide,
     kDxt3BlockBytes, EncodeDxtBand<EncodeDxt3Block, kDxt3BlockBytes>},
};

} // namespace

const TextureEncoding& ChooseTextureEncoding(bool compress, bool hasAlpha) {
    if (compress)
        return kEncodings[hasAlpha ? kDxt3 : kDxt1];
    return kEncodings[hasAlpha ? k8888 : k888];
}

uint64_t TextureBandBytes(const TextureEncoding& e, uint32_t width) {
    uint64_t blocks = (static_cast<uint64_t>(width) + e.blockSide - 1) / e.blockSide;
    return blocks * e.blockBytes;
}

uint64_t TextureLevelBytes(const TextureEncoding& e, uint32_t width, uint32_t height) {
    uint64_t bands = (static_cast<uint64_t>(height) + e.blockSide - 1) / e.blockSide;
    return bands * TextureBandBytes(e, width);
}
