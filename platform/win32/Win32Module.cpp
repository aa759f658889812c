// Modules and local memory through the Win32 kernel.
#include <windows.h>

#include "platform/Platform.h"

PlatformModule PlatformLoadModule(const char* path) {
    if (!path) {
        return nullptr;
    }
    return reinterpret_cast<PlatformModule>(LoadLibraryA(path));
}

void* PlatformFindSymbol(PlatformModule module, const char* name) {
    if (!module || !name) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void PlatformFreeModule(PlatformModule module) {
    if (module) {
        FreeLibrary(static_cast<HMODULE>(module));
    }
}

void* PlatformLocalAlloc(size_t size) {
    return LocalAlloc(LMEM_FIXED, size);
}

void PlatformLocalFree(void* block) {
    if (block) {
        LocalFree(block);
    }
}
