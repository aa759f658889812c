// Records of the Geometry List: its Struct, the geometry's Struct with its
// fixed fields and arrays, and the Breakable section. The Material List and
// the Bin Mesh PLG that a geometry holds have layouts of their own, included
// here.
#pragma once

#include <stdint.h>

#include "format/BinMeshLayout.h"
#include "format/MaterialLayout.h"
#include "format/SectionReader.h"
#include "format/SectionWriter.h"
#include "format/SkinLayout.h"
#include "frame/HeapArray.h"

// Bits of GeometryHeader::formatFlags.
enum GeometryFlags : uint16_t {
    kGeometryTristrip = 0x01,
    kGeometryPositions = 0x02,
    kGeometryTextured = 0x04,
    kGeometryPrelit = 0x08,
    kGeometryNormals = 0x10,
    kGeometryLight = 0x20,
    kGeometryModulateMaterialColor = 0x40,
    kGeometryTextured2 = 0x80,
};

struct GeometryListStruct {
    int32_t geometryCount;
};

// The fixed part of the Geometry Struct.
struct GeometryHeader {
    uint16_t formatFlags;
    uint8_t texCoordSetCount;
    uint8_t nativeFlags;
    int32_t triangleCount;
    int32_t vertexCount;
    int32_t morphTargetCount;
};
constexpr uint32_t kGeometryHeaderSize = 16;

// Stored order B, A, material, C; the triangle is A, B, C.
struct TriangleRecord {
    uint16_t cornerB;
    uint16_t cornerA;
    uint16_t materialIndex;
    uint16_t cornerC;
};
constexpr uint32_t kTriangleRecordSize = 8;

// Bounding sphere, hasPositions and hasNormals before a morph target's arrays.
struct MorphTargetHeader {
    float sphere[4];
    int32_t hasPositions;
    int32_t hasNormals;
};
constexpr uint32_t kMorphTargetHeaderSize = 24;

// A Geometry Struct with its first morph target. Per-vertex arrays are
// flattened: texCoords holds u, v per vertex, one set after the other;
// positions and normals hold x, y, z per vertex. A prelit colour is the
// bytes R, G, B, A read as one little-endian number.
struct GeometryRecord {
    GeometryHeader header = {};
    HeapArray<uint32_t> prelitColours;
    HeapArray<float> texCoords;
    HeapArray<TriangleRecord> triangles;
    MorphTargetHeader morphTarget = {};
    HeapArray<float> positions;
    HeapArray<float> normals;
};

// Texture coordinate sets present: Textured2 carries texCoordSetCount sets,
// Textured alone one.
uint32_t TexCoordSetsOf(const GeometryHeader& h);

void WriteGeometryHeader(ByteStream& s, const GeometryHeader& r);
bool ReadGeometryHeader(SectionCursor& c, GeometryHeader* r);

// The record's kTriangleRecordSize bytes at bytes (for arrays written in blocks).
void StoreTriangleRecord(uint8_t* bytes, const TriangleRecord& r);
TriangleRecord LoadTriangleRecord(const uint8_t* bytes);

void WriteMorphTargetHeader(ByteStream& s, const MorphTargetHeader& r);

// A whole Struct of the Geometry List.
bool WriteGeometryListStruct(ByteStream& s, const GeometryListStruct& r);
bool ReadGeometryListStruct(SectionCursor& c, GeometryListStruct* r);

// A whole Geometry Struct: the header, then each array of the record whole
// (prelit colours, texture coordinates, triangles), the morph target header,
// positions and normals. The arrays' lengths are those of the header's
// counts and flags when the record was read or filled consistently.
bool WriteGeometryStruct(ByteStream& s, const GeometryRecord& r);

enum class GeometryReadResult : uint8_t {
    kOk,
    kMalformed,         // the cursor found the file malformed and holds the problem
    kTristrip,          // triangle strips, which are not read
    kNoPositions,       // no positions, which are needed
    kNegativeCount,     // a negative vertex or triangle count
    kTooManyVertices,   // more vertices than the caller takes
    kCountsPastSection, // the arrays need more bytes than the Struct holds
    kOutOfMemory,
};

// The entered Geometry Struct is read in steps, in this order, so that a
// reader can do its own work between them; each step allocates what it reads.
// The header: triangle lists with positions, counts not negative, at most
// maxVertexCount vertices, and every array up to the positions inside the
// Struct. Positions are taken to follow the morph target header whenever
// the flags say so; normals follow the positions when the morph target header
// says so (hasNormals), as the game reads them, whatever the flags say.
GeometryReadResult ReadGeometryStructHeader(SectionCursor& c, int32_t maxVertexCount,
                                            GeometryRecord* r);
// The prelit colours, texture coordinates, triangles and morph target header.
GeometryReadResult ReadGeometryArrays(SectionCursor& c, GeometryRecord* r);
GeometryReadResult ReadGeometryPositions(SectionCursor& c, GeometryRecord* r);
// The normals, when the morph target header holds them; checked against the
// Struct first.
GeometryReadResult ReadGeometryNormals(SectionCursor& c, GeometryRecord* r);
// Every step.
GeometryReadResult ReadGeometryStruct(SectionCursor& c, int32_t maxVertexCount, GeometryRecord* r);

// A whole Breakable section with nothing breakable (a zero flag).
bool WriteBreakableSection(ByteStream& s);

// A whole Geometry List of one geometry: the list's Struct, then the Geometry
// with its Struct, its Material List and its Extension holding the Bin Mesh
// PLG, the Skin PLG and the Breakable section.
bool WriteGeometryListSection(ByteStream& s, const GeometryRecord& geometry,
                              const MaterialListRecord& materials, const BinMeshRecord& binMesh,
                              const SkinRecord& skin);
