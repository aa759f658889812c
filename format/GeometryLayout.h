// Records of the Geometry List: the geometry's fixed fields and arrays, the
// material list, materials, textures, String sections, Bin Mesh PLG and
// Breakable.
#pragma once

#include <stdint.h>

#include "format/Sections.h"

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
constexpr uint16_t kNoMaterial = 0xFFFF;

// Bounding sphere, hasPositions and hasNormals before a morph target's arrays.
struct MorphTargetHeader {
    float sphere[4];
    int32_t hasPositions;
    int32_t hasNormals;
};
constexpr uint32_t kMorphTargetHeaderSize = 24;

struct MaterialStruct {
    int32_t flags;
    uint8_t colour[4]; // R, G, B, A
    int32_t reserved;
    int32_t isTextured;
    float ambient;
    float specular;
    float diffuse;
};
constexpr uint32_t kMaterialStructSize = 28;
constexpr int32_t kMaterialReserved = 4;

// Filter mode 6, wrap addressing in U and V, mipmaps.
constexpr uint32_t kTextureSampling = 0x00011106;

struct BinMeshHeader {
    uint32_t meshFlags; // 0: triangle lists
    uint32_t meshCount;
    uint32_t totalIndexCount;
};
constexpr uint32_t kBinMeshHeaderSize = 12;
constexpr uint32_t kBinMeshRecordHeaderSize = 8; // indexCount, materialIndex

void WriteGeometryHeader(ByteStream& s, const GeometryHeader& r);
bool ReadGeometryHeader(SectionCursor& c, GeometryHeader* r);

void WriteTriangleRecord(ByteStream& s, const TriangleRecord& r);
// The record's kTriangleRecordSize bytes at bytes (for arrays written in blocks).
void StoreTriangleRecord(uint8_t* bytes, const TriangleRecord& r);
TriangleRecord LoadTriangleRecord(const uint8_t* bytes);

void WriteMorphTargetHeader(ByteStream& s, const MorphTargetHeader& r);

void WriteMaterialStruct(ByteStream& s, const MaterialStruct& r);
bool ReadMaterialStruct(SectionCursor& c, MaterialStruct* r);

// Body length of a String section holding text of the given length.
uint32_t StringBodyLength(uint32_t textLength);
// A whole String section: the text, its NUL and zero filler.
bool WriteStringSection(ByteStream& s, const char* text);

void WriteBinMeshHeader(ByteStream& s, const BinMeshHeader& r);
bool ReadBinMeshHeader(SectionCursor& c, BinMeshHeader* r);
