// Loading a plug-in module through its fourteen exports, as the host does.
#pragma once

#include <string>

#include "frame/HostPrototypes.h"
#include "platform/Platform.h"

struct LoadedPlugin {
    PlatformModule module = nullptr;
    PluginPrototype::MQInit* MQInit = nullptr;
    PluginPrototype::MQCheckVersion* MQCheckVersion = nullptr;
    PluginPrototype::MQGetPlugInID* MQGetPlugInID = nullptr;
    PluginPrototype::MQGetPlugInName* MQGetPlugInName = nullptr;
    PluginPrototype::MQGetPlugInType* MQGetPlugInType = nullptr;
    PluginPrototype::MQEnumString* MQEnumString = nullptr;
    PluginPrototype::MQEnumFileType* MQEnumFileType = nullptr;
    PluginPrototype::MQEnumFileExt* MQEnumFileExt = nullptr;
    PluginPrototype::MQExportFile* MQExportFile = nullptr;
    PluginPrototype::MQImportFile* MQImportFile = nullptr;
    PluginPrototype::MQCreate* MQCreate = nullptr;
    PluginPrototype::MQModifyObject* MQModifyObject = nullptr;
    PluginPrototype::MQModifySelect* MQModifySelect = nullptr;
    PluginPrototype::MQOnEvent* MQOnEvent = nullptr;
};

// The file name of a plug-in module beside the running program
// ("SkelvaneImport" gives .../SkelvaneImport.so natively, .dll on Windows).
std::string PluginModulePath(const char* name);
// The host program file that MQInit binds the host functions from.
std::string HostProgramPath();
// Loads the module and finds its fourteen exports without calling any of them.
// On failure *error names the module or the first missing export.
bool OpenPluginModule(const std::string& path, LoadedPlugin* plugin, std::string* error);
// Opens the module, checks the version and binds the host.
// On failure *error says why.
bool LoadPlugin(const std::string& path, LoadedPlugin* plugin, std::string* error);
