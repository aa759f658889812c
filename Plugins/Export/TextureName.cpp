#include "Plugins/Export/TextureName.h"

#include <string.h>

void TextureNameOf(const char* fileName, char* out, size_t size) {
    const char* base = strrchr(fileName, '\\');
    base = base != nullptr ? base + 1 : fileName;
    size_t length = strlen(base);
    const char* dot = strrchr(base, '.');
    if (dot != nullptr)
        length = static_cast<size_t>(dot - base);
    if (length > size - 1)
        length = size - 1;
    memcpy(out, base, length);
    out[length] = '\0';
}
