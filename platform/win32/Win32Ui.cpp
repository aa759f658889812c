// Message boxes and trace lines through Win32.
#include <windows.h>

#include "platform/Platform.h"

int32_t PlatformMessageBox(PlatformWindow owner, const char* text, const char* caption,
                           uint32_t style) {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

void PlatformDebugTrace(const char* text) {
    OutputDebugStringA(text ? text : "");
}
