// The imported document written as a scene that `skelvane export` takes
// unchanged: the materials, the mesh object with the file's skin weights
// (the plug-in gives the host none), and the bones read from the bone object.
#pragma once

#include <string>

#include "frame/MQHost.h"

bool WriteImportScene(HostDocument doc, const char* dffPath, int clumpIndex, const char* scenePath,
                      std::string* error);
