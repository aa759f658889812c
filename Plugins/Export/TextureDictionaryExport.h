// The texture dictionary written beside the model: the pixels of every
// texture the exported faces use, as Direct3D 9 texture natives.
#pragma once

#include "Plugins/Export/ExportResult.h"
#include "Plugins/Export/TextureDictionaryPath.h"
#include "Plugins/Export/TextureDictionaryWriter.h"
#include "Plugins/Export/WorkMesh.h"
#include "format/PendingFile.h"
#include "frame/MQHost.h"

// Writes the dictionary for the materials that used marks into a finished
// temporary file beside the model, for the caller to put in place. Textures
// left out go to leftOut, what the rules find and what was mended to notes
// (which may be null); the result says why the file could not be had.
ExportResult PrepareTextureDictionary(HostDocument doc, const char* modelPath,
                                      const UsedMaterialMap& used, const TextureOutput& output,
                                      TexturesLeftOut& leftOut, ExportNotes* notes,
                                      PendingFile& file);
