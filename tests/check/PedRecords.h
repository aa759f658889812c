// A skinned ped that keeps every rule of the game, made of the records the
// format writers take, for tests that break one rule at a time.
#pragma once

#include <stdint.h>

#include <vector>

#include "format/AtomicLayout.h"
#include "format/FrameListLayout.h"
#include "format/GeometryLayout.h"

struct PedRecords {
    FrameListRecord frames;
    GeometryRecord geometry;
    MaterialListRecord materials;
    BinMeshRecord binMesh;
    SkinRecord skin;
    AtomicRecord atomic;
};

// The 32 HAnim ids of the game's ped skeleton.
std::vector<int32_t> PedBoneIds();

// A root frame and one bone frame per id (named "bone1", "bone2", ...; the
// hierarchy of every id on the first), a textured quad with normals whose
// four vertices are weighted to bones 0 to 2 (vertex 0 half to 0 and 1, the
// others wholly to 0, 1 and 2), its material naming texture "body", its Bin
// Mesh, a skin of one bone per id, and an atomic with Right To Render.
void MakePed(PedRecords* ped, const std::vector<int32_t>& ids = PedBoneIds());

// Gives the quad more vertices (at the origin, weighted wholly to bone 0);
// the first four keep the quad's weights but not its positions.
void ResizePedVertices(PedRecords* ped, int32_t count);

// The model file of the records: one clump.
std::vector<uint8_t> PedBytes(const PedRecords& ped);
