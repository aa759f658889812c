// Steps that both ways of converting an object into a WorkMesh share.
#pragma once

#include <stdint.h>

#include "Plugins/Export/WorkMesh.h"
#include "frame/HeapArray.h"

// Deletes the WorkMesh's host object and frees its attributes.
void ReleaseWorkMesh(WorkMesh* mesh);

// Compacts the host object and tells, for each vertex it keeps, the vertex's
// index before compacting (-1 where that cannot be told). The vertices kept
// are those that a face uses, in their order, so the k-th used vertex becomes
// vertex k. False when memory runs out.
bool CompactWithSourceMap(HostObject object, HeapArray<int32_t>* sourceOf);

// Fills the four bone slots of a vertex: a slot whose weight is not above 0
// gets bone 0 and weight 0.
void SetWeightSlots(VertexAttributes* attributes, const uint8_t bones[4], const float weights[4]);
