#include "Plugins/Export/TextureDictionaryExport.h"

#include <string.h>

#include "Plugins/Export/TextureDictionaryWriter.h"
#include "Plugins/Export/TextureList.h"
#include "format/ByteStream.h"

ExportResult PrepareTextureDictionary(HostDocument doc, const char* modelPath,
                                      const UsedMaterialMap& used, const TextureOutput& output,
                                      TexturesLeftOut& leftOut, ExportNotes* notes,
                                      PendingFile& file) {
    HeapArray<char> path;
    TextureList list;
    if (!path.Allocate(strlen(modelPath) + 5) || !BuildTextureList(doc, used, &list))
        return ExportFailure(ExportProblem::kOutOfMemory);
    TextureDictionaryPath(modelPath, path.Data(), path.Count());
    if (!file.Create(path.Data()))
        return ExportFailure(ExportProblem::kTxdCreateFailed);
    bool written = WriteTextureDictionary(file.Stream(), doc, list, leftOut, output, notes);
    if (!file.Finish() || !written) {
        file.Discard();
        return ExportFailure(ExportProblem::kTxdWriteFailed);
    }
    return ExportDone();
}
