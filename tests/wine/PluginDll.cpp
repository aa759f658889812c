#include "tests/wine/PluginDll.h"

#include "tests/wine/TestChecks.h"
#include "tests/wine/TestPaths.h"

bool LoadPluginDll(const char* name, PluginDll* dll) {
    dll->name = name;
    std::string path = ProgramFolder() + "\\" + name + ".dll";
    std::string error;
    bool ok = OpenPluginModule(path, dll, &error);
    return Check(dll->name + " loads with its fourteen exports", ok, error);
}
