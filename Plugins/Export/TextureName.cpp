#include "Plugins/Export/TextureName.h"

#include <string.h>

#include "format/TextureDictionaryLayout.h"
#include "frame/MQHost.h"
#include "frame/PathParts.h"
#include "frame/TextCut.h"

bool TextureNameOf(const char* fileName, char* out, size_t size) {
    char stem[kHostPathSize];
    FileStemOf(fileName, stem, sizeof stem);
    const bool cut = CutTextLength(stem, kMaxTextureNameLength) < strlen(stem);
    CopyCutText(stem, kMaxTextureNameLength, out, size);
    return cut;
}

void MaskNameOf(const char* textureName, char* out, size_t size) {
    if (size < 2) {
        if (size == 1)
            out[0] = '\0';
        return;
    }
    CopyCutText(textureName, kMaxTextureNameLength - 1, out, size - 1);
    const size_t length = strlen(out);
    out[length] = 'a';
    out[length + 1] = '\0';
}
