#include "format/SkinLayout.h"

#include <math.h>
#include <string.h>

// Hands size bytes to the block writer, at most 1 KiB at a time.
static void PutBytes(BlockWriter& block, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        uint32_t n = size < 1024 ? static_cast<uint32_t>(size) : 1024;
        memcpy(block.Reserve(n), bytes, n);
        bytes += n;
        size -= n;
    }
}

bool WriteSkinPlg(ByteStream& s, const SkinRecord& r) {
    SectionStack stack;
    if (!BeginSection(s, stack, kSectionSkinPlg))
        return false;
    BlockWriter block(s);
    uint8_t* header = block.Reserve(kSkinHeaderSize);
    header[0] = r.boneCount;
    header[1] = r.usedBoneCount;
    header[2] = r.maxWeightsPerVertex;
    header[3] = 0;
    PutBytes(block, r.usedBoneIndices.Data(), r.usedBoneIndices.Count());
    // All bone indices first, then all weights.
    PutBytes(block, r.boneIndices.Data(), r.boneIndices.Count());
    for (size_t i = 0; i < r.weights.Count(); ++i)
        block.F32(r.weights[i]);
    for (size_t i = 0; i < r.inverseMatrices.Count(); ++i) {
        // Without a used-bone list the layout is the older one, which readers
        // (the game's too) take with 4 filler bytes before each matrix.
        if (r.usedBoneCount == 0 && i % 16 == 0)
            block.U32(0);
        if (!isfinite(r.inverseMatrices[i]))
            s.NoteNonFinite();
        block.F32(r.inverseMatrices[i]);
    }
    for (uint32_t i = 0; i < kSkinTrailerSize / 4; ++i)
        block.U32(0);
    bool ok = block.Finish();
    return EndSection(s, stack) && ok;
}

SkinReadResult ReadSkinPlg(SectionCursor& c, uint32_t vertexCount, SkinRecord* out) {
    uint8_t header[kSkinHeaderSize];
    if (SectionBytesLeft(c) < sizeof header)
        return SkinReadResult::kCountsPastSection;
    ReadBytes(c, header, sizeof header);
    out->boneCount = header[0];
    out->usedBoneCount = header[1];
    out->maxWeightsPerVertex = header[2];
    out->vertexCount = vertexCount;
    uint64_t bones = header[0];
    uint64_t matrixBytes = bones * (header[1] == 0 ? 68 : 64);
    uint64_t needed = header[1] + 20 * static_cast<uint64_t>(vertexCount) + matrixBytes;
    if (needed > SectionBytesLeft(c))
        return SkinReadResult::kCountsPastSection;
    size_t v4 = 4 * static_cast<size_t>(vertexCount);
    if (!out->usedBoneIndices.Allocate(header[1]) || !out->boneIndices.Allocate(v4) ||
        !out->weights.Allocate(v4) ||
        !out->inverseMatrices.Allocate(16 * static_cast<size_t>(bones)))
        return SkinReadResult::kOutOfMemory;
    if (header[1] > 0)
        ReadBytes(c, out->usedBoneIndices.Data(), header[1]);
    if (v4 > 0)
        ReadBytes(c, out->boneIndices.Data(), static_cast<uint32_t>(v4));
    uint8_t block[4096];
    for (size_t done = 0; done < v4;) {
        size_t n = v4 - done < sizeof block / 4 ? v4 - done : sizeof block / 4;
        ReadBytes(c, block, static_cast<uint32_t>(4 * n));
        for (size_t i = 0; i < n; ++i)
            out->weights[done + i] = LoadF32(block + 4 * i);
        done += n;
    }
    for (uint32_t b = 0; b < bones; ++b) {
        if (header[1] == 0)
            SkipBytes(c, 4);
        ReadBytes(c, block, 64);
        for (int k = 0; k < 16; ++k)
            out->inverseMatrices[16 * b + static_cast<size_t>(k)] = LoadF32(block + 4 * k);
    }
    return SkinReadResult::kOk;
}
