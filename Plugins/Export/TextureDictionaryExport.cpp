#include "Plugins/Export/TextureDictionaryExport.h"

#include <string.h>

#include "Plugins/Export/ExportMessages.h"
#include "Plugins/Export/TextureDictionaryWriter.h"
#include "Plugins/Export/TextureList.h"
#include "format/ByteStream.h"
#include "platform/Platform.h"

namespace {

void ShowError(const char* message) {
    PlatformMessageBox(g_host.MQ_GetWindowHandle(), message, EXPORT_CAPTION,
                       kMessageBoxIconError | kMessageBoxOk);
}

} // namespace

bool PrepareTextureDictionary(HostDocument doc, const char* modelPath, const UsedMaterialMap& used,
                              const TextureOutput& output, PendingFile& file) {
    HeapArray<char> path;
    TextureList list;
    if (!path.Allocate(strlen(modelPath) + 5) || !BuildTextureList(doc, used, &list)) {
        ShowError(MSG_EXPORT_OUT_OF_MEMORY);
        return false;
    }
    TextureDictionaryPath(modelPath, path.Data(), path.Count());
    if (!file.Create(path.Data())) {
        ShowError(MSG_TXD_CREATE_FAILED);
        return false;
    }
    bool written = WriteTextureDictionary(file.Stream(), doc, list, output);
    if (!file.Finish() || !written) {
        file.Discard();
        ShowError(MSG_TXD_WRITE_FAILED);
        return false;
    }
    return true;
}

bool ExportTextureDictionary(HostDocument doc, const char* modelPath, const UsedMaterialMap& used,
                             const TextureOutput& output) {
    PendingFile file;
    if (!PrepareTextureDictionary(doc, modelPath, used, output, file))
        return false;
    if (!file.Commit()) {
        ShowError(MSG_TXD_REPLACE_FAILED);
        return false;
    }
    return true;
}
