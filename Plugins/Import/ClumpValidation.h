// The one pass of checks over a clump's model once it is read, without the
// host: what the records must agree on among themselves before anything is
// built, and what the builders look up resolved once.
#pragma once

#include "Plugins/Import/ClumpModel.h"

// Checks the records read before model->stage, in the order the import meets
// them, and records the first failure the way the reader does (an earlier one
// of the reader's stands): the frames' parents (-1 or a frame of the list,
// no cycles), then each bone frame's node id, which the hierarchy in force at
// that frame must hold. Resolves the material split into the triangles, each
// bone frame's node (ClumpBones) and whether the skin places the mesh (its
// weighted bones within its bones and the last hierarchy's nodes, each node
// a bone frame). Memory failures give the out-of-memory result.
void ValidateClump(ClumpModel* model);

// Whether triangle k's corners name vertices of the geometry; a face is built
// only for such a triangle. corners receives them in the face's order (A, C, B).
bool TriangleCornersOf(const ClumpGeometry& g, size_t k, uint16_t corners[3]);
// The list position of triangle k's material, or kNoMaterial: only the
// material split gives triangles their materials.
uint16_t TriangleMaterialOf(const ClumpGeometry& g, size_t k);
