#include "Plugins/Export/WorkMesh.h"

bool UsedMaterialMap::Reset(int32_t count) {
    materialCount = count < 0 ? 0 : count;
    if (!entries.Allocate(static_cast<size_t>(materialCount) + 1))
        return false;
    for (size_t i = 0; i < entries.Count(); ++i)
        entries[i] = -1;
    return true;
}

int32_t UsedMaterialMap::Renumber() {
    int32_t next = 0;
    for (size_t i = 0; i < entries.Count(); ++i)
        if (entries[i] != -1)
            entries[i] = next++;
    return next;
}
