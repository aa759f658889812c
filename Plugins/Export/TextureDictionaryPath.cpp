#include "Plugins/Export/TextureDictionaryPath.h"

#include <string.h>

#include "platform/Platform.h"

namespace {

constexpr char kDictionaryExtension[] = ".txd";
constexpr size_t kExtensionLength = sizeof kDictionaryExtension - 1;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

void TextureDictionaryPath(const char* modelPath, char* out, size_t size) {
    if (size == 0)
        return;
    size_t length = strlen(modelPath);
    const char* name = PlatformFileNameOf(modelPath);
    size_t nameLength = strlen(name);
    // A period is never the trail byte of a double-byte character.
    const char* dot = strrchr(name, '.');
    size_t stem = dot != nullptr                   ? static_cast<size_t>(dot - modelPath)
                  : nameLength >= kExtensionLength ? length - kExtensionLength
                                                   : length;
    size_t room = size - 1;
    size_t kept = stem < room ? stem : room;
    memcpy(out, modelPath, kept);
    size_t extension = room - kept < kExtensionLength ? room - kept : kExtensionLength;
    memcpy(out + kept, kDictionaryExtension, extension);
    out[kept + extension] = '\0';
}

bool TextureDictionaryIsTheModel(const char* modelPath) {
    const char* name = PlatformFileNameOf(modelPath);
    const char* dot = strrchr(name, '.');
    if (dot == nullptr || strlen(dot) != kExtensionLength)
        return false;
    for (size_t i = 0; i < kExtensionLength; ++i)
        if (Lower(dot[i]) != kDictionaryExtension[i])
            return false;
    return true;
}
