#include "hostsim/WholeFile.h"

#include "platform/Platform.h"

bool ReadWholeFile(const char* path, std::string* bytes) {
    PlatformFile file = PlatformOpenForRead(path);
    uint32_t size = 0;
    bool read = file != nullptr && PlatformFileSize(file, &size);
    if (read) {
        bytes->resize(size);
        read = PlatformRead(file, &(*bytes)[0], size) == size;
    }
    PlatformClose(file);
    return read;
}

bool WriteWholeFile(const char* path, const std::string& bytes) {
    if (path == nullptr || bytes.size() > 0x7FFFFFFFu) {
        return false;
    }
    // A device (/dev/null) cannot be replaced: it is written in place.
    if (PlatformIsDevice(path)) {
        PlatformFile device = PlatformCreateForWrite(path);
        bool written = device != nullptr &&
                       PlatformWrite(device, bytes.data(), static_cast<uint32_t>(bytes.size()));
        return PlatformClose(device) && written;
    }
    std::string temporary(PlatformTemporaryPathSize(path), '\0');
    PlatformFile file = PlatformCreateTemporary(path, &temporary[0], temporary.size());
    if (file == nullptr) {
        return false;
    }
    bool written = PlatformWrite(file, bytes.data(), static_cast<uint32_t>(bytes.size()));
    written = PlatformFlushToDisk(file) && written;
    written = PlatformClose(file) && written;
    const char* from = temporary.c_str();
    if (!written || PlatformCommitFiles(&from, &path, 1) >= 0) {
        PlatformDeleteFile(from);
        return false;
    }
    return true;
}
