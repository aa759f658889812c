// The DLL entry point: keeps the module instance handle for the dialogs.
#include "frame/MQPlugin.h"

PlatformModule ModuleInstance = nullptr;

#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    ModuleInstance = instance;
    return TRUE;
}
#endif
