#include "format/PendingFile.h"

#include <string.h>

namespace {

constexpr int kMaxGroup = 4;

} // namespace

PendingFile::~PendingFile() {
    Discard();
}

bool PendingFile::Create(const char* target) {
    Discard();
    target_.assign(target, target + strlen(target) + 1);
    direct_ = PlatformIsDevice(target);
    if (direct_)
        return stream_.AdoptForWrite(PlatformCreateForWrite(target));
    temporary_.assign(PlatformTemporaryPathSize(target), '\0');
    PlatformFile file = PlatformCreateTemporary(target, temporary_.data(), temporary_.size());
    if (file == nullptr) {
        temporary_.clear();
        return false;
    }
    return stream_.AdoptForWrite(file);
}

bool PendingFile::Finish() {
    finished_ = direct_ ? stream_.Close() : !temporary_.empty() && stream_.Close(true);
    return finished_;
}

void PendingFile::Discard() {
    stream_.Close();
    direct_ = false;
    if (!temporary_.empty())
        PlatformDeleteFile(temporary_.data());
    temporary_.clear();
    finished_ = false;
}

bool PendingFile::Commit() {
    PendingFile* self = this;
    return CommitPendingFiles(&self, 1) < 0;
}

int CommitPendingFiles(PendingFile* const* files, int count) {
    const char* temporaries[kMaxGroup] = {};
    const char* targets[kMaxGroup] = {};
    int index[kMaxGroup] = {}; // position in files of each file handed on
    int replaced = 0;
    for (int i = 0; i < count; ++i) {
        if (i >= kMaxGroup || !files[i]->finished_)
            return i;
        // A device was written in place: there is nothing to replace.
        if (files[i]->direct_)
            continue;
        temporaries[replaced] = files[i]->temporary_.data();
        targets[replaced] = files[i]->target_.data();
        index[replaced++] = i;
    }
    int failed = PlatformCommitFiles(temporaries, targets, replaced);
    // The files before the one that failed are back, their temporaries gone.
    for (int k = 0; k < (failed < 0 ? replaced : failed); ++k) {
        files[index[k]]->temporary_.clear();
        files[index[k]]->finished_ = false;
    }
    return failed < 0 ? -1 : index[failed];
}
