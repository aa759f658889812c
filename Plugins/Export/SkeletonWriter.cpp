#include "Plugins/Export/SkeletonWriter.h"

#include <string.h>

#include "frame/TextCut.h"

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

// The hierarchy on the first bone: the nodes ordered by tag index; false at
// the first index without a bone.
static bool CollectHierarchy(const Skeleton& k, HAnimPlgRecord* h, int32_t* missing) {
    h->header.nodeCount = k.boneCount;
    h->hierarchy = HAnimHierarchyHeader{0, kHAnimKeyFrameSize};
    if (!h->nodes.Allocate(static_cast<size_t>(k.boneCount))) {
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
        h->nodes[static_cast<size_t>(n)] = HAnimNodeRecord{tag.nodeId, n, tag.nodeFlags};
    }
    return true;
}

bool FrameListOf(const Skeleton& k, FrameListRecord* out, int32_t* missing, ExportNotes* notes) {
    static_assert(sizeof(XSBone::name) == kFrameNameSize, "bone names fit frame names");
    size_t n = static_cast<size_t>(k.boneCount) + 1;
    out->frameCount = k.boneCount + 1;
    if (!out->frames.Allocate(n) || !out->extensions.Allocate(n)) {
        *missing = -1;
        return false;
    }
    out->frames[0] = FrameRecord{{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}, -1, kFrameFlagNotBone | 3};
    for (int32_t i = 0; i < k.boneCount; ++i)
        out->frames[static_cast<size_t>(i) + 1] = BoneFrame(k, i);
    // The root frame's Extension stays empty.
    for (int32_t i = 0; i < k.boneCount; ++i) {
        FrameExtensionRecord& e = out->extensions[static_cast<size_t>(i) + 1];
        e.hasHAnim = true;
        e.hanim.header = HAnimHeader{kHAnimVersion, k.tags[static_cast<size_t>(i)].nodeId, 0};
        if (i == 0 && !CollectHierarchy(k, &e.hanim, missing))
            return false;
        e.hasName = true;
        const char* name = k.bones[static_cast<size_t>(i)].name;
        if (CopyCutText(name, kMaxExportFrameNameLength, e.name, sizeof e.name))
            AddMendedName(*notes, Rule::kFrameNameLength, name, strnlen(name, sizeof e.name - 1),
                          kMaxExportFrameNameLength)
                .frame = i + 1;
    }
    return true;
}

bool SkinOf(const Skeleton& k, const WorkMesh* meshes, int32_t meshCount, SkinRecord* out,
            int32_t* missing) {
    size_t vertices = 0;
    for (int32_t m = 0; m < meshCount; ++m)
        vertices += meshes[m].attributes.Count();
    size_t bones = static_cast<size_t>(k.boneCount);
    out->boneCount = static_cast<uint8_t>(k.boneCount);
    out->usedBoneCount = out->boneCount;
    out->maxWeightsPerVertex = kSkinMaxWeightsPerVertex;
    out->vertexCount = static_cast<uint32_t>(vertices);
    if (!out->usedBoneIndices.Allocate(bones) || !out->boneIndices.Allocate(4 * vertices) ||
        !out->weights.Allocate(4 * vertices) || !out->inverseMatrices.Allocate(16 * bones)) {
        *missing = -1;
        return false;
    }
    for (size_t i = 0; i < bones; ++i)
        out->usedBoneIndices[i] = static_cast<uint8_t>(i);
    size_t at = 0;
    for (int32_t m = 0; m < meshCount; ++m)
        for (size_t v = 0; v < meshes[m].attributes.Count(); ++v, ++at) {
            const VertexAttributes& a = meshes[m].attributes[v];
            memcpy(&out->boneIndices[4 * at], a.bones, sizeof a.bones);
            memcpy(&out->weights[4 * at], a.weights, sizeof a.weights);
        }
    // Matrix n belongs to the bone whose tag index is n.
    for (int32_t n = 0; n < k.boneCount; ++n) {
        int32_t bone = BoneWithTagIndex(k, n);
        if (bone < 0) {
            *missing = n;
            return false;
        }
        Matrix4 world, inverse;
        WorldOf(k, bone, n == 0 ? 0.0f : k.groundOffset, &world);
        InvertMatrix4(&inverse, &world);
        memcpy(&out->inverseMatrices[16 * static_cast<size_t>(n)], inverse.m, sizeof inverse.m);
    }
    return true;
}
