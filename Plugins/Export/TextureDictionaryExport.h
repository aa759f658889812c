// The texture dictionary written beside the model: the pixels of every
// texture the exported faces use, as 32-bit Direct3D 9 texture natives.
#pragma once

#include "Plugins/Export/TextureDictionaryWriter.h"
#include "Plugins/Export/WorkMesh.h"
#include "frame/MQHost.h"

// The dictionary's path from the model's: everything from the last period
// replaced by ".txd" (without a period, the last four characters are). The
// output buffer holds size bytes; the result is cut to fit.
void TextureDictionaryPath(const char* modelPath, char* out, size_t size);

// Writes the dictionary for the materials that used marks. Shows its own
// messages; false when the file could not be written.
bool ExportTextureDictionary(HostDocument doc, const char* modelPath, const UsedMaterialMap& used,
                             const TextureOutput& output = TextureOutput());
