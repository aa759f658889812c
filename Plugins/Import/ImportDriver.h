// The whole import job: a .dff file becomes a mesh object, its materials and a
// bone object in the host document.
#pragma once

#include "Plugins/Import/ImportResult.h"
#include "Plugins/Import/TextureImport.h"
#include "format/ByteStream.h"
#include "frame/MQHost.h"
#include "frame/Options.h"

// Imports the file at path. Returns 1 when the import completed or the user
// cancelled, 0 when it stopped with an error (the user has seen a message).
HostBool ImportDffFile(HostDocument doc, const char* path, ImportOptions& options);
// The same over an already open stream; path names the model (for its names).
HostBool ImportDffStream(HostDocument doc, const char* path, ByteStream& stream,
                         ImportOptions& options);

// What one import came to: its result, whether the user cancelled the
// options, and the texture step's notice (shown only when the import
// completed).
struct ImportOutcome {
    ImportResult result;
    bool cancelled = false;
    TextureNotice textures;
};
// The import without any message: the driver's functions above show the
// outcome's text.
ImportOutcome RunImport(HostDocument doc, const char* path, ByteStream& stream,
                        ImportOptions& options);
