// The texture dictionary written beside the model: the pixels of every
// texture the exported faces use, as Direct3D 9 texture natives.
#pragma once

#include "Plugins/Export/TextureDictionaryPath.h"
#include "Plugins/Export/TextureDictionaryWriter.h"
#include "Plugins/Export/WorkMesh.h"
#include "format/PendingFile.h"
#include "frame/MQHost.h"

// Writes the dictionary for the materials that used marks into a finished
// temporary file beside the model, for the caller to put in place. Shows its
// own messages; false when the file could not be created or written.
bool PrepareTextureDictionary(HostDocument doc, const char* modelPath, const UsedMaterialMap& used,
                              const TextureOutput& output, PendingFile& file);

// The dictionary alone: prepared and put in place.
bool ExportTextureDictionary(HostDocument doc, const char* modelPath, const UsedMaterialMap& used,
                             const TextureOutput& output = TextureOutput());
