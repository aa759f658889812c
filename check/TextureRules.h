// The rules over one texture of a dictionary, on the header fields as read
// (TextureNative) or as about to be written (TextureNativeStruct).
#pragma once

#include <stdint.h>

#include "check/Finding.h"
#include "format/TextureDictionaryLayout.h"

// The header fields of a record about to be written, as a reader finds them.
TextureNative TextureHeaderOf(const TextureNativeStruct& r);

// The texture at position index: texture-platform (not a PC platform) or
// texture-d3d8, texture-no-levels, texture-block-size for a DXT texture whose
// sides are not multiples of 4, texture-size-power-of-two.
void CheckTexture(const TextureNative& t, int32_t index, FindingList& out);
