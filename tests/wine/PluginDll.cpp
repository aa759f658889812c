#include "tests/wine/PluginDll.h"

#include "tests/wine/TestChecks.h"
#include "tests/wine/TestPaths.h"

namespace {

template <typename F> bool Find(PluginDll* dll, const char* exportName, F* out) {
    *out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll->module, exportName)));
    return Check(dll->name + " exports " + exportName, *out != nullptr, "GetProcAddress failed");
}

} // namespace

bool LoadPluginDll(const char* name, PluginDll* dll) {
    dll->name = name;
    std::string path = ProgramFolder() + "\\" + name + ".dll";
    dll->module = LoadLibraryA(path.c_str());
    if (!Check(dll->name + " loads", dll->module != nullptr,
               "LoadLibraryA(" + path + ") failed with error " + std::to_string(GetLastError())))
        return false;
    bool ok = Find(dll, "MQInit", &dll->MQInit);
    ok = Find(dll, "MQCheckVersion", &dll->MQCheckVersion) && ok;
    ok = Find(dll, "MQGetPlugInID", &dll->MQGetPlugInID) && ok;
    ok = Find(dll, "MQGetPlugInName", &dll->MQGetPlugInName) && ok;
    ok = Find(dll, "MQGetPlugInType", &dll->MQGetPlugInType) && ok;
    ok = Find(dll, "MQEnumString", &dll->MQEnumString) && ok;
    ok = Find(dll, "MQEnumFileType", &dll->MQEnumFileType) && ok;
    ok = Find(dll, "MQEnumFileExt", &dll->MQEnumFileExt) && ok;
    ok = Find(dll, "MQExportFile", &dll->MQExportFile) && ok;
    ok = Find(dll, "MQImportFile", &dll->MQImportFile) && ok;
    ok = Find(dll, "MQCreate", &dll->MQCreate) && ok;
    ok = Find(dll, "MQModifyObject", &dll->MQModifyObject) && ok;
    ok = Find(dll, "MQModifySelect", &dll->MQModifySelect) && ok;
    ok = Find(dll, "MQOnEvent", &dll->MQOnEvent) && ok;
    return ok;
}
