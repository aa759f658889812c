#include "format/SkinLayout.h"

void WriteSkinHeader(ByteStream& s, uint8_t boneCount) {
    WriteU8(s, boneCount);
    WriteU8(s, boneCount);
    WriteU16(s, kSkinMaxWeightsPerVertex);
    for (uint32_t i = 0; i < boneCount; ++i)
        WriteU8(s, static_cast<uint8_t>(i));
}

void WriteSkinTrailer(ByteStream& s) {
    WriteU32(s, 0);
    WriteU32(s, 0);
    WriteU32(s, 0);
}

void WriteAtomicStruct(ByteStream& s, const AtomicStruct& r) {
    WriteI32(s, r.frameIndex);
    WriteI32(s, r.geometryIndex);
    WriteI32(s, r.flags);
    WriteI32(s, r.reserved);
}

bool WriteRightToRenderSection(ByteStream& s) {
    uint8_t body[8];
    StoreU32(body, kRightToRenderPlugin);
    StoreU32(body + 4, kRightToRenderExtraData);
    return WriteSection(s, kSectionRightToRender, body, sizeof body);
}

bool ReadAtomicStruct(SectionCursor& c, AtomicStruct* r) {
    return ReadI32(c, &r->frameIndex) && ReadI32(c, &r->geometryIndex) && ReadI32(c, &r->flags) &&
           ReadI32(c, &r->reserved);
}

SkinReadResult ReadSkinPlg(SectionCursor& c, uint32_t vertexCount, SkinRecord* out) {
    uint8_t header[4];
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
    if (!out->boneIndices.Allocate(v4) || !out->weights.Allocate(v4) ||
        !out->inverseMatrices.Allocate(16 * static_cast<size_t>(bones)))
        return SkinReadResult::kOutOfMemory;
    SkipBytes(c, header[1]);
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
