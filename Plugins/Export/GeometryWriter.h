// The geometry of the exported file: all WorkMeshes as one mesh, with its
// material list and the material split.
#pragma once

#include <stdint.h>

#include "Plugins/Export/WorkMesh.h"
#include "format/ByteStream.h"
#include "frame/HeapArray.h"

// One output triangle: vertex indices with the object's base added, as the
// host face's corners 0, 1, 2, and its material's index in the file.
struct ExportTriangle {
    uint16_t corner[3];
    int32_t material;
};

// The meshes and their triangles in file order (by material, then object,
// then face).
struct ExportGeometry {
    WorkMesh* meshes = nullptr;
    int32_t meshCount = 0;
    int32_t vertexCount = 0;
    int32_t usedMaterials = 0;
    HeapArray<ExportTriangle> triangles;
    HeapArray<int32_t> trianglesPerMaterial; // usedMaterials entries
};

// Collects the triangles of every mesh: faces of three points give one, of
// four points two (0, 1, 2 and 0, 2, 3); faces of fewer points none. The
// materials must already be renumbered. False when memory runs out.
bool CollectTriangles(ExportGeometry& g, const UsedMaterialMap& used);

// The Geometry's Struct: header, texture coordinates, triangles and the morph
// target with its bounding sphere, positions and normals.
void WriteGeometryStruct(ByteStream& s, const ExportGeometry& g, float scale);
// The Material List with one Material per used host material.
bool WriteMaterialList(ByteStream& s, HostDocument doc, const UsedMaterialMap& used);
// The Bin Mesh PLG section.
bool WriteBinMesh(ByteStream& s, const ExportGeometry& g);

// A material colour channel: v x 256 truncated, 255 beyond 0..255.
uint8_t ColourChannel(float v);
// The texture name a material's file name gives: no folders, no extension,
// at most 63 characters.
void TextureNameOf(const char* fileName, char* out, size_t size);
