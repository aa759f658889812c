// Records of the Bin Mesh PLG: the geometry's triangles grouped by material,
// each group a list of corner indices.
#pragma once

#include <stdint.h>

#include "format/MaterialLayout.h"
#include "format/SectionReader.h"
#include "format/SectionWriter.h"
#include "frame/HeapArray.h"

struct BinMeshHeader {
    uint32_t meshFlags; // 0: triangle lists
    uint32_t meshCount;
    uint32_t totalIndexCount;
};
constexpr uint32_t kBinMeshHeaderSize = 12;
constexpr uint32_t kBinMeshRecordHeaderSize = 8; // indexCount, materialIndex

// One mesh: the triangles of one material, three corner indices each.
struct BinMeshList {
    uint32_t materialIndex = 0;
    HeapArray<uint32_t> indices;
};

struct BinMeshRecord {
    uint32_t meshFlags = 0;
    uint32_t totalIndexCount = 0;
    HeapArray<BinMeshList> meshes;
};

void StoreBinMeshHeader(uint8_t* bytes, const BinMeshHeader& r);
bool ReadBinMeshHeader(SectionCursor& c, BinMeshHeader* r);

// A whole Bin Mesh PLG section.
bool WriteBinMeshSection(ByteStream& s, const BinMeshRecord& r);

enum class BinMeshReadResult : uint8_t {
    kOk,
    kMalformed,              // the cursor found the file malformed and holds the problem
    kTristrip,               // triangle strips, which are not read
    kMeshCountPastSection,   // the mesh count runs past the section
    kIndexCountNotTriangles, // a mesh's index count is not a multiple of 3
    kTrianglesPastGeometry,  // more triangles than the geometry, or indices past the section
    kMaterialPastList,       // a material index past the material list (other than kNoMaterial)
    kOutOfMemory,
};

// Reads the body of the entered Bin Mesh PLG of a geometry with triangleCount
// triangles and materialCount list positions. Each mesh is checked before
// its indices are allocated or read; the first fault found is returned. A
// mesh's material is the low 16 bits of its material index.
BinMeshReadResult ReadBinMeshPlg(SectionCursor& c, uint32_t triangleCount, uint32_t materialCount,
                                 BinMeshRecord* out);
