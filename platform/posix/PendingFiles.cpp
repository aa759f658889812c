// A fixed table of pending temporary files that a signal handler can walk:
// a slot's path is complete before the slot is marked used, and removal only
// calls unlink, which is async-signal-safe.
#include "platform/posix/PendingFiles.h"

#include <limits.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include "platform/Platform.h"
#include "platform/posix/PosixHost.h"

namespace {

struct PendingSlot {
    volatile sig_atomic_t used;
    char path[PATH_MAX];
};

// An export keeps at most three at a time (model, dictionary, a backup).
PendingSlot g_pending[8];

} // namespace

void AddPendingFile(const char* path) {
    size_t length = strlen(path);
    if (length >= PATH_MAX)
        return; // not removed on interrupt, still written safely
    for (PendingSlot& slot : g_pending) {
        if (!slot.used) {
            memcpy(slot.path, path, length + 1);
            slot.used = 1;
            return;
        }
    }
}

void DropPendingFile(const char* path) {
    for (PendingSlot& slot : g_pending) {
        if (slot.used && strcmp(slot.path, path) == 0)
            slot.used = 0;
    }
}

void PlatformRemovePendingFiles() {
    for (PendingSlot& slot : g_pending) {
        if (slot.used) {
            unlink(slot.path);
            slot.used = 0;
        }
    }
}

void PlatformHoldInterrupts(bool hold) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}
