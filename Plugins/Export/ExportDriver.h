// The whole export job: the document and Keynote's skeleton become a skinned
// .dff file (and, when asked, a .txd texture dictionary beside it).
#pragma once

#include "frame/MQPlugin.h"
#include "frame/Options.h"

// Returns 1 when the export completed or the user cancelled, 0 when it stopped
// with an error (the user has seen a message).
HostBool ExportDffFile(MQBasePlugin* plugin, HostDocument doc, const char* fileName,
                       ExportOptions& options);
