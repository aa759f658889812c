// The geometry step: the model's geometry becomes the mesh object "sdef:NAME"
// with its vertices, faces, texture coordinates, prelit colours and
// materials, as far as the model was read and checked.
#include "Plugins/Import/ClumpValidation.h"
#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"
#include "Plugins/Import/ImportSteps.h"
#include "Plugins/Import/ImportTrace.h"
#include "Plugins/Import/TextureFileName.h"
#include "frame/HeapArray.h"

namespace {

// The host's numbers of the file's vertices and materials.
struct MeshTables {
    HeapArray<int32_t> vertexMap;
    HeapArray<int32_t> materialTable; // document index per list position, -1 none
};

bool Prelit(const ClumpGeometry& g) {
    return (g.record.header.formatFlags & kGeometryPrelit) != 0;
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

void AddVertices(ImportRun& run, const ClumpGeometry& g, MeshTables& t) {
    size_t count = static_cast<size_t>(g.record.header.vertexCount);
    const float* p = g.record.positions.Data();
    for (size_t i = 0; i < count; ++i, p += 3) {
        Point3 point = {p[0] * run.scale, p[1] * run.scale, p[2] * run.scale};
        t.vertexMap[i] = g_host.MQObj_AddVertex(run.mesh, &point);
    }
}

// The document's material for list position m, added when the file gives
// the material's values.
void AddMaterial(ImportRun& run, bool prelit, int32_t m, const MaterialRecord& r, MeshTables& t) {
    // A material without its Struct has no values and is not added; faces
    // that name it stay without material.
    if (!r.hasStruct)
        return;
    HostMaterial material = g_host.MQ_CreateMaterial();
    FormatCut(run.nameBuffer, sizeof run.nameBuffer, "%s_%d", run.stem, static_cast<int>(m));
    g_host.MQMat_SetName(material, run.nameBuffer);
    g_host.MQMat_SetIntValue(material, kMaterialShader, prelit ? 1 : 3);
    g_host.MQMat_SetIntValue(material, kMaterialVertexColor, prelit ? 1 : 0);
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
    t.materialTable[static_cast<size_t>(m)] = g_host.MQDoc_AddMaterial(run.doc, material);
    if (r.hasTexture) {
        // The file the texture step writes, cut to the host's 64 bytes.
        TextureFileNameOf(r.textureName, run.nameBuffer, sizeof run.nameBuffer);
        g_host.MQMat_SetTextureName(material, run.nameBuffer);
    }
}

void AddMaterials(ImportRun& run, const ClumpGeometry& g, MeshTables& t) {
    const MaterialListRecord& list = g.materials;
    for (int32_t m = 0; m < list.count; ++m) {
        size_t position = static_cast<size_t>(m);
        t.materialTable[position] = -1;
        if (position < list.materials.Count() && list.materials[position].present)
            AddMaterial(run, Prelit(g), m, list.materials[position], t);
    }
}

void BuildFaces(ImportRun& run, const ClumpGeometry& g, const MeshTables& t) {
    HostObject mesh = run.mesh;
    uint32_t v = static_cast<uint32_t>(g.record.header.vertexCount);
    int32_t triangleCount = g.record.header.triangleCount;
    const float* texCoords = g.record.texCoords.Data();
    const bool textured = TexCoordSetsOf(g.record.header) > 0;
    for (int32_t k = 0; k < triangleCount; ++k) {
        uint16_t corners[3];
        if (!TriangleCornersOf(g, static_cast<size_t>(k), corners)) {
            ImportTrace(run, TRACE_FACE_SKIPPED, static_cast<int>(k),
                        static_cast<int>(triangleCount), corners[0], corners[1], corners[2]);
            continue;
        }
        int32_t points[3];
        for (int i = 0; i < 3; ++i)
            points[i] = t.vertexMap[corners[i]];
        int32_t face = g_host.MQObj_AddFace(mesh, 3, points);
        uint16_t material = TriangleMaterialOf(g, static_cast<size_t>(k));
        if (material != kNoMaterial && t.materialTable[material] >= 0)
            g_host.MQObj_SetFaceMaterial(mesh, face, t.materialTable[material]);
        if (Prelit(g))
            for (int i = 0; i < 3; ++i)
                g_host.MQObj_SetFaceVertexColor(mesh, face, i, g.record.prelitColours[corners[i]]);
        if (textured) {
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

} // namespace

ImportResult ImportGeometry(ImportRun& run, const ClumpModel& model) {
    if (model.stage == ClumpStage::kEnter)
        return model.result;
    const ClumpGeometry& g = model.geometry;
    // How far the geometry is built: up to where the model stopped, or where
    // memory for the host's numbers ran out, whichever comes first.
    ClumpStage reached = model.stage;
    ImportResult result = model.result;
    MeshTables t;
    if (reached > ClumpStage::kGeometryMemory &&
        !t.vertexMap.Allocate(static_cast<size_t>(g.record.header.vertexCount))) {
        reached = ClumpStage::kGeometryMemory;
        result = ImportFailure(ImportProblem::kOutOfMemory);
    } else if (reached > ClumpStage::kMaterialList &&
               !t.materialTable.Allocate(static_cast<size_t>(g.materials.count))) {
        reached = ClumpStage::kMaterialList;
        result = ImportFailure(ImportProblem::kOutOfMemory);
    }
    // Nothing of a geometry that fails is added but its materials.
    const bool complete = reached > ClumpStage::kGeometryExtension;
    if (reached > ClumpStage::kGeometryHeader)
        ImportTrace(run, TRACE_GEOMETRY_ALLOC, static_cast<int>(g.record.header.vertexCount),
                    static_cast<int>(g.record.header.triangleCount));
    if (reached > ClumpStage::kGeometryMemory)
        ImportTrace(run, TRACE_GEOMETRY_ALLOCATED);
    if (reached > ClumpStage::kGeometryArrays)
        ImportTrace(run, TRACE_TRIANGLES_READ);
    if (complete) {
        run.mesh = CreateMeshObject(run);
        AddVertices(run, g, t);
    }
    if (reached > ClumpStage::kPositions)
        ImportTrace(run, TRACE_VERTICES_ADDED);
    if (reached > ClumpStage::kMaterialList) {
        AddMaterials(run, g, t);
        ImportTrace(run, TRACE_MATERIALS_ADDED);
    }
    if (complete) {
        ImportTrace(run, TRACE_FACES_START);
        BuildFaces(run, g, t);
        g_host.MQDoc_AddObject(run.doc, run.mesh);
        g_host.MQObj_SetIntValue(run.mesh, kObjectDepth, 0);
    }
    ImportTrace(run, TRACE_GEOMETRY_FREE);
    ImportTrace(run, TRACE_GEOMETRY_FREED);
    return complete ? ImportResult() : result;
}
