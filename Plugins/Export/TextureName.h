// The name under which a material's texture is written, in the model and in
// the texture dictionary.
#pragma once

#include <stddef.h>

// The texture name a material's file name or path gives: no folders (either
// separator, double-byte characters stepped over whole), no extension, at
// most size - 1 characters (63 in the files written).
void TextureNameOf(const char* fileName, char* out, size_t size);
