// Files through the Win32 file API, with the flags the file operations require.
#include <windows.h>

#include <stdio.h>

#include "platform/Platform.h"

namespace {

const DWORD kMaxFileSize = 0x7FFFFFFFu;

PlatformFile FromHandle(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return reinterpret_cast<PlatformFile>(handle);
}

HANDLE ToHandle(PlatformFile file) {
    return reinterpret_cast<HANDLE>(file);
}

} // namespace

PlatformFile PlatformOpenForRead(const char* path) {
    if (!path) {
        return nullptr;
    }
    return FromHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

PlatformFile PlatformCreateForWrite(const char* path) {
    if (!path) {
        return nullptr;
    }
    return FromHandle(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

uint32_t PlatformRead(PlatformFile file, void* buffer, uint32_t size) {
    if (!file || !buffer) {
        return 0;
    }
    DWORD done = 0;
    if (!ReadFile(ToHandle(file), buffer, size, &done, nullptr)) {
        return 0;
    }
    return done;
}

bool PlatformWrite(PlatformFile file, const void* buffer, uint32_t size) {
    if (!file || (!buffer && size != 0)) {
        return false;
    }
    DWORD done = 0;
    return WriteFile(ToHandle(file), buffer, size, &done, nullptr) && done == size;
}

bool PlatformSeek(PlatformFile file, uint32_t offset) {
    if (!file || offset > kMaxFileSize) {
        return false;
    }
    DWORD at = SetFilePointer(ToHandle(file), static_cast<LONG>(offset), nullptr, FILE_BEGIN);
    return at == offset;
}

bool PlatformFileSize(PlatformFile file, uint32_t* size) {
    if (!file || !size) {
        return false;
    }
    DWORD high = 0;
    DWORD low = GetFileSize(ToHandle(file), &high);
    // A failed call answers INVALID_FILE_SIZE, which is past the limit too.
    if (high != 0 || low > kMaxFileSize) {
        return false;
    }
    *size = low;
    return true;
}

void PlatformClose(PlatformFile file) {
    if (file) {
        CloseHandle(ToHandle(file));
    }
}

bool PlatformReplaceFile(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
}

bool PlatformDeleteFile(const char* path) {
    return DeleteFileA(path) != 0;
}

bool PlatformFindFileIgnoringCase(const char* folder, const char* name, char* out, size_t size) {
    int length = snprintf(out, size, "%s%s", folder, name);
    if (length < 0 || static_cast<size_t>(length) >= size) {
        return false;
    }
    DWORD attributes = GetFileAttributesA(out);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
