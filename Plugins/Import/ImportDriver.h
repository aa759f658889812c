// The whole import job: a .dff file becomes a mesh object, its materials and a
// bone object in the host document.
#pragma once

#include "format/ByteStream.h"
#include "frame/MQHost.h"
#include "frame/Options.h"

// Imports the file at path. Returns 1 when the import completed or the user
// cancelled, 0 when it stopped with an error (the user has seen a message).
HostBool ImportDffFile(HostDocument doc, const char* path, ImportOptions& options);
// The same over an already open stream; path names the model (for its names).
HostBool ImportDffStream(HostDocument doc, const char* path, ByteStream& stream,
                         ImportOptions& options);
