#include "check/SkinRules.h"

#include <string.h>

namespace {

// The vertices the record's arrays hold whole.
size_t VerticesOf(const SkinRecord& skin) {
    size_t v = skin.vertexCount;
    if (skin.weights.Count() / 4 < v)
        v = skin.weights.Count() / 4;
    if (skin.boneIndices.Count() / 4 < v)
        v = skin.boneIndices.Count() / 4;
    return v;
}

// Counts vertices of one kind, remembering the first.
struct VertexTally {
    uint32_t count = 0;
    int32_t first = kNoIndex;
    int32_t bone = kNoIndex;
    void Note(size_t vertex, int32_t b = kNoIndex) {
        if (count++ == 0) {
            first = static_cast<int32_t>(vertex);
            bone = b;
        }
    }
};

} // namespace

uint8_t MaxLeadingWeights(const SkinRecord& skin) {
    const size_t vertices = VerticesOf(skin);
    uint8_t most = 0;
    for (size_t v = 0; v < vertices && most < 4; ++v) {
        const float* w = &skin.weights[4 * v];
        uint8_t n = 0;
        while (n < 4 && w[n] != 0.0f)
            ++n;
        if (n > most)
            most = n;
    }
    return most;
}

uint32_t UsedBonesOf(const SkinRecord& skin, uint8_t* bones) {
    bool used[256] = {};
    const size_t vertices = VerticesOf(skin);
    for (size_t v = 0; v < vertices; ++v)
        for (size_t k = 0; k < 4; ++k)
            if (skin.weights[4 * v + k] != 0.0f)
                used[skin.boneIndices[4 * v + k]] = true;
    uint32_t n = 0;
    for (uint32_t b = 0; b < 256; ++b)
        if (used[b])
            bones[n++] = static_cast<uint8_t>(b);
    return n;
}

void CheckSkin(const SkinRecord& skin, FindingList& out) {
    if (skin.boneCount > kMaxSkinnedBones) {
        Finding& f = out.Add(Rule::kBoneLimit);
        f.value = skin.boneCount;
        f.limit = kMaxSkinnedBones;
    }
    VertexTally zero, outside;
    const size_t vertices = VerticesOf(skin);
    for (size_t v = 0; v < vertices; ++v) {
        const float* w = &skin.weights[4 * v];
        const uint8_t* b = &skin.boneIndices[4 * v];
        if (w[0] + w[1] + w[2] + w[3] == 0.0f)
            zero.Note(v);
        for (size_t k = 0; k < 4; ++k)
            if (w[k] != 0.0f && b[k] >= skin.boneCount) {
                outside.Note(v, b[k]);
                break;
            }
    }
    if (zero.count > 0) {
        Finding& f = out.Add(Rule::kWeightSumZero);
        f.vertex = zero.first;
        f.count = zero.count;
    }
    if (outside.count > 0) {
        Finding& f = out.Add(Rule::kWeightBoneRange);
        f.vertex = outside.first;
        f.count = outside.count;
        f.bone = outside.bone;
        f.limit = skin.boneCount;
    }
    const uint8_t leading = MaxLeadingWeights(skin);
    if (leading > 0 && leading != skin.maxWeightsPerVertex) {
        Finding& f = out.Add(Rule::kSkinMaxWeights);
        f.value = skin.maxWeightsPerVertex;
        f.limit = leading;
    }
    // A used bone count of 0 is the older layout, without the list.
    if (skin.usedBoneCount == 0)
        return;
    uint8_t used[256];
    const uint32_t usedCount = UsedBonesOf(skin, used);
    const size_t listed = skin.usedBoneIndices.Count() < skin.usedBoneCount
                              ? skin.usedBoneIndices.Count()
                              : skin.usedBoneCount;
    if (listed == usedCount &&
        (listed == 0 || memcmp(skin.usedBoneIndices.Data(), used, listed) == 0))
        return;
    Finding& f = out.Add(Rule::kSkinUsedBones);
    f.value = static_cast<int64_t>(listed);
    f.limit = usedCount;
    // The first weighted bone the list leaves out: the game does not move it.
    for (uint32_t k = 0; k < usedCount && f.bone == kNoIndex; ++k)
        if (listed == 0 || memchr(skin.usedBoneIndices.Data(), used[k], listed) == nullptr)
            f.bone = used[k];
}
