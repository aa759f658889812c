// Every rule over the records of a clump of one geometry, as a writer holds
// them before writing: the same rules, in the same order, as the check of a
// model file applies to what it reads.
#pragma once

#include "check/Finding.h"
#include "check/TextureNames.h"
#include "format/AtomicLayout.h"
#include "format/FrameListLayout.h"
#include "format/GeometryLayout.h"

// The records; binMesh, skin and atomic may be null (none written).
struct ClumpRecords {
    const FrameListRecord* frames = nullptr;
    const GeometryRecord* geometry = nullptr;
    const MaterialListRecord* materials = nullptr;
    const BinMeshRecord* binMesh = nullptr;
    const SkinRecord* skin = nullptr;
    const AtomicRecord* atomic = nullptr;
};

// dictionary: the sorted names of the dictionary written beside the model,
// or null. Findings are placed in clump 0, geometry 0, atomic 0.
void CheckClumpRecords(const ClumpRecords& r, const TextureNames* dictionary, FindingList& out);
