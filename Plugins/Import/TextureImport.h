// The textures step of the import: the PNG files the imported materials name,
// written beside the model from the texture dictionary of its base name.
#pragma once

#include <stdint.h>

#include "Plugins/Import/ImportRun.h"

// Looks for "<stem>.txd" (letter case ignored) in the model's folder and
// writes each texture that the materials from document index firstMaterial
// on name ("NAME.png") and that the dictionary holds, unless a file of that
// name exists already. Whatever is left out is listed in one message; the
// import is not failed by it.
void ImportTextures(ImportRun& run, const char* modelPath, int32_t firstMaterial);
