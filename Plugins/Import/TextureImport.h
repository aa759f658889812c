// The textures step of the import: the PNG files the imported materials name,
// written beside the model from the texture dictionary of its base name, as
// the game finds them there.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "Plugins/Import/ImportRun.h"
#include "Plugins/Shared/TextureLeftOut.h"

// What the step tells: what it left out (a texture, or the dictionary with
// the reader's problem), and the textures of 0 mip levels it wrote from the
// one level their Struct still holds (kNoLevels).
struct TextureNotice {
    TexturesLeftOut leftOut;
    TexturesLeftOut noLevels;
};

// Looks for "<stem>.txd" (letter case ignored) in the model's folder and
// writes each texture that the materials from document index firstMaterial
// on name (TextureFileNameOf of its name) and that the dictionary holds,
// unless a file of that name exists already. Of names held more than once the
// last one is written, as the game finds the last; a texture of 0 mip levels
// whose Struct still holds a level is written from that level and named in
// notice. Whatever is left out is added to notice; the import is not failed
// by it.
void ImportTextures(ImportRun& run, const char* modelPath, int32_t firstMaterial,
                    TextureNotice* notice);
