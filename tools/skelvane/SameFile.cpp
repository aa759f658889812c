#include "tools/skelvane/SameFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

struct FileId {
    unsigned long long device = 0;
    unsigned long long index = 0;
};

#ifdef _WIN32
bool IdOf(const std::string& path, FileId* id) {
    HANDLE handle =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!ok)
        return false;
    id->device = info.dwVolumeSerialNumber;
    id->index = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}
#else
bool IdOf(const std::string& path, FileId* id) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return false;
    id->device = info.st_dev;
    id->index = info.st_ino;
    return true;
}
#endif

} // namespace

const char* InputThatIs(const std::string& output, const std::vector<std::string>& inputs) {
    FileId out;
    if (!IdOf(output, &out))
        return nullptr; // a new file is none of the inputs
    for (const std::string& input : inputs) {
        FileId in;
        if (IdOf(input, &in) && in.device == out.device && in.index == out.index)
            return input.c_str();
    }
    return nullptr;
}
