// DXT1 and DXT3 blocks of 4 x 4 pixels, the colour part by stb_dxt compiled
// in. Input: 16 pixels row by row, 4 bytes each in the order red, green,
// blue, alpha.
#pragma once

#include <stddef.h>
#include <stdint.h>

constexpr size_t kDxtBlockSide = 4;
constexpr size_t kDxtBlockPixelBytes = kDxtBlockSide * kDxtBlockSide * 4;
constexpr size_t kDxt1BlockBytes = 8;
constexpr size_t kDxt3BlockBytes = 16;

// Two 565 end colours and 2-bit indices; alpha is ignored.
void EncodeDxt1Block(const uint8_t* rgba, uint8_t* out);
// 16 explicit 4-bit alphas (pixel 0 in the low bits of the first byte), then
// a DXT1 colour block.
void EncodeDxt3Block(const uint8_t* rgba, uint8_t* out);
