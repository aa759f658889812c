#include "hostsim/WholeFile.h"

#include "format/PendingFile.h"

bool ReadWholeFile(const char* path, std::string* bytes) {
    FileStream file;
    if (path == nullptr || !file.OpenForRead(path)) {
        return false;
    }
    bytes->resize(file.Size());
    bool read = file.Read(&(*bytes)[0], file.Size()) == file.Size();
    return file.Close() && read;
}

bool WriteWholeFile(const char* path, const std::string& bytes) {
    PendingFile file;
    if (path == nullptr || bytes.size() > kMaxStreamSize || !file.Create(path)) {
        return false;
    }
    bool written = file.Stream().Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return file.Finish() && written && file.Commit();
}
