// The textures of the dictionary: one entry per distinct pair of texture and
// alpha map names among the materials that exported faces use.
#pragma once

#include <stdint.h>

#include "Plugins/Export/WorkMesh.h"
#include "format/TextureDictionaryLayout.h"
#include "frame/HeapArray.h"
#include "frame/MQHost.h"

// The material's map names as the host gives them: file names or paths.
constexpr int32_t kMaterialTextSize = kHostPathSize;

struct TextureEntry {
    char texture[kMaterialTextSize];
    char alphaMap[kMaterialTextSize]; // empty: none
};

struct TextureList {
    HeapArray<TextureEntry> entries;
    uint32_t count = 0; // at most kMaxTextureCount
};

// Visits the materials in host order; a material contributes when used marks
// it and its texture name is not empty, unless an earlier entry has the same
// texture and alpha map names (compared without case). False when memory
// cannot be had.
bool BuildTextureList(HostDocument doc, const UsedMaterialMap& used, TextureList* list);
