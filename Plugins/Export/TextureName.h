// The name under which a material's texture is written, in the model and in
// the texture dictionary: the one place it is made, so both always agree.
#pragma once

#include <stddef.h>

// The texture name a material's file name or path gives: no folders (either
// separator, double-byte characters stepped over whole), no extension, cut to
// the 31 characters the game matches (never within a double-byte character)
// and to size - 1. Returns whether the name was cut to 31.
bool TextureNameOf(const char* fileName, char* out, size_t size);
// The mask name the dictionary gives a texture with alpha: its name cut to
// 30 characters (never within a double-byte character), then "a".
void MaskNameOf(const char* textureName, char* out, size_t size);
