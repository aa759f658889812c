// Files written safely: each one goes to a new temporary file beside its
// target and takes the target's place only when it is complete and on the
// disk, so that an earlier file is either kept byte for byte or replaced whole.
#pragma once

#include <vector>

#include "format/FileStream.h"
#include "format/ByteStream.h"

class PendingFile {
  public:
    PendingFile() = default;
    // Deletes the temporary file unless it was put in place.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Creates the temporary file beside target; false when it cannot be.
    bool Create(const char* target);
    ByteStream& Stream() { return stream_; }
    // Flushes, puts the bytes on the disk and closes; false when a write,
    // the flush or the close failed.
    bool Finish();
    // Closes and deletes the temporary file; the target stays as it was.
    void Discard();
    // Puts the finished file in place of its target; false when it cannot
    // be (the target is then as it was).
    bool Commit();

  private:
    friend int CommitPendingFiles(PendingFile* const* files, int count);

    FileStream stream_;
    std::vector<char> target_;
    std::vector<char> temporary_; // empty when there is no temporary file
    bool finished_ = false;
    bool direct_ = false; // the target is a device, written in place
};

// Puts finished files in place of their targets, all of them or none
// (PlatformCommitFiles). Returns -1 when all are in place, otherwise the
// index of the file that could not be.
int CommitPendingFiles(PendingFile* const* files, int count);
