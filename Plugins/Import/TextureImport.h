// The textures step of the import: the PNG files the imported materials name,
// written beside the model from the texture dictionary of its base name.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"

// What the step left out: one line per texture or dictionary ("\nNAME: reason"),
// each once, ending in "\n..." when no more fit. Sized so that the message
// with its heading holds 1024 bytes.
struct TexturesLeftOut {
    char lines[1024 - (sizeof MSG_TEXTURES_LEFT_OUT - 1)] = {};
    bool any = false;
    bool full = false;
};

// Looks for "<stem>.txd" (letter case ignored) in the model's folder and
// writes each texture that the materials from document index firstMaterial
// on name ("NAME.png") and that the dictionary holds, unless a file of that
// name exists already. Whatever is left out is added to leftOut; the import
// is not failed by it.
void ImportTextures(ImportRun& run, const char* modelPath, int32_t firstMaterial,
                    TexturesLeftOut* leftOut);
