#include "Plugins/Export/TextureList.h"

#include "frame/TextCase.h"

namespace {

bool IsListed(const TextureList& list, const TextureEntry& entry) {
    for (uint32_t i = 0; i < list.count; ++i) {
        const TextureEntry& e = list.entries[i];
        if (SameTextIgnoringCase(e.texture, entry.texture) &&
            SameTextIgnoringCase(e.alphaMap, entry.alphaMap))
            return true;
    }
    return false;
}

} // namespace

bool BuildTextureList(HostDocument doc, const UsedMaterialMap& used, TextureList* list) {
    list->count = 0;
    int32_t count = g_host.MQDoc_GetMaterialCount(doc);
    if (count > used.materialCount)
        count = used.materialCount;
    if (count <= 0)
        return true;
    size_t room = static_cast<size_t>(count) < kMaxTextureCount ? static_cast<size_t>(count)
                                                                : kMaxTextureCount;
    if (!list->entries.Allocate(room))
        return false;
    for (int32_t m = 0; m < count && list->count < room; ++m) {
        if (used.entries[static_cast<size_t>(m) + 1] == -1)
            continue;
        HostMaterial material = g_host.MQDoc_GetMaterial(doc, m);
        TextureEntry& entry = list->entries[list->count];
        entry.texture[0] = '\0';
        entry.alphaMap[0] = '\0';
        g_host.MQMat_GetTextureName(material, entry.texture, kMaterialTextSize);
        entry.texture[kMaterialTextSize - 1] = '\0';
        if (entry.texture[0] == '\0')
            continue;
        g_host.MQMat_GetAlphaName(material, entry.alphaMap, kMaterialTextSize);
        entry.alphaMap[kMaterialTextSize - 1] = '\0';
        if (!IsListed(*list, entry))
            list->count++;
    }
    return true;
}
