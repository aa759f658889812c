#include "format/BinMeshLayout.h"

#include "format/RecordBlocks.h"

void StoreBinMeshHeader(uint8_t* bytes, const BinMeshHeader& r) {
    StoreU32(bytes + 0, r.meshFlags);
    StoreU32(bytes + 4, r.meshCount);
    StoreU32(bytes + 8, r.totalIndexCount);
}

// Field by field: a short header is reported where its first missing field starts.
bool ReadBinMeshHeader(SectionCursor& c, BinMeshHeader* r) {
    return ReadU32(c, &r->meshFlags) && ReadU32(c, &r->meshCount) &&
           ReadU32(c, &r->totalIndexCount);
}

bool WriteBinMeshSection(ByteStream& s, const BinMeshRecord& r) {
    uint64_t size = kBinMeshHeaderSize;
    for (size_t k = 0; k < r.meshes.Count(); ++k)
        size += kBinMeshRecordHeaderSize + 4 * static_cast<uint64_t>(r.meshes[k].indices.Count());
    if (size > kMaxStreamSize ||
        !WriteSectionHeader(s, kSectionBinMeshPlg, static_cast<uint32_t>(size)))
        return false;
    BlockWriter block(s);
    StoreBinMeshHeader(
        block.Reserve(kBinMeshHeaderSize),
        BinMeshHeader{r.meshFlags, static_cast<uint32_t>(r.meshes.Count()), r.totalIndexCount});
    for (size_t k = 0; k < r.meshes.Count(); ++k) {
        const HeapArray<uint32_t>& indices = r.meshes[k].indices;
        block.U32(static_cast<uint32_t>(indices.Count()));
        block.U32(r.meshes[k].materialIndex);
        for (size_t i = 0; i < indices.Count(); ++i)
            block.U32(indices[i]);
    }
    return block.Finish();
}

BinMeshReadResult ReadBinMeshPlg(SectionCursor& c, uint32_t triangleCount, uint32_t materialCount,
                                 BinMeshRecord* out) {
    BinMeshHeader header;
    if (!ReadBinMeshHeader(c, &header))
        return BinMeshReadResult::kMalformed;
    out->meshFlags = header.meshFlags;
    out->totalIndexCount = header.totalIndexCount;
    if (header.meshFlags != 0)
        return BinMeshReadResult::kTristrip;
    if (header.meshCount > SectionBytesLeft(c) / kBinMeshRecordHeaderSize)
        return BinMeshReadResult::kMeshCountPastSection;
    if (!out->meshes.Allocate(header.meshCount))
        return BinMeshReadResult::kOutOfMemory;
    uint32_t triangles = 0;
    for (uint32_t k = 0; k < header.meshCount; ++k) {
        BinMeshList& mesh = out->meshes[k];
        uint32_t indexCount = 0;
        if (!ReadU32(c, &indexCount) || !ReadU32(c, &mesh.materialIndex))
            return BinMeshReadResult::kMalformed;
        uint16_t material = static_cast<uint16_t>(mesh.materialIndex & 0xFFFF);
        if (indexCount % 3 != 0)
            return BinMeshReadResult::kIndexCountNotTriangles;
        if (indexCount / 3 > triangleCount - triangles || indexCount > SectionBytesLeft(c) / 4)
            return BinMeshReadResult::kTrianglesPastGeometry;
        if (material != kNoMaterial && material >= materialCount)
            return BinMeshReadResult::kMaterialPastList;
        if (!mesh.indices.Allocate(indexCount))
            return BinMeshReadResult::kOutOfMemory;
        uint32_t* indices = mesh.indices.Data();
        // A triangle's three indices at a time, as blocks of whole triangles.
        if (!ReadRecordBlocks(c, indexCount / 3, 12, [&](uint32_t t, const uint8_t* p) {
                indices[3 * t] = LoadU32(p);
                indices[3 * t + 1] = LoadU32(p + 4);
                indices[3 * t + 2] = LoadU32(p + 8);
            }))
            return BinMeshReadResult::kMalformed;
        triangles += indexCount / 3;
    }
    return BinMeshReadResult::kOk;
}
