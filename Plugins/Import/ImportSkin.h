// What the geometry step keeps for placing the mesh in its bones: the
// positions as stored and the geometry's Skin PLG, when it has a usable one.
#pragma once

#include <stdint.h>

#include "format/SkinLayout.h"
#include "frame/HeapArray.h"
#include "frame/MQHost.h"

struct ImportSkin {
    // Vertex k of the mesh object is file vertex k, stored at x, y, z =
    // storedPositions[3k], [3k + 1], [3k + 2].
    HeapArray<float> storedPositions;
    SkinRecord record;
    bool present = false; // the Skin PLG was read and fits the geometry
};

// Places every mesh vertex where the game shows it in the frames' pose:
// sum over its bones of weight x (stored position x inverse bind matrix x the
// bone's model-space matrix), scaled. globals holds every frame's model-space
// matrix, nodeFrame the frame of each HAnim node (-1 none); atomicFrame is the
// frame the geometry hangs from (-1 unknown), which places vertices without
// weights. False, with nothing moved, when the skin does not fit the
// hierarchy (a weighted bone index past the bones or the nodes).
bool PlaceSkinnedMesh(HostObject mesh, const ImportSkin& skin, const Matrix4* globals,
                      const int32_t* nodeFrame, int32_t nodeCount, int32_t atomicFrame,
                      float scale);

// A position that is not finite becomes the origin.
Point3 FiniteOrOrigin(Point3 p);
