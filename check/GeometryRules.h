// The rules over a geometry, its materials and the atomics that draw it.
#pragma once

#include <stdint.h>

#include "check/Finding.h"
#include "check/TextureNames.h"
#include "format/AtomicLayout.h"
#include "format/GeometryLayout.h"

// The game draws with 16-bit vertex indices.
constexpr int32_t kMaxGeometryVertices = 65535;

// vertex-limit; vertex-index-range over the triangles and, when given, the
// Bin Mesh PLG the game draws from; no-normals for a skinned geometry that
// stores no normals (its flags or its morph target say none).
void CheckGeometry(const GeometryRecord& geometry, const BinMeshRecord* binMesh, bool skinned,
                   FindingList& out);

// texture-name-length and mask-name-length for every material; with the
// names of the model's dictionary, texture-missing for each material whose
// texture (of a name that can match) the dictionary lacks.
void CheckMaterials(const MaterialListRecord& materials, const TextureNames* dictionary,
                    FindingList& out);

// The atomic at position index of a clump with frameCount frames and
// geometryCount geometries, of which skinned[g] tells which carry a skin:
// atomic-index-range, and right-to-render for an atomic of a skinned geometry.
void CheckAtomic(const AtomicRecord& atomic, int32_t index, int32_t frameCount,
                 int32_t geometryCount, const bool* skinned, FindingList& out);
