#include "Plugins/Export/TextureDictionaryPath.h"

#include <string.h>

#include "frame/PathParts.h"
#include "frame/TextCase.h"

namespace {

constexpr char kDictionaryExtension[] = ".txd";
constexpr size_t kExtensionLength = sizeof kDictionaryExtension - 1;

} // namespace

void TextureDictionaryPath(const char* modelPath, char* out, size_t size) {
    if (size == 0)
        return;
    size_t length = strlen(modelPath);
    const char* name = FileNameOf(modelPath);
    size_t nameLength = strlen(name);
    const char* dot = ExtensionOf(modelPath);
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
    const char* dot = ExtensionOf(modelPath);
    return dot != nullptr && SameTextIgnoringCase(dot, kDictionaryExtension);
}
