// Keynote's bones as records of the file: the Skeleton read from Keynote's
// document in one place, and from it the Frame List and the Skin PLG.
#pragma once

#include <stdint.h>

#include "Plugins/Export/BoneMatrices.h"
#include "Plugins/Export/ExportNotes.h"
#include "Plugins/Export/KeynoteDocument.h"
#include "Plugins/Export/WorkMesh.h"
#include "format/FrameListLayout.h"
#include "format/SkinLayout.h"
#include "frame/HAnimTag.h"
#include "frame/HeapArray.h"

struct Skeleton {
    int32_t boneCount = 0;
    HeapArray<XSBone> bones;
    HeapArray<HAnimTag> tags;
    HeapArray<int32_t> parents; // index into the bone list, -1 for none
    Matrix4 axisTurn;
    float scale = 1.0f;
    float groundOffset = 0.0f;
};

// Reads the bones of Keynote's document in its order. False when memory runs out.
bool LoadSkeleton(XSRecord doc, Skeleton* skeleton);
// The first bone in list order whose tag index is n, or -1.
int32_t BoneWithTagIndex(const Skeleton& skeleton, int32_t n);

// The game keeps a frame's name in 24 bytes.
constexpr size_t kMaxExportFrameNameLength = 23;

// The Frame List: a root frame, then one frame per bone with its HAnim PLG
// (the hierarchy on the first bone) and its name, cut to 23 characters
// (never within a double-byte character); each name cut goes to notes
// (frame-name-length). False on a tag index without a bone, with that index
// in *missing, or when memory runs out, with -1 in *missing.
bool FrameListOf(const Skeleton& skeleton, FrameListRecord* out, int32_t* missing,
                 ExportNotes* notes);
// The Skin PLG of the meshes' vertices, in mesh order; fails like FrameListOf.
bool SkinOf(const Skeleton& skeleton, const WorkMesh* meshes, int32_t meshCount, SkinRecord* out,
            int32_t* missing);
