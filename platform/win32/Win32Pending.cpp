// The temporary files the process has created and not yet put in place or
// deleted, so that the host program can remove them when the console asks it
// to stop (Ctrl-C, Ctrl-Break, closing the window). The console's handler runs
// on a thread of its own: a file still being written is only marked for
// deletion (the temporaries are opened with FILE_SHARE_DELETE) and goes when
// the process ends, and a group of files being put in place is never cut.
#include <windows.h>

#include <string.h>

#include "platform/Platform.h"
#include "platform/win32/Win32Pending.h"

namespace {

struct PendingSlot {
    bool used;
    char path[1024];
};

// An export keeps at most three at a time (model, dictionary, a backup).
PendingSlot g_pending[8];
SRWLOCK g_table = SRWLOCK_INIT;
SRWLOCK g_commit = SRWLOCK_INIT;

} // namespace

void AddPendingFile(const char* path) {
    size_t length = strlen(path);
    if (length >= sizeof g_pending[0].path)
        return; // not removed on interrupt, still written safely
    AcquireSRWLockExclusive(&g_table);
    for (PendingSlot& slot : g_pending) {
        if (!slot.used) {
            memcpy(slot.path, path, length + 1);
            slot.used = true;
            break;
        }
    }
    ReleaseSRWLockExclusive(&g_table);
}

void DropPendingFile(const char* path) {
    AcquireSRWLockExclusive(&g_table);
    for (PendingSlot& slot : g_pending) {
        if (slot.used && strcmp(slot.path, path) == 0)
            slot.used = false;
    }
    ReleaseSRWLockExclusive(&g_table);
}

void PlatformRemovePendingFiles() {
    AcquireSRWLockExclusive(&g_commit);
    AcquireSRWLockExclusive(&g_table);
    for (PendingSlot& slot : g_pending) {
        if (slot.used) {
            DeleteFileA(slot.path);
            slot.used = false;
        }
    }
    ReleaseSRWLockExclusive(&g_table);
    ReleaseSRWLockExclusive(&g_commit);
}

void PlatformHoldInterrupts(bool hold) {
    if (hold)
        AcquireSRWLockExclusive(&g_commit);
    else
        ReleaseSRWLockExclusive(&g_commit);
}
