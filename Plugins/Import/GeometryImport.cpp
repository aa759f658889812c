// The geometry step: the chosen clump's first geometry becomes the mesh object
// "sdef:NAME" with its vertices, faces, texture coordinates, prelit colours and
// materials.
#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"
#include "Plugins/Import/ImportSteps.h"
#include "Plugins/Import/ImportTrace.h"
#include "Plugins/Import/TextureFileName.h"
#include "format/GeometryLayout.h"
#include "frame/HeapArray.h"

namespace {

constexpr int32_t kMaxImportVertices = 65535;

struct GeometryTables {
    GeometryRecord record;
    uint32_t texCoordSets = 0;
    HeapArray<int32_t> vertexMap;
    MaterialListRecord materials;
    HeapArray<int32_t> materialTable; // document index per list position, -1 none
    BinMeshRecord binMesh;
    // Triangles from the first on whose corners and material the material
    // split gave; the others keep the Struct's corners and have no material.
    size_t splitTriangles = 0;
};

bool Prelit(const GeometryTables& g) {
    return (g.record.header.formatFlags & kGeometryPrelit) != 0;
}

// Fails the run with why the geometry's Struct could not be read.
void FailGeometryRead(ImportRun& run, GeometryReadResult result) {
    switch (result) {
    case GeometryReadResult::kOk:
        return;
    case GeometryReadResult::kMalformed:
        FailSection(run, MissingSectionResult(ImportSection::kGeometryStruct));
        return;
    case GeometryReadResult::kTristrip:
        FailImport(run, UnsupportedResult(ImportUnsupported::kTristrip));
        return;
    case GeometryReadResult::kNoPositions:
        FailImport(run, UnsupportedResult(ImportUnsupported::kNoPositions));
        return;
    case GeometryReadResult::kNegativeCount:
        FailImport(run, CorruptResult(ImportCorrupt::kNegativeCounts));
        return;
    case GeometryReadResult::kTooManyVertices:
        FailImport(run, UnsupportedResult(ImportUnsupported::kTooManyVertices));
        return;
    case GeometryReadResult::kCountsPastSection:
        FailImport(run, CorruptResult(ImportCorrupt::kGeometryCountsPastStruct));
        return;
    case GeometryReadResult::kOutOfMemory:
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return;
    }
}

// The arrays before the positions: colours, texture coordinates, triangles.
// The reader allocates, then reads; the allocation's trace line stands
// between the two, as it always has.
bool ReadArrays(ImportRun& run, GeometryTables& g) {
    if (!g.vertexMap.Allocate(static_cast<size_t>(g.record.header.vertexCount))) {
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return false;
    }
    GeometryReadResult result = ReadGeometryArrays(run.cursor, &g.record);
    if (result != GeometryReadResult::kOutOfMemory)
        ImportTrace(run, TRACE_GEOMETRY_ALLOCATED);
    if (result != GeometryReadResult::kOk) {
        FailGeometryRead(run, result);
        return false;
    }
    return true;
}

HostObject CreateMeshObject(ImportRun& run) {
    HostObject mesh = g_host.MQ_CreateObject();
    FormatCut(run.nameBuffer, sizeof run.nameBuffer, "sdef:%s", run.stem);
    g_host.MQObj_SetName(mesh, run.nameBuffer);
    g_host.MQObj_SetVisible(mesh, -1);
    g_host.MQObj_SetPatchType(mesh, 0);
    g_host.MQObj_SetShading(mesh, 1);
    g_host.MQObj_SetSmoothAngle(mesh, 180.0f);
    g_host.MQObj_SetMirrorType(mesh, 0);
    g_host.MQObj_SetLatheType(mesh, 0);
    return mesh;
}

bool AddVertices(ImportRun& run, GeometryTables& g) {
    HostObject mesh = run.mesh;
    float scale = run.scale;
    GeometryReadResult result = ReadGeometryPositions(run.cursor, &g.record);
    if (result != GeometryReadResult::kOk) {
        FailGeometryRead(run, result);
        return false;
    }
    size_t count = static_cast<size_t>(g.record.header.vertexCount);
    const float* p = g.record.positions.Data();
    for (size_t i = 0; i < count; ++i, p += 3) {
        Point3 point = {p[0] * scale, p[1] * scale, p[2] * scale};
        g.vertexMap[i] = g_host.MQObj_AddVertex(mesh, &point);
    }
    // The positions as stored stay for placing the mesh in its bones.
    run.skin.storedPositions.Swap(g.record.positions);
    LeaveSection(run.cursor); // Struct: normals and later morph targets are not read
    return true;
}

// The document's material for list position m, added when the file gives
// the material's values.
void AddMaterial(ImportRun& run, GeometryTables& g, int32_t m, const MaterialRecord& r) {
    // A material without its Struct has no values and is not added; faces
    // that name it stay without material.
    if (!r.hasStruct)
        return;
    HostMaterial material = g_host.MQ_CreateMaterial();
    FormatCut(run.nameBuffer, sizeof run.nameBuffer, "%s_%d", run.stem, static_cast<int>(m));
    g_host.MQMat_SetName(material, run.nameBuffer);
    g_host.MQMat_SetIntValue(material, kMaterialShader, Prelit(g) ? 1 : 3);
    g_host.MQMat_SetIntValue(material, kMaterialVertexColor, Prelit(g) ? 1 : 0);
    const MaterialStruct& v = r.values;
    ColorRGB colour = {v.colour[0] / 255.0f, v.colour[1] / 255.0f, v.colour[2] / 255.0f};
    g_host.MQMat_SetColor(material, &colour);
    g_host.MQMat_SetAlpha(material, v.colour[3] / 255.0f);
    // By position, not by name: the file's ambient and specular fill the
    // modeller's diffuse and ambient, as every import so far has done, so
    // documents made before and after read alike.
    g_host.MQMat_SetDiffuse(material, v.ambient);
    g_host.MQMat_SetAmbient(material, v.specular);
    g_host.MQMat_SetEmission(material, 0.0f);
    g_host.MQMat_SetSpecular(material, 0.0f);
    g_host.MQMat_SetPower(material, 5.0f);
    g.materialTable[static_cast<size_t>(m)] = g_host.MQDoc_AddMaterial(run.doc, material);
    if (r.hasTexture) {
        // The file the texture step writes, cut to the host's 64 bytes.
        TextureFileNameOf(r.textureName, run.nameBuffer, sizeof run.nameBuffer);
        g_host.MQMat_SetTextureName(material, run.nameBuffer);
    }
}

bool ImportMaterials(ImportRun& run, GeometryTables& g) {
    SectionCursor& c = run.cursor;
    if (!FindChildSection(c, kSectionMaterialList))
        return !IsMalformed(c);
    switch (ReadMaterialList(c, &g.materials)) {
    case MaterialReadResult::kOk:
        break;
    case MaterialReadResult::kMalformed:
        return false;
    case MaterialReadResult::kCountPastSection:
        FailImport(run, CorruptResult(ImportCorrupt::kMaterialCountPastStruct));
        return false;
    case MaterialReadResult::kOutOfMemory:
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return false;
    }
    LeaveSection(c);
    int32_t count = g.materials.count;
    if (!g.materialTable.Allocate(static_cast<size_t>(count))) {
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return false;
    }
    for (int32_t m = 0; m < count; ++m) {
        size_t position = static_cast<size_t>(m);
        g.materialTable[position] = -1;
        if (position < g.materials.materials.Count() && g.materials.materials[position].present)
            AddMaterial(run, g, m, g.materials.materials[position]);
    }
    return true;
}

// The material split: per-face materials and corners from the entered Bin
// Mesh PLG, the meshes' triangles in order from the first face on.
bool ReadMaterialSplit(ImportRun& run, GeometryTables& g) {
    uint32_t triangleCount = static_cast<uint32_t>(g.record.header.triangleCount);
    uint32_t materialCount = static_cast<uint32_t>(g.materials.count);
    switch (ReadBinMeshPlg(run.cursor, triangleCount, materialCount, &g.binMesh)) {
    case BinMeshReadResult::kOk:
        break;
    case BinMeshReadResult::kMalformed:
        return false;
    case BinMeshReadResult::kTristrip:
        FailImport(run, UnsupportedResult(ImportUnsupported::kTristrip));
        return false;
    case BinMeshReadResult::kMeshCountPastSection:
        FailImport(run, CorruptResult(ImportCorrupt::kMeshCountPastBinMesh));
        return false;
    case BinMeshReadResult::kIndexCountNotTriangles:
        FailImport(run, CorruptResult(ImportCorrupt::kBinMeshIndicesNotTriangles));
        return false;
    case BinMeshReadResult::kTrianglesPastGeometry:
        FailImport(run, CorruptResult(ImportCorrupt::kBinMeshTooManyTriangles));
        return false;
    case BinMeshReadResult::kMaterialPastList:
        FailImport(run, CorruptResult(ImportCorrupt::kBinMeshMaterialBeyondList));
        return false;
    case BinMeshReadResult::kOutOfMemory:
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return false;
    }
    size_t t = 0;
    for (size_t k = 0; k < g.binMesh.meshes.Count(); ++k) {
        const BinMeshList& mesh = g.binMesh.meshes[k];
        uint16_t material = static_cast<uint16_t>(mesh.materialIndex & 0xFFFF);
        for (size_t i = 0; i + 2 < mesh.indices.Count(); i += 3) {
            TriangleRecord& r = g.record.triangles[t++];
            r.materialIndex = material;
            r.cornerB = static_cast<uint16_t>(mesh.indices[i]);
            r.cornerC = static_cast<uint16_t>(mesh.indices[i + 1]);
            r.cornerA = static_cast<uint16_t>(mesh.indices[i + 2]);
        }
    }
    g.splitTriangles = t;
    // Its memory is free again before the host takes on the faces.
    g.binMesh.meshes.Release();
    return true;
}

// The Skin PLG of the entered geometry Extension. A skin that is missing or
// does not fit its section is only left unused: the import goes on without
// it, so the cursor is restored when the search or the read finds damage.
void ReadSkin(ImportRun& run, uint32_t vertexCount) {
    SectionCursor& c = run.cursor;
    SectionCursor before = c;
    RewindSection(c);
    if (FindChildSection(c, kSectionSkinPlg)) {
        run.skin.present = ReadSkinPlg(c, vertexCount, &run.skin.record) == SkinReadResult::kOk;
        LeaveSection(c);
    }
    if (IsMalformed(c)) {
        run.skin.present = false;
        c = before;
    }
}

// The geometry's Extension: the material split, then the skin.
bool ReadGeometryExtension(ImportRun& run, GeometryTables& g) {
    SectionCursor& c = run.cursor;
    if (!FindChildSection(c, kSectionExtension))
        return !IsMalformed(c);
    if (FindChildSection(c, kSectionBinMeshPlg)) {
        if (!ReadMaterialSplit(run, g))
            return false;
        LeaveSection(c); // Bin Mesh PLG
    } else if (IsMalformed(c)) {
        return false;
    }
    ReadSkin(run, static_cast<uint32_t>(g.record.header.vertexCount));
    LeaveSection(c); // Extension
    return true;
}

void BuildFaces(ImportRun& run, GeometryTables& g) {
    HostObject mesh = run.mesh;
    uint32_t v = static_cast<uint32_t>(g.record.header.vertexCount);
    int32_t triangleCount = g.record.header.triangleCount;
    const float* texCoords = g.record.texCoords.Data();
    for (int32_t k = 0; k < triangleCount; ++k) {
        const TriangleRecord& r = g.record.triangles[static_cast<size_t>(k)];
        const uint16_t corners[3] = {r.cornerA, r.cornerC, r.cornerB};
        if (corners[0] >= v || corners[1] >= v || corners[2] >= v) {
            ImportTrace(run, TRACE_FACE_SKIPPED, static_cast<int>(k),
                        static_cast<int>(triangleCount), corners[0], corners[1], corners[2]);
            continue;
        }
        int32_t points[3];
        for (int i = 0; i < 3; ++i)
            points[i] = g.vertexMap[corners[i]];
        int32_t face = g_host.MQObj_AddFace(mesh, 3, points);
        // Materials come from the material split alone.
        uint16_t material =
            static_cast<size_t>(k) < g.splitTriangles ? r.materialIndex : kNoMaterial;
        if (material != kNoMaterial && g.materialTable[material] >= 0)
            g_host.MQObj_SetFaceMaterial(mesh, face, g.materialTable[material]);
        if (Prelit(g))
            for (int i = 0; i < 3; ++i)
                g_host.MQObj_SetFaceVertexColor(mesh, face, i, g.record.prelitColours[corners[i]]);
        if (g.texCoordSets > 0) {
            TexCoord uv[3];
            for (int i = 0; i < 3; ++i) {
                // Indexed by host vertex: the fresh object numbers them as the
                // file does. Only the first set is used.
                uint32_t hostIndex = static_cast<uint32_t>(points[i]);
                uv[i] = hostIndex < v
                            ? TexCoord{texCoords[2 * hostIndex], texCoords[2 * hostIndex + 1]}
                            : TexCoord{0.0f, 0.0f};
            }
            g_host.MQObj_SetFaceCoordinateArray(mesh, face, uv);
        }
    }
}

bool ImportGeometryBody(ImportRun& run, GeometryTables& g) {
    GeometryReadResult header = ReadGeometryStructHeader(run.cursor, kMaxImportVertices, &g.record);
    if (header != GeometryReadResult::kOk) {
        FailGeometryRead(run, header);
        return false;
    }
    g.texCoordSets = TexCoordSetsOf(g.record.header);
    ImportTrace(run, TRACE_GEOMETRY_ALLOC, static_cast<int>(g.record.header.vertexCount),
                static_cast<int>(g.record.header.triangleCount));
    if (!ReadArrays(run, g))
        return false;
    ImportTrace(run, TRACE_TRIANGLES_READ);
    run.mesh = CreateMeshObject(run);
    if (!AddVertices(run, g))
        return false;
    ImportTrace(run, TRACE_VERTICES_ADDED);
    if (!ImportMaterials(run, g)) {
        if (!run.Failed())
            FailSection(run, MissingSectionResult(ImportSection::kGeometry));
        return false;
    }
    ImportTrace(run, TRACE_MATERIALS_ADDED);
    if (!ReadGeometryExtension(run, g)) {
        if (!run.Failed())
            FailSection(run, MissingSectionResult(ImportSection::kGeometry));
        return false;
    }
    ImportTrace(run, TRACE_FACES_START);
    BuildFaces(run, g);
    g_host.MQDoc_AddObject(run.doc, run.mesh);
    g_host.MQObj_SetIntValue(run.mesh, kObjectDepth, 0);
    return true;
}

} // namespace

ImportResult ImportGeometry(ImportRun& run) {
    GeometryTables g;
    bool ok = ImportGeometryBody(run, g);
    ImportTrace(run, TRACE_GEOMETRY_FREE);
    g.vertexMap.Release();
    g.record.prelitColours.Release();
    g.record.texCoords.Release();
    g.record.triangles.Release();
    g.record.positions.Release();
    g.materials.materials.Release();
    g.materialTable.Release();
    g.binMesh.meshes.Release();
    ImportTrace(run, TRACE_GEOMETRY_FREED);
    if (!ok) {
        // The mesh object was never added: it is ours to delete.
        if (run.mesh != 0)
            g_host.MQObj_Delete(run.mesh);
        run.mesh = 0;
        return run.result;
    }
    SectionCursor& c = run.cursor;
    LeaveSection(c); // Geometry
    LeaveSection(c); // Geometry List
    RewindSection(c);
    return run.result;
}
