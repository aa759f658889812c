// A plug-in DLL loaded from beside the test program, with its fourteen exports.
#pragma once

#include <windows.h>

#include <string>

#include "frame/PluginExports.h"

struct PluginDll {
    std::string name; // "SkelvaneExport" or "SkelvaneImport"
    HMODULE module = nullptr;
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

// Loads NAME.dll from the program's folder and looks up the exports without
// calling any of them. Records a check per export; false when anything is missing.
bool LoadPluginDll(const char* name, PluginDll* dll);
