// What a host installs in the POSIX platform layer: where message boxes and
// trace lines go, and who answers modal dialogs. Without sinks, message boxes
// are answered OK silently, trace lines are dropped and dialogs fail (-1).
#pragma once

#include <stdint.h>

#include "platform/Dialog.h"

struct PlatformSinks {
    int32_t (*messageBox)(void* user, const char* text, const char* caption, uint32_t style);
    void (*trace)(void* user, const char* text);
    intptr_t (*dialog)(void* user, int resourceId, DialogLogic* logic);
    void* user;
};

// Installs the sinks (copied); null restores the defaults.
void PlatformInstallSinks(const PlatformSinks* sinks);
