// The texture names of a dictionary, found as the game finds them: letter
// case ignored, and of names held twice the last one in the file.
#pragma once

#include <stdint.h>

#include <vector>

#include "check/Finding.h"
#include "format/TextureDictionaryLayout.h"

struct TextureNameEntry {
    char name[kTextureNameFieldSize];
    char folded[kTextureNameFieldSize]; // ASCII letters in lower case
    int32_t texture;                    // position in the dictionary
};

// Filled by AddTextureName in file order, then sorted by SortTextureNames.
struct TextureNames {
    std::vector<TextureNameEntry> entries;
};

// Adds a name (cut to the field's 31 characters) at its position.
void AddTextureName(TextureNames& names, const char* name, int32_t texture);
// Sorts the names by folded text, then position; needed before the two below.
void SortTextureNames(TextureNames& names);
// Whether the dictionary holds a texture of this name, letter case ignored.
bool HoldsTextureName(const TextureNames& names, const char* name);
// texture-duplicate for every texture whose name comes again later in the
// dictionary: the game finds the last of them.
void CheckDuplicateNames(const TextureNames& names, FindingList& out);
