#include "Plugins/Export/DxtBlocks.h"

#include <string.h>

#define STB_DXT_STATIC
#define STB_DXT_IMPLEMENTATION
#include <stb/stb_dxt.h>

namespace {

// Two refinement passes of the end colours instead of one.
constexpr int kDxtMode = STB_DXT_HIGHQUAL;

// The colour block of the pixels with alpha made opaque, so that stb_dxt's
// test for a block of one colour looks at the colour alone.
void EncodeColourBlock(const uint8_t* rgba, uint8_t* out) {
    uint8_t opaque[kDxtBlockPixelBytes];
    memcpy(opaque, rgba, sizeof opaque);
    for (size_t i = 3; i < sizeof opaque; i += 4)
        opaque[i] = 255;
    stb_compress_dxt_block(out, opaque, 0, kDxtMode);
}

// The nearest of the 16 levels v x 17 that a 4-bit alpha decodes to.
uint8_t FourBitAlpha(uint8_t a) {
    return static_cast<uint8_t>((a + 8) / 17);
}

} // namespace

void EncodeDxt1Block(const uint8_t* rgba, uint8_t* out) {
    EncodeColourBlock(rgba, out);
}

void EncodeDxt3Block(const uint8_t* rgba, uint8_t* out) {
    for (size_t i = 0; i < 8; ++i)
        out[i] = static_cast<uint8_t>(FourBitAlpha(rgba[8 * i + 3]) | FourBitAlpha(rgba[8 * i + 7])
                                                                          << 4);
    EncodeColourBlock(rgba, out + 8);
}
