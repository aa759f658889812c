// Putting a group of finished temporary files in place of their targets, all
// of them or none, in terms of the platform's file calls.
#include <string.h>

#include <vector>

#include "platform/Platform.h"

namespace {

// Room for a temporary name's own part beside the target's folder.
constexpr size_t kTemporaryNameRoom = 64;

// The earlier target goes to a reserved name of its own (backup stays empty
// when there was none); false when it cannot be moved.
bool MoveAside(const char* target, std::vector<char>* backup) {
    backup->clear();
    if (!PlatformPathExists(target))
        return true;
    std::vector<char> name(strlen(target) + kTemporaryNameRoom, '\0');
    PlatformFile placeholder = PlatformCreateTemporary(target, name.data(), name.size());
    if (placeholder == nullptr)
        return false;
    PlatformClose(placeholder);
    if (!PlatformReplaceFile(target, name.data())) {
        PlatformDeleteFile(name.data());
        return false;
    }
    backup->swap(name);
    return true;
}

void PutBack(const char* target, const std::vector<char>& backup) {
    if (backup.empty())
        PlatformDeleteFile(target);
    else
        PlatformReplaceFile(backup.data(), target);
}

} // namespace

size_t PlatformTemporaryPathSize(const char* target) {
    return strlen(target) + kTemporaryNameRoom;
}

int PlatformCommitFiles(const char* const* temporaries, const char* const* targets, int count) {
    // No interrupt may stop the group half replaced.
    PlatformHoldInterrupts(true);
    std::vector<std::vector<char>> backups(static_cast<size_t>(count));
    int failed = -1;
    for (int i = 0; i < count && failed < 0; ++i) {
        // Only a file that may have to be taken back needs its earlier target kept.
        bool keep = i + 1 < count;
        std::vector<char>& backup = backups[static_cast<size_t>(i)];
        if (keep && !MoveAside(targets[i], &backup)) {
            failed = i;
        } else if (!PlatformReplaceFile(temporaries[i], targets[i])) {
            if (!backup.empty())
                PlatformReplaceFile(backup.data(), targets[i]);
            failed = i;
        }
    }
    for (int i = (failed < 0 ? count : failed) - 1; i >= 0; --i) {
        const std::vector<char>& backup = backups[static_cast<size_t>(i)];
        if (failed >= 0)
            PutBack(targets[i], backup);
        else if (!backup.empty())
            PlatformDeleteFile(backup.data());
    }
    PlatformHoldInterrupts(false);
    return failed;
}
