#include "format/GeometryLayout.h"

#include "format/RecordBlocks.h"

uint32_t TexCoordSetsOf(const GeometryHeader& h) {
    if (h.formatFlags & kGeometryTextured2)
        return h.texCoordSetCount;
    return (h.formatFlags & kGeometryTextured) ? 1 : 0;
}

void WriteGeometryHeader(ByteStream& s, const GeometryHeader& r) {
    WriteU16(s, r.formatFlags);
    WriteU8(s, r.texCoordSetCount);
    WriteU8(s, r.nativeFlags);
    WriteI32(s, r.triangleCount);
    WriteI32(s, r.vertexCount);
    WriteI32(s, r.morphTargetCount);
}

// Field by field: a short header is reported where its first missing field starts.
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

TriangleRecord LoadTriangleRecord(const uint8_t* bytes) {
    TriangleRecord r;
    r.cornerB = LoadU16(bytes + 0);
    r.cornerA = LoadU16(bytes + 2);
    r.materialIndex = LoadU16(bytes + 4);
    r.cornerC = LoadU16(bytes + 6);
    return r;
}

// Through WriteF32, so that a sphere that is not finite marks the stream.
void WriteMorphTargetHeader(ByteStream& s, const MorphTargetHeader& r) {
    for (float f : r.sphere)
        WriteF32(s, f);
    WriteI32(s, r.hasPositions);
    WriteI32(s, r.hasNormals);
}

bool WriteGeometryListStruct(ByteStream& s, const GeometryListStruct& r) {
    return WriteSectionHeader(s, kSectionStruct, 4) && WriteI32(s, r.geometryCount);
}

bool ReadGeometryListStruct(SectionCursor& c, GeometryListStruct* r) {
    return ReadI32(c, &r->geometryCount);
}

namespace {

void WriteFloats(BlockWriter& block, const HeapArray<float>& values) {
    for (size_t i = 0; i < values.Count(); ++i)
        block.F32(values[i]);
}

} // namespace

bool WriteGeometryStruct(ByteStream& s, const GeometryRecord& r) {
    uint64_t size = kGeometryHeaderSize + 4 * static_cast<uint64_t>(r.prelitColours.Count()) +
                    4 * static_cast<uint64_t>(r.texCoords.Count()) +
                    kTriangleRecordSize * static_cast<uint64_t>(r.triangles.Count()) +
                    kMorphTargetHeaderSize + 4 * static_cast<uint64_t>(r.positions.Count()) +
                    4 * static_cast<uint64_t>(r.normals.Count());
    if (size > kMaxStreamSize || !WriteSectionHeader(s, kSectionStruct, static_cast<uint32_t>(size)))
        return false;
    WriteGeometryHeader(s, r.header);
    BlockWriter before(s);
    for (size_t i = 0; i < r.prelitColours.Count(); ++i)
        before.U32(r.prelitColours[i]);
    WriteFloats(before, r.texCoords);
    for (size_t t = 0; t < r.triangles.Count(); ++t)
        StoreTriangleRecord(before.Reserve(kTriangleRecordSize), r.triangles[t]);
    bool ok = before.Finish();
    WriteMorphTargetHeader(s, r.morphTarget);
    BlockWriter after(s);
    WriteFloats(after, r.positions);
    WriteFloats(after, r.normals);
    return after.Finish() && ok;
}

GeometryReadResult ReadGeometryStructHeader(SectionCursor& c, int32_t maxVertexCount,
                                            GeometryRecord* r) {
    GeometryHeader& h = r->header;
    if (!ReadGeometryHeader(c, &h))
        return GeometryReadResult::kMalformed;
    if (h.formatFlags & kGeometryTristrip)
        return GeometryReadResult::kTristrip;
    if (!(h.formatFlags & kGeometryPositions))
        return GeometryReadResult::kNoPositions;
    if (h.vertexCount < 0 || h.triangleCount < 0)
        return GeometryReadResult::kNegativeCount;
    if (h.vertexCount > maxVertexCount)
        return GeometryReadResult::kTooManyVertices;
    uint64_t v = static_cast<uint64_t>(h.vertexCount);
    uint64_t needed = ((h.formatFlags & kGeometryPrelit) ? 4 * v : 0) + 8 * v * TexCoordSetsOf(h) +
                      kTriangleRecordSize * static_cast<uint64_t>(h.triangleCount) +
                      kMorphTargetHeaderSize + 12 * v;
    if (needed > SectionBytesLeft(c))
        return GeometryReadResult::kCountsPastSection;
    return GeometryReadResult::kOk;
}

GeometryReadResult ReadGeometryArrays(SectionCursor& c, GeometryRecord* r) {
    const GeometryHeader& h = r->header;
    // The header's checks keep every product below the Struct's size.
    uint32_t v = static_cast<uint32_t>(h.vertexCount);
    uint32_t texCoordCount = v * TexCoordSetsOf(h);
    uint32_t triangleCount = static_cast<uint32_t>(h.triangleCount);
    bool prelit = (h.formatFlags & kGeometryPrelit) != 0;
    if (!r->prelitColours.Allocate(prelit ? v : 0) || !r->texCoords.Allocate(2 * texCoordCount) ||
        !r->triangles.Allocate(triangleCount))
        return GeometryReadResult::kOutOfMemory;
    uint32_t* colours = r->prelitColours.Data();
    float* texCoords = r->texCoords.Data();
    TriangleRecord* triangles = r->triangles.Data();
    uint8_t morphTarget[kMorphTargetHeaderSize];
    bool ok = ReadRecordBlocks(c, prelit ? v : 0, 4,
                               [&](uint32_t i, const uint8_t* p) { colours[i] = LoadU32(p); }) &&
              ReadRecordBlocks(c, texCoordCount, 8,
                               [&](uint32_t i, const uint8_t* p) {
                                   texCoords[2 * i] = LoadF32(p);
                                   texCoords[2 * i + 1] = LoadF32(p + 4);
                               }) &&
              ReadRecordBlocks(
                  c, triangleCount, kTriangleRecordSize,
                  [&](uint32_t i, const uint8_t* p) { triangles[i] = LoadTriangleRecord(p); }) &&
              ReadBytes(c, morphTarget, sizeof morphTarget);
    if (!ok)
        return GeometryReadResult::kMalformed;
    MorphTargetHeader& m = r->morphTarget;
    for (int i = 0; i < 4; ++i)
        m.sphere[i] = LoadF32(morphTarget + 4 * i);
    m.hasPositions = static_cast<int32_t>(LoadU32(morphTarget + 16));
    m.hasNormals = static_cast<int32_t>(LoadU32(morphTarget + 20));
    return GeometryReadResult::kOk;
}

namespace {

// count points of three floats into points, allocated here.
GeometryReadResult ReadPoints(SectionCursor& c, uint32_t count, HeapArray<float>* points) {
    if (!points->Allocate(3 * static_cast<size_t>(count)))
        return GeometryReadResult::kOutOfMemory;
    float* p = points->Data();
    bool ok = ReadRecordBlocks(c, count, 12, [&](uint32_t i, const uint8_t* bytes) {
        p[3 * i] = LoadF32(bytes);
        p[3 * i + 1] = LoadF32(bytes + 4);
        p[3 * i + 2] = LoadF32(bytes + 8);
    });
    return ok ? GeometryReadResult::kOk : GeometryReadResult::kMalformed;
}

} // namespace

GeometryReadResult ReadGeometryPositions(SectionCursor& c, GeometryRecord* r) {
    return ReadPoints(c, static_cast<uint32_t>(r->header.vertexCount), &r->positions);
}

GeometryReadResult ReadGeometryNormals(SectionCursor& c, GeometryRecord* r) {
    if (r->morphTarget.hasNormals == 0)
        return GeometryReadResult::kOk;
    uint32_t v = static_cast<uint32_t>(r->header.vertexCount);
    if (12 * static_cast<uint64_t>(v) > SectionBytesLeft(c))
        return GeometryReadResult::kCountsPastSection;
    return ReadPoints(c, v, &r->normals);
}

GeometryReadResult ReadGeometryStruct(SectionCursor& c, int32_t maxVertexCount, GeometryRecord* r) {
    GeometryReadResult result = ReadGeometryStructHeader(c, maxVertexCount, r);
    if (result == GeometryReadResult::kOk)
        result = ReadGeometryArrays(c, r);
    if (result == GeometryReadResult::kOk)
        result = ReadGeometryPositions(c, r);
    if (result == GeometryReadResult::kOk)
        result = ReadGeometryNormals(c, r);
    return result;
}

bool WriteBreakableSection(ByteStream& s) {
    static const uint8_t kNothingBreakable[4] = {0, 0, 0, 0};
    return WriteSection(s, kSectionBreakable, kNothingBreakable, sizeof kNothingBreakable);
}

bool WriteGeometryListSection(ByteStream& s, const GeometryRecord& geometry,
                              const MaterialListRecord& materials, const BinMeshRecord& binMesh,
                              const SkinRecord& skin) {
    // Every part is written even after one failed: the stream keeps the error.
    SectionStack stack;
    bool ok = BeginSection(s, stack, kSectionGeometryList);
    ok = WriteGeometryListStruct(s, GeometryListStruct{1}) && ok;
    ok = BeginSection(s, stack, kSectionGeometry) && ok;
    ok = WriteGeometryStruct(s, geometry) && ok;
    ok = WriteMaterialListSection(s, materials) && ok;
    ok = BeginSection(s, stack, kSectionExtension) && ok;
    ok = WriteBinMeshSection(s, binMesh) && ok;
    ok = WriteSkinPlg(s, skin) && ok;
    ok = WriteBreakableSection(s) && ok;
    for (int i = 0; i < 3; ++i)
        ok = EndSection(s, stack) && ok;
    return ok;
}
