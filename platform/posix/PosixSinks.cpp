// Message boxes, trace lines and modal dialogs, handed to the sinks the host
// installs. This library is shared by the host and every plug-in module, so
// they all see the same sinks.
#include "platform/posix/PosixHost.h"

namespace {

PlatformSinks g_sinks = {nullptr, nullptr, nullptr, nullptr};

} // namespace

void PlatformInstallSinks(const PlatformSinks* sinks) {
    if (sinks) {
        g_sinks = *sinks;
    } else {
        g_sinks = PlatformSinks{nullptr, nullptr, nullptr, nullptr};
    }
}

int32_t PlatformMessageBox(PlatformWindow, const char* text, const char* caption, uint32_t style) {
    if (!g_sinks.messageBox) {
        return kMessageBoxResultOk;
    }
    return g_sinks.messageBox(g_sinks.user, text ? text : "", caption ? caption : "", style);
}

void PlatformDebugTrace(const char* text) {
    if (g_sinks.trace) {
        g_sinks.trace(g_sinks.user, text ? text : "");
    }
}

intptr_t PlatformDialogBox(PlatformModule, int resourceId, PlatformWindow, DialogLogic* logic) {
    if (!g_sinks.dialog || !logic) {
        return -1;
    }
    return g_sinks.dialog(g_sinks.user, resourceId, logic);
}
