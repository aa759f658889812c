// The geometry of the exported file: all WorkMeshes as one mesh, with its
// material list and the material split, gathered into the records that the
// format layer writes.
#pragma once

#include <stdint.h>

#include "Plugins/Export/ExportNotes.h"
#include "Plugins/Export/WorkMesh.h"
#include "format/GeometryLayout.h"
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

// What the Geometry holds: its Struct, its Material List and its Bin Mesh PLG.
struct GeometryRecords {
    GeometryRecord geometry;
    MaterialListRecord materials;
    BinMeshRecord binMesh;
};

// Fills the records from the collected triangles, the work meshes'
// attributes, the host objects' positions (times scale) and the host
// materials in use; texture names cut to the game's 31 characters go to
// notes (texture-name-length, per material). False when memory runs out.
bool FillGeometryRecords(const ExportGeometry& g, HostDocument doc, const UsedMaterialMap& used,
                         float scale, GeometryRecords* out, ExportNotes* notes);

// A material colour channel: v x 256 truncated, 255 beyond 0..255.
uint8_t ColourChannel(float v);
