// Loading a plug-in module through its fourteen exports, as the host does.
#pragma once

#include <string>

#include "frame/PluginExports.h"
#include "platform/Platform.h"

struct LoadedPlugin {
    PlatformModule module = nullptr;
    MQInitFunction MQInit = nullptr;
    MQCheckVersionFunction MQCheckVersion = nullptr;
    MQGetPlugInIDFunction MQGetPlugInID = nullptr;
    MQGetPlugInNameFunction MQGetPlugInName = nullptr;
    MQGetPlugInTypeFunction MQGetPlugInType = nullptr;
    MQEnumFunction MQEnumString = nullptr;
    MQEnumFunction MQEnumFileType = nullptr;
    MQEnumFunction MQEnumFileExt = nullptr;
    MQFileFunction MQExportFile = nullptr;
    MQFileFunction MQImportFile = nullptr;
    MQModifyFunction MQCreate = nullptr;
    MQModifyFunction MQModifyObject = nullptr;
    MQModifyFunction MQModifySelect = nullptr;
    MQOnEventFunction MQOnEvent = nullptr;
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
