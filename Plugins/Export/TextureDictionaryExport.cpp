#include "Plugins/Export/TextureDictionaryExport.h"

#include <string.h>

#include "Plugins/Export/ExportMessages.h"
#include "Plugins/Export/TextureDictionaryWriter.h"
#include "Plugins/Export/TextureList.h"
#include "format/ByteStream.h"
#include "platform/Platform.h"

namespace {

constexpr char kDictionaryExtension[] = ".txd";
constexpr size_t kExtensionLength = sizeof kDictionaryExtension - 1;

void ShowError(const char* message) {
    PlatformMessageBox(g_host.MQ_GetWindowHandle(), message, EXPORT_CAPTION,
                       kMessageBoxIconError | kMessageBoxOk);
}

} // namespace

// A path without a period shorter than the extension keeps all of its
// characters and gets ".txd" appended.
void TextureDictionaryPath(const char* modelPath, char* out, size_t size) {
    if (size == 0)
        return;
    size_t length = strlen(modelPath);
    const char* dot = strrchr(modelPath, '.');
    size_t stem = dot != nullptr               ? static_cast<size_t>(dot - modelPath)
                  : length >= kExtensionLength ? length - kExtensionLength
                                               : length;
    size_t room = size - 1;
    size_t kept = stem < room ? stem : room;
    memcpy(out, modelPath, kept);
    size_t extension = room - kept < kExtensionLength ? room - kept : kExtensionLength;
    memcpy(out + kept, kDictionaryExtension, extension);
    out[kept + extension] = '\0';
}

bool ExportTextureDictionary(HostDocument doc, const char* modelPath, const UsedMaterialMap& used,
                             const TextureOutput& output) {
    HeapArray<char> path;
    TextureList list;
    if (!path.Allocate(strlen(modelPath) + kExtensionLength + 1) ||
        !BuildTextureList(doc, used, &list)) {
        ShowError(MSG_EXPORT_OUT_OF_MEMORY);
        return false;
    }
    TextureDictionaryPath(modelPath, path.Data(), path.Count());
    FileStream file;
    if (!file.CreateForWrite(path.Data())) {
        ShowError(MSG_TXD_CREATE_FAILED);
        return false;
    }
    bool ok = WriteTextureDictionary(file, doc, list, output);
    return file.Close() && ok;
}
