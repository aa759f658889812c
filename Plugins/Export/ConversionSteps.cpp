#include "Plugins/Export/ConversionSteps.h"

void ReleaseWorkMesh(WorkMesh* mesh) {
    if (mesh->object != 0)
        g_host.MQObj_Delete(mesh->object);
    mesh->object = 0;
    mesh->attributes.Release();
}

bool CompactWithSourceMap(HostObject object, HeapArray<int32_t>* sourceOf) {
    int32_t before = g_host.MQObj_GetVertexCount(object);
    if (before < 0)
        before = 0;
    HeapArray<int32_t> used;
    if (!used.Allocate(static_cast<size_t>(before)))
        return false;
    int32_t usedCount = 0;
    for (int32_t v = 0; v < before; ++v)
        if (g_host.MQObj_GetVertexRefCount(object, v) > 0)
            used[static_cast<size_t>(usedCount++)] = v;

    g_host.MQObj_Compact(object);
    int32_t after = g_host.MQObj_GetVertexCount(object);
    if (after < 0)
        after = 0;
    if (!sourceOf->Allocate(static_cast<size_t>(after)))
        return false;
    for (int32_t v = 0; v < after; ++v) {
        int32_t source = -1;
        if (after == usedCount)
            source = used[static_cast<size_t>(v)];
        else if (after == before)
            source = v; // nothing was dropped
        (*sourceOf)[static_cast<size_t>(v)] = source;
    }
    return true;
}

void SetWeightSlots(VertexAttributes* attributes, const uint8_t bones[4], const float weights[4]) {
    for (int s = 0; s < 4; ++s) {
        bool weighted = weights[s] > 0.0f;
        attributes->bones[s] = weighted ? bones[s] : 0;
        attributes->weights[s] = weighted ? weights[s] : 0.0f;
    }
}
