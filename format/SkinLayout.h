// Records of the Skin PLG: per vertex four bone indices and four weights, per
// bone an inverse bind matrix.
#pragma once

#include <stdint.h>

#include "format/SectionReader.h"
#include "format/SectionWriter.h"
#include "frame/HeapArray.h"

// Bones and per-vertex influences fit single bytes.
constexpr int32_t kMaxSkinBones = 255;
constexpr uint8_t kSkinMaxWeightsPerVertex = 3;

// boneCount, usedBoneCount, maxWeightsPerVertex and a padding byte.
constexpr uint32_t kSkinHeaderSize = 4;
// boneLimit, splitMeshCount, splitRleCount after the matrices.
constexpr uint32_t kSkinTrailerSize = 12;

// A Skin PLG body. With a used-bone list the matrices are written without
// markers; without one (a used bone count of 0) in the older layout, a
// 4-byte marker before each matrix, which is how readers, the game's too,
// take such a body. The writer ends with a trailer of three zero counts; the
// reader keeps nothing of what follows the matrices.
struct SkinRecord {
    uint8_t boneCount = 0;
    uint8_t usedBoneCount = 0;
    uint8_t maxWeightsPerVertex = 0;
    uint32_t vertexCount = 0;
    HeapArray<uint8_t> usedBoneIndices; // usedBoneCount
    HeapArray<uint8_t> boneIndices;     // 4 x vertexCount
    HeapArray<float> weights;           // 4 x vertexCount
    HeapArray<float> inverseMatrices;   // 16 x boneCount, rows of four
};

// Writes the whole Skin PLG section. A matrix value that is not finite marks
// the stream, as WriteF32 does; the weights are written as they are.
bool WriteSkinPlg(ByteStream& s, const SkinRecord& r);

enum class SkinReadResult : uint8_t {
    kOk,
    kCountsPastSection, // the counts need more bytes than the section holds
    kOutOfMemory,
};

// Reads the body of the entered Skin PLG for a geometry of vertexCount
// vertices. Every count is checked against the section before anything is
// allocated or read, so a failure leaves the cursor sound.
SkinReadResult ReadSkinPlg(SectionCursor& c, uint32_t vertexCount, SkinRecord* out);
