// Files through the Win32 file API, with the flags the file operations require.
#include <windows.h>

#include <stdio.h>

#include "platform/Platform.h"
#include "platform/win32/Win32Pending.h"

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
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    // Pipes and devices are refused: reading one may wait forever.
    if (handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return nullptr;
    }
    return FromHandle(handle);
}

PlatformFile PlatformCreateForWrite(const char* path) {
    if (!path) {
        return nullptr;
    }
    return FromHandle(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

PlatformFile PlatformCreateTemporary(const char* target, char* path, size_t size) {
    if (!target || !path || size == 0) {
        return nullptr;
    }
    static unsigned counter = 0;
    const size_t folder = static_cast<size_t>(PlatformFileNameOf(target) - target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        int n = snprintf(path, size, "%.*s~skelvane-%lu-%u.tmp", static_cast<int>(folder), target,
                         static_cast<unsigned long>(GetCurrentProcessId()), counter++);
        if (n < 0 || static_cast<size_t>(n) >= size) {
            return nullptr;
        }
        // FILE_SHARE_DELETE lets an interrupted command remove it while open.
        HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            AddPendingFile(path);
            return FromHandle(handle);
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            return nullptr;
        }
    }
    return nullptr;
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

bool PlatformFlushToDisk(PlatformFile file) {
    return file && FlushFileBuffers(ToHandle(file)) != 0;
}

bool PlatformClose(PlatformFile file) {
    return file && CloseHandle(ToHandle(file)) != 0;
}

bool PlatformReplaceFile(const char* from, const char* to) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        return false;
    }
    DropPendingFile(from);
    return true;
}

bool PlatformDeleteFile(const char* path) {
    if (DeleteFileA(path) == 0) {
        return false;
    }
    DropPendingFile(path);
    return true;
}

bool PlatformFindFileIgnoringCase(const char* folder, const char* name, char* out, size_t size) {
    int length = snprintf(out, size, "%s%s", folder, name);
    if (length < 0 || static_cast<size_t>(length) >= size) {
        return false;
    }
    DWORD attributes = GetFileAttributesA(out);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
bool PlatformIsDevice(const char* path) {
    if (!path) {
        return false;
    }
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool device = GetFileType(h) != FILE_TYPE_DISK;
    CloseHandle(h);
    return device;
}

bool PlatformPathExists(const char* path) {
    return path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool PlatformIsDoubleByteLead(uint8_t byte) {
    return IsDBCSLeadByte(byte) != 0;
}

const char* PlatformFileNameOf(const char* path) {
    // Double-byte characters of the ANSI code page (Shift-JIS) are stepped
    // over whole, so a trail byte 0x5C is never taken for a backslash.
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0')
            ++p;
        else if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    return name;
}

const void* PlatformMapFile(PlatformFile file, uint32_t size) {
    if (!file || size == 0) {
        return nullptr;
    }
    HANDLE mapping = CreateFileMappingA(ToHandle(file), nullptr, PAGE_READONLY, 0, size, nullptr);
    if (mapping == nullptr) {
        return nullptr;
    }
    // The view keeps the mapping alive.
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, size);
    CloseHandle(mapping);
    return view;
}

void PlatformUnmapFile(const void* view, uint32_t) {
    if (view) {
        UnmapViewOfFile(view);
    }
}
