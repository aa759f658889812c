#include "Plugins/Export/TextureName.h"

#include "frame/PathParts.h"

void TextureNameOf(const char* fileName, char* out, size_t size) {
    FileStemOf(fileName, out, size);
}
