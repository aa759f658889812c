#include "format/PendingFile.h"

#include <string.h>

namespace {

// Room for the temporary name's own part beside the target's folder.
constexpr size_t kTemporaryNameRoom = 64;

// A new temporary file's name beside target, the file itself closed at once.
bool ReserveName(const char* target, std::vector<char>& name, PlatformFile* file) {
    name.assign(strlen(target) + kTemporaryNameRoom, '\0');
    *file = PlatformCreateTemporary(target, name.data(), name.size());
    if (*file == nullptr) {
        name.clear();
        return false;
    }
    return true;
}

} // namespace

PendingFile::~PendingFile() {
    Discard();
}

bool PendingFile::Create(const char* target) {
    Discard();
    finished_ = false;
    target_.assign(target, target + strlen(target) + 1);
    PlatformFile file = nullptr;
    if (!ReserveName(target, temporary_, &file))
        return false;
    return stream_.AdoptForWrite(file);
}

bool PendingFile::Finish() {
    finished_ = !temporary_.empty() && stream_.Close(true);
    return finished_;
}

void PendingFile::Discard() {
    stream_.Close();
    if (!temporary_.empty())
        PlatformDeleteFile(temporary_.data());
    temporary_.clear();
    finished_ = false;
}

bool PendingFile::Commit() {
    PendingFile* self = this;
    return CommitPendingFiles(&self, 1) < 0;
}

// The earlier target goes to a reserved name of its own, from where
// PutTargetBack restores it.
bool PendingFile::MoveTargetAside() {
    backup_.clear();
    if (!PlatformPathExists(target_.data()))
        return true;
    std::vector<char> name;
    PlatformFile placeholder = nullptr;
    if (!ReserveName(target_.data(), name, &placeholder))
        return false;
    PlatformClose(placeholder);
    if (!PlatformReplaceFile(target_.data(), name.data())) {
        PlatformDeleteFile(name.data());
        return false;
    }
    backup_.swap(name);
    return true;
}

void PendingFile::PutTargetBack() {
    if (backup_.empty())
        PlatformDeleteFile(target_.data());
    else
        PlatformReplaceFile(backup_.data(), target_.data());
    backup_.clear();
}

int CommitPendingFiles(PendingFile* const* files, int count) {
    for (int i = 0; i < count; ++i)
        if (!files[i]->finished_)
            return i;
    // No interrupt may stop the group half replaced.
    PlatformHoldInterrupts(true);
    int failed = -1;
    for (int i = 0; i < count && failed < 0; ++i) {
        PendingFile& f = *files[i];
        // Only a file that may have to be taken back needs its earlier target kept.
        bool keep = i + 1 < count;
        if (keep && !f.MoveTargetAside()) {
            failed = i;
        } else if (!PlatformReplaceFile(f.temporary_.data(), f.target_.data())) {
            if (keep && !f.backup_.empty())
                PlatformReplaceFile(f.backup_.data(), f.target_.data());
            f.backup_.clear();
            failed = i;
        } else {
            f.temporary_.clear();
        }
    }
    for (int i = (failed < 0 ? count : failed) - 1; i >= 0; --i) {
        PendingFile& f = *files[i];
        if (failed >= 0)
            f.PutTargetBack();
        else if (!f.backup_.empty())
            PlatformDeleteFile(f.backup_.data());
        f.backup_.clear();
    }
    PlatformHoldInterrupts(false);
    return failed;
}
