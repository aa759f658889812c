// Records of the Skin PLG, the Atomic and its Right To Render section.
#pragma once

#include <stdint.h>

#include "format/Sections.h"

// Bones and per-vertex influences fit single bytes.
constexpr int32_t kMaxSkinBones = 255;
constexpr uint16_t kSkinMaxWeightsPerVertex = 3;

struct AtomicStruct {
    int32_t frameIndex;
    int32_t geometryIndex;
    int32_t flags;
    int32_t reserved;
};
constexpr int32_t kAtomicCollisionTestAndRender = 0x01 | 0x04;

// The atomic is rendered by the skinning pipeline.
constexpr uint32_t kRightToRenderPlugin = kSectionSkinPlg;
constexpr uint32_t kRightToRenderExtraData = 1;

// boneCount, usedBoneCount, maxWeightsPerVertex (with the padding byte as one
// uint16), then the used bone indices 0 .. boneCount - 1.
void WriteSkinHeader(ByteStream& s, uint8_t boneCount);
// boneLimit, splitMeshCount, splitRleCount: all 0.
void WriteSkinTrailer(ByteStream& s);

void WriteAtomicStruct(ByteStream& s, const AtomicStruct& r);
// A whole Right To Render section.
bool WriteRightToRenderSection(ByteStream& s);
