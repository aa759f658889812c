#include "Plugins/Export/SkeletonWriter.h"

#include <string.h>

#include "format/ClumpLayout.h"
#include "format/SkinLayout.h"

bool LoadSkeleton(XSRecord doc, Skeleton* k) {
    k->boneCount = XSBoneCount(doc);
    if (k->boneCount < 0)
        k->boneCount = 0;
    size_t n = static_cast<size_t>(k->boneCount);
    if (!k->bones.Allocate(n) || !k->tags.Allocate(n) || !k->parents.Allocate(n))
        return false;
    HeapArray<XSRecord> records;
    if (!records.Allocate(n))
        return false;
    for (size_t i = 0; i < n; ++i) {
        records[i] = XSBoneAt(doc, static_cast<int32_t>(i));
        k->bones[i] = ReadXSBone(records[i]);
        k->tags[i] = ParseHAnimTag(k->bones[i].tag);
    }
    // A parent is named by its record; one outside the list counts as none.
    for (size_t i = 0; i < n; ++i) {
        k->parents[i] = -1;
        for (size_t j = 0; j < n && k->bones[i].parent != nullptr; ++j)
            if (records[j] == k->bones[i].parent) {
                k->parents[i] = static_cast<int32_t>(j);
                break;
            }
    }
    return true;
}

int32_t BoneWithTagIndex(const Skeleton& k, int32_t n) {
    for (int32_t i = 0; i < k.boneCount; ++i)
        if (k.tags[static_cast<size_t>(i)].index == n)
            return i;
    return -1;
}

// The bone's model-space matrix with its position shifted by shift along x.
static void WorldOf(const Skeleton& k, int32_t bone, float shift, Matrix4* out) {
    const XSBone& b = k.bones[static_cast<size_t>(bone)];
    BoneWorldMatrix(out, k.axisTurn, b.bind, b.position, shift, k.scale);
}

// The frame record of bone i relative to its parent frame.
static FrameRecord BoneFrame(const Skeleton& k, int32_t i) {
    // Only the second bone carries the ground offset, and its frame adds it back.
    Matrix4 local;
    WorldOf(k, i, i == 1 ? k.groundOffset : 0.0f, &local);
    int32_t parent = k.parents[static_cast<size_t>(i)];
    if (parent >= 0) {
        Matrix4 p, inverse;
        WorldOf(k, parent, 0.0f, &p);
        InvertMatrix4(&inverse, &p);
        MultiplyMatrix4(&local, &local, &inverse);
    }
    if (i == 1)
        local.m[12] += k.groundOffset * k.scale;
    FrameRecord r;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            r.rotation[row * 3 + col] = local.m[row * 4 + col];
    for (int col = 0; col < 3; ++col)
        r.position[col] = local.m[12 + col];
    r.parentIndex = parent + 1;
    r.matrixFlags = 3;
    return r;
}

// The HAnim hierarchy ordered by tag index; false at the first index without a bone.
static bool CollectHierarchy(const Skeleton& k, HeapArray<HAnimNodeRecord>& nodes,
                             int32_t* missing) {
    if (!nodes.Allocate(static_cast<size_t>(k.boneCount))) {
        *missing = -1;
        return false;
    }
    for (int32_t n = 0; n < k.boneCount; ++n) {
        int32_t bone = BoneWithTagIndex(k, n);
        if (bone < 0) {
            *missing = n;
            return false;
        }
        const HAnimTag& tag = k.tags[static_cast<size_t>(bone)];
        nodes[static_cast<size_t>(n)] = HAnimNodeRecord{tag.nodeId, n, tag.nodeFlags};
    }
    return true;
}

bool WriteFrameList(ByteStream& s, const Skeleton& k, int32_t* missing) {
    SectionStack stack;
    BeginSection(s, stack, kSectionFrameList);
    BeginSection(s, stack, kSectionStruct);
    WriteI32(s, k.boneCount + 1);
    FrameRecord root = {{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}, -1, kFrameFlagNotBone | 3};
    WriteFrameRecord(s, root);
    for (int32_t i = 0; i < k.boneCount; ++i)
        WriteFrameRecord(s, BoneFrame(k, i));
    EndSection(s, stack);
    WriteEmptyExtension(s);
    for (int32_t i = 0; i < k.boneCount; ++i) {
        BeginSection(s, stack, kSectionExtension);
        const HAnimTag& tag = k.tags[static_cast<size_t>(i)];
        if (i == 0) {
            HeapArray<HAnimNodeRecord> nodes;
            if (!CollectHierarchy(k, nodes, missing))
                return false;
            WriteHAnimSection(s, tag.nodeId, nodes.Data(), k.boneCount);
        } else {
            WriteHAnimSection(s, tag.nodeId, nullptr, 0);
        }
        WriteFrameNameSection(s, k.bones[static_cast<size_t>(i)].name);
        EndSection(s, stack);
    }
    EndSection(s, stack);
    return true;
}

bool WriteSkin(ByteStream& s, const Skeleton& k, const WorkMesh* meshes, int32_t meshCount,
               int32_t* missing) {
    SectionStack stack;
    BeginSection(s, stack, kSectionSkinPlg);
    WriteSkinHeader(s, static_cast<uint8_t>(k.boneCount));
    // All bone indices first, then all weights.
    BlockWriter block(s);
    for (int32_t m = 0; m < meshCount; ++m)
        for (size_t v = 0; v < meshes[m].attributes.Count(); ++v)
            memcpy(block.Reserve(4), meshes[m].attributes[v].bones, 4);
    for (int32_t m = 0; m < meshCount; ++m)
        for (size_t v = 0; v < meshes[m].attributes.Count(); ++v)
            for (float w : meshes[m].attributes[v].weights)
                block.F32(w);
    block.Finish();
    for (int32_t n = 0; n < k.boneCount; ++n) {
        int32_t bone = BoneWithTagIndex(k, n);
        if (bone < 0) {
            *missing = n;
            return false;
        }
        Matrix4 world, inverse;
        WorldOf(k, bone, n == 0 ? 0.0f : k.groundOffset, &world);
        InvertMatrix4(&inverse, &world);
        for (float f : inverse.m)
            WriteF32(s, f);
    }
    WriteSkinTrailer(s);
    EndSection(s, stack);
    return true;
}
