#include "hostsim/PluginLoader.h"

#include "hostsim/HostExports.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>
#endif

// The host version the simulated host announces.
static const uint32_t kHostVersion = 0x2490;

static std::string RunningProgramFolder() {
#if defined(_WIN32)
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path, n < sizeof path ? n : 0);
#else
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string text(path, n > 0 ? static_cast<size_t>(n) : 0);
#endif
    size_t slash = text.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : text.substr(0, slash);
}

std::string PluginModulePath(const char* name) {
#if defined(_WIN32)
    return RunningProgramFolder() + "\\" + name + ".dll";
#else
    return RunningProgramFolder() + "/" + name + ".so";
#endif
}

std::string HostProgramPath() {
#if defined(_WIN32)
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n < sizeof path ? n : 0);
#else
    // The host functions live in the simulated host's shared library.
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&MQ_CreateObject), &info) == 0 || info.dli_fname == nullptr)
        return std::string();
    return info.dli_fname;
#endif
}

template <typename F> static bool Find(PlatformModule module, const char* name, F* out) {
    *out = reinterpret_cast<F>(PlatformFindSymbol(module, name));
    return *out != nullptr;
}

bool OpenPluginModule(const std::string& path, LoadedPlugin* p, std::string* error) {
    p->module = PlatformLoadModule(path.c_str());
    if (p->module == nullptr) {
        *error = "cannot load " + path;
        return false;
    }
    PlatformModule m = p->module;
    const char* missing = nullptr;
    auto find = [&](const char* name, auto* out) {
        if (!Find(m, name, out) && missing == nullptr)
            missing = name;
    };
    find("MQInit", &p->MQInit);
    find("MQCheckVersion", &p->MQCheckVersion);
    find("MQGetPlugInID", &p->MQGetPlugInID);
    find("MQGetPlugInName", &p->MQGetPlugInName);
    find("MQGetPlugInType", &p->MQGetPlugInType);
    find("MQEnumString", &p->MQEnumString);
    find("MQEnumFileType", &p->MQEnumFileType);
    find("MQEnumFileExt", &p->MQEnumFileExt);
    find("MQExportFile", &p->MQExportFile);
    find("MQImportFile", &p->MQImportFile);
    find("MQCreate", &p->MQCreate);
    find("MQModifyObject", &p->MQModifyObject);
    find("MQModifySelect", &p->MQModifySelect);
    find("MQOnEvent", &p->MQOnEvent);
    if (missing != nullptr) {
        *error = path + " lacks the export " + missing;
        return false;
    }
    return true;
}

bool LoadPlugin(const std::string& path, LoadedPlugin* p, std::string* error) {
    if (!OpenPluginModule(path, p, error))
        return false;
    if (p->MQCheckVersion(kHostVersion) == 0) {
        *error = path + " refuses this host version";
        return false;
    }
    std::string host = HostProgramPath();
    if (host.empty() || p->MQInit(host.c_str()) == 0) {
        *error = path + " cannot bind the host functions of " + host;
        return false;
    }
    return true;
}
