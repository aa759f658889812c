#include "frame/PathParts.h"

#include <stdint.h>
#include <string.h>

#include "platform/Platform.h"

namespace {

bool IsSeparator(char c) {
#if defined(_WIN32)
    if (c == ':')
        return true;
#endif
    return c == '\\' || c == '/';
}

bool StartsDoubleByte(const char* p) {
    return PlatformIsDoubleByteLead(static_cast<uint8_t>(*p)) && p[1] != '\0';
}

} // namespace

const char* FileNameOf(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (StartsDoubleByte(p))
            ++p;
        else if (IsSeparator(*p))
            name = p + 1;
    }
    return name;
}

size_t FolderLengthOf(const char* path) {
    return static_cast<size_t>(FileNameOf(path) - path);
}

const char* ExtensionOf(const char* path) {
    const char* dot = nullptr;
    for (const char* p = FileNameOf(path); *p != '\0'; ++p) {
        if (StartsDoubleByte(p))
            ++p;
        else if (*p == '.')
            dot = p;
    }
    return dot;
}

void FileStemOf(const char* path, char* stem, size_t size) {
    if (size == 0)
        return;
    const char* name = FileNameOf(path);
    const char* dot = ExtensionOf(path);
    size_t length = dot != nullptr ? static_cast<size_t>(dot - name) : strlen(name);
    if (length > size - 1)
        length = size - 1;
    memcpy(stem, name, length);
    stem[length] = '\0';
}
