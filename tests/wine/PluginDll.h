// A plug-in DLL loaded from beside the test program, with its fourteen exports.
#pragma once

#include <string>

#include "hostsim/PluginLoader.h"

struct PluginDll : LoadedPlugin {
    std::string name; // "SkelvaneExport" or "SkelvaneImport"
};

// Loads NAME.dll from the program's folder and looks up the exports without
// calling any of them. Records a check; false when anything is missing.
bool LoadPluginDll(const char* name, PluginDll* dll);
