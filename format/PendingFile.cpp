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
    temporary_.assign(PlatformTemporaryPathSize(target), '\0');
    PlatformFile file = PlatformCreateTemporary(target, temporary_.data(), temporary_.size());
    if (file == nullptr) {
        temporary_.clear();
        return false;
    }
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

int CommitPendingFiles(PendingFile* const* files, int count) {
    const char* temporaries[kMaxGroup];
    const char* targets[kMaxGroup];
    for (int i = 0; i < count; ++i) {
        if (i >= kMaxGroup || !files[i]->finished_)
            return i;
        temporaries[i] = files[i]->temporary_.data();
        targets[i] = files[i]->target_.data();
    }
    int failed = PlatformCommitFiles(temporaries, targets, count);
    // The files before the one that failed are back, their temporaries gone.
    for (int i = 0; i < (failed < 0 ? count : failed); ++i) {
        files[i]->temporary_.clear();
        files[i]->finished_ = false;
    }
    return failed;
}
