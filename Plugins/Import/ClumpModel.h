// The chosen clump as the import reads it: plain records of its first
// geometry, its frames and the frame its atomic hangs from, with how far the
// reading and the checks got. Nothing here touches the host; the builders
// (ImportSteps.h) turn the model into the document.
#pragma once

#include <stdint.h>

#include "Plugins/Import/ImportResult.h"
#include "format/BinMeshLayout.h"
#include "format/FrameListLayout.h"
#include "format/GeometryLayout.h"
#include "format/MaterialLayout.h"
#include "format/SkinLayout.h"
#include "frame/HAnimTag.h"
#include "frame/HeapArray.h"

// The points the import passes, in order. A failure is recorded with the
// point it stopped at: what comes before it was read and checked (and is
// built), nothing after it. The trace lines stand between these points.
enum class ClumpStage : uint8_t {
    kEnter,             // the clump, its Geometry List, Geometry and Struct
    kGeometryHeader,    // the Struct's fixed part
    kGeometryMemory,    // memory for the arrays before the positions
    kGeometryArrays,    // prelit colours, texture coordinates, triangles
    kPositions,         //
    kMaterialList,      // the Material List (read) and memory for its table
    kGeometryExtension, // the Bin Mesh PLG (a Skin PLG never stops the import)
    kFrameList,         // the Frame List, its Struct and frame count
    kFrameMemory,       // memory for the frames
    kFrameRecords,      // the frame records
    kFrameParents,      // every frame's parent
    kFrameNames,        // the names the pose reset looks for (read only then)
    kBones,             // the bone frames' Extensions and nodes, before stopFrame
    kDone,
};

// The first geometry of the clump.
struct ClumpGeometry {
    // The Struct: arrays and positions as stored (normals are not read).
    GeometryRecord record;
    MaterialListRecord materials; // count 0 without a Material List
    BinMeshRecord binMesh;        // no meshes without a Bin Mesh PLG
    // Triangles from the first on that the material split gave corners and
    // a material (set by the checks); the others keep the Struct's corners
    // and have no material.
    size_t splitTriangles = 0;
    // The Skin PLG, when it was read whole from its section.
    bool hasSkin = false;
    SkinRecord skin;
};

struct ClumpFrames {
    // The Struct's records, and the Extensions of the bone frames (hasHAnim
    // and the name after the HAnim PLG).
    FrameListRecord list;
    // Each frame's first Frame name (hasName), read only for the pose reset.
    FrameListRecord poseNames;
    // Every frame's parent, -1 the root (checked: every walk up ends at a root).
    HeapArray<int32_t> parents;
    // The frame the clump's atomic of geometry 0 hangs from, -1 unknown.
    int32_t atomicFrame = -1;
};

// What the checks resolve for the builders.
struct ClumpBones {
    // Per frame: the bone's node in the hierarchy in force at that frame
    // (index, id, flags); meaningful for the bone frames (hasHAnim).
    HeapArray<HAnimTag> tags;
    // Per node of the last hierarchy: its bone frame, -1 none.
    HeapArray<int32_t> nodeFrame;
    // The skin fits the geometry and the bones: it places the mesh.
    bool skinFits = false;
};

struct ClumpModel {
    ClumpGeometry geometry;
    ClumpFrames frames;
    ClumpBones bones;
    // kDone with an Ok result, or where the first failure stopped the import.
    ClumpStage stage = ClumpStage::kEnter;
    // At kBones: the bone frames before this one were read and found.
    int32_t stopFrame = 0;
    ImportResult result;
};
