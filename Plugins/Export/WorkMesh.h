// The exporter's working data: one temporary host object per Keynote object,
// with the attributes the file needs per vertex, and the map of the host
// materials that exported faces use.
#pragma once

#include <stdint.h>

#include "frame/HeapArray.h"
#include "frame/MQHost.h"

struct VertexAttributes {
    Point3 normal;
    uint8_t bones[4]; // HAnim index numbers
    float weights[4];
    TexCoord texCoord;
};

// A temporary host object (never added to the document; deleted with
// MQObj_Delete at the end of the export) and its per-vertex attributes,
// indexed like its vertices.
struct WorkMesh {
    HostObject object = 0;
    HeapArray<VertexAttributes> attributes;
};

// Entry m + 1 belongs to host material m, entry 0 to faces without material.
// -1 marks an unused material; conversion marks used ones 0, and the driver
// then numbers them in file order.
struct UsedMaterialMap {
    HeapArray<int32_t> entries;
    int32_t materialCount = 0;

    bool Reset(int32_t count);
    // A face's material as the file sees it: -1 (none) for an index that the
    // document does not have.
    int32_t Normalize(int32_t material) const {
        return (material >= 0 && material < materialCount) ? material : -1;
    }
    void MarkUsed(int32_t material) { entries[static_cast<size_t>(Normalize(material) + 1)] = 0; }
    int32_t FileIndex(int32_t material) const {
        return entries[static_cast<size_t>(Normalize(material) + 1)];
    }
    // Numbers the used materials from 0 in host order (no material first);
    // returns how many are used.
    int32_t Renumber();
};
