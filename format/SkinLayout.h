// Records of the Skin PLG, the Atomic and its Right To Render section.
#pragma once

#include <stdint.h>

#include "format/Sections.h"
#include "frame/HeapArray.h"

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
bool ReadAtomicStruct(SectionCursor& c, AtomicStruct* r);
// A whole Right To Render section.
bool WriteRightToRenderSection(ByteStream& s);

// A Skin PLG as read: per vertex four bone indices and four weights, per bone
// an inverse bind matrix (16 floats, rows of four). The used bone list and
// the split data after the matrices are not kept.
struct SkinRecord {
    uint8_t boneCount = 0;
    uint8_t usedBoneCount = 0;
    uint8_t maxWeightsPerVertex = 0;
    uint32_t vertexCount = 0;
    HeapArray<uint8_t> boneIndices;   // 4 x vertexCount
    HeapArray<float> weights;         // 4 x vertexCount
    HeapArray<float> inverseMatrices; // 16 x boneCount
};

enum class SkinReadResult : uint8_t {
    kOk,
    kCountsPastSection, // the counts need more bytes than the section holds
    kOutOfMemory,
};

// Reads the body of the entered Skin PLG for a geometry of vertexCount
// vertices. Every count is checked against the section before anything is
// allocated or read, so a failure leaves the cursor sound. A used bone count
// of 0 marks the older layout, where a 4-byte marker precedes each matrix.
SkinReadResult ReadSkinPlg(SectionCursor& c, uint32_t vertexCount, SkinRecord* out);
