// Modules through the dynamic loader, local memory through the C heap.
#include <dlfcn.h>
#include <stdlib.h>

#include "platform/Platform.h"

PlatformModule PlatformLoadModule(const char* path) {
    if (!path) {
        return nullptr; // dlopen would hand back the main program
    }
    // RTLD_NOW: a module with unresolved symbols fails here, not at a later call.
    return dlopen(path, RTLD_NOW);
}

void* PlatformFindSymbol(PlatformModule module, const char* name) {
    if (!module || !name) {
        return nullptr;
    }
    return dlsym(module, name);
}

void PlatformFreeModule(PlatformModule module) {
    if (module) {
        dlclose(module);
    }
}

void* PlatformLocalAlloc(size_t size) {
    return malloc(size);
}

void PlatformLocalFree(void* block) {
    free(block);
}
