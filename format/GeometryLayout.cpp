#include "format/GeometryLayout.h"

#include <string.h>

void WriteGeometryHeader(ByteStream& s, const GeometryHeader& r) {
    WriteU16(s, r.formatFlags);
    WriteU8(s, r.texCoordSetCount);
    WriteU8(s, r.nativeFlags);
    WriteI32(s, r.triangleCount);
    WriteI32(s, r.vertexCount);
    WriteI32(s, r.morphTargetCount);
}

bool ReadGeometryHeader(SectionCursor& c, GeometryHeader* r) {
    return ReadU16(c, &r->formatFlags) && ReadU8(c, &r->texCoordSetCount) &&
           ReadU8(c, &r->nativeFlags) && ReadI32(c, &r->triangleCount) &&
           ReadI32(c, &r->vertexCount) && ReadI32(c, &r->morphTargetCount);
}

void StoreTriangleRecord(uint8_t* bytes, const TriangleRecord& r) {
    StoreU16(bytes + 0, r.cornerB);
    StoreU16(bytes + 2, r.cornerA);
    StoreU16(bytes + 4, r.materialIndex);
    StoreU16(bytes + 6, r.cornerC);
}

void WriteTriangleRecord(ByteStream& s, const TriangleRecord& r) {
    uint8_t bytes[kTriangleRecordSize];
    StoreTriangleRecord(bytes, r);
    s.Write(bytes, sizeof bytes);
}

TriangleRecord LoadTriangleRecord(const uint8_t* bytes) {
    TriangleRecord r;
    r.cornerB = LoadU16(bytes + 0);
    r.cornerA = LoadU16(bytes + 2);
    r.materialIndex = LoadU16(bytes + 4);
    r.cornerC = LoadU16(bytes + 6);
    return r;
}

void WriteMorphTargetHeader(ByteStream& s, const MorphTargetHeader& r) {
    for (float f : r.sphere)
        WriteF32(s, f);
    WriteI32(s, r.hasPositions);
    WriteI32(s, r.hasNormals);
}

void WriteMaterialStruct(ByteStream& s, const MaterialStruct& r) {
    WriteI32(s, r.flags);
    s.Write(r.colour, 4);
    WriteI32(s, r.reserved);
    WriteI32(s, r.isTextured);
    WriteF32(s, r.ambient);
    WriteF32(s, r.specular);
    WriteF32(s, r.diffuse);
}

bool ReadMaterialStruct(SectionCursor& c, MaterialStruct* r) {
    return ReadI32(c, &r->flags) && ReadBytes(c, r->colour, 4) && ReadI32(c, &r->reserved) &&
           ReadI32(c, &r->isTextured) && ReadF32(c, &r->ambient) && ReadF32(c, &r->specular) &&
           ReadF32(c, &r->diffuse);
}

uint32_t StringBodyLength(uint32_t textLength) {
    return (textLength & ~3u) + 4;
}

bool WriteStringSection(ByteStream& s, const char* text) {
    uint32_t length = static_cast<uint32_t>(strlen(text));
    uint32_t body = StringBodyLength(length);
    if (!WriteU32(s, kSectionString) || !WriteU32(s, body) || !WriteU32(s, LibraryVersionStamp))
        return false;
    static const uint8_t kZeros[4] = {0, 0, 0, 0};
    return s.Write(text, length) && s.Write(kZeros, body - length);
}

void WriteBinMeshHeader(ByteStream& s, const BinMeshHeader& r) {
    WriteU32(s, r.meshFlags);
    WriteU32(s, r.meshCount);
    WriteU32(s, r.totalIndexCount);
}

bool ReadBinMeshHeader(SectionCursor& c, BinMeshHeader* r) {
    return ReadU32(c, &r->meshFlags) && ReadU32(c, &r->meshCount) &&
           ReadU32(c, &r->totalIndexCount);
}
