// Keynote's bones as the file's frames, HAnim numbers and skin: the Frame List
// and the Skin PLG.
#pragma once

#include <stdint.h>

#include "Plugins/Export/BoneMatrices.h"
#include "Plugins/Export/KeynoteDocument.h"
#include "Plugins/Export/WorkMesh.h"
#include "format/ByteStream.h"
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

// Writes the Frame List. On a tag index without a bone it stops where it is
// and returns false with that index in *missing.
bool WriteFrameList(ByteStream& s, const Skeleton& skeleton, int32_t* missing);
// Writes the Skin PLG of the meshes' vertices; stops like WriteFrameList.
bool WriteSkin(ByteStream& s, const Skeleton& skeleton, const WorkMesh* meshes, int32_t meshCount,
               int32_t* missing);
