// The geometry step: the chosen clump's first geometry becomes the mesh object
// "sdef:NAME" with its vertices, faces, texture coordinates, prelit colours and
// materials.
#include <stdio.h>
#include <string.h>

#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"
#include "format/ClumpLayout.h"
#include "format/GeometryLayout.h"
#include "frame/HeapArray.h"

namespace {

constexpr int32_t kMaxImportVertices = 65535;

struct GeometryTables {
    GeometryHeader header = {};
    uint32_t texCoordSets = 0;
    HeapArray<int32_t> vertexMap;
    HeapArray<uint32_t> prelitColours;
    HeapArray<TexCoord> texCoords;
    HeapArray<TriangleRecord> triangles;
    HeapArray<int32_t> materialTable; // document index per list position, -1 none
};

bool Prelit(const GeometryTables& g) {
    return (g.header.formatFlags & kGeometryPrelit) != 0;
}

// Texture coordinate sets present: Textured2 carries texCoordSetCount sets,
// Textured alone one.
uint32_t TexCoordSetsOf(const GeometryHeader& h) {
    if (h.formatFlags & kGeometryTextured2)
        return h.texCoordSetCount;
    return (h.formatFlags & kGeometryTextured) ? 1 : 0;
}

// Checks the header against the Struct that holds it.
bool CheckGeometryHeader(ImportRun& run, GeometryTables& g) {
    const GeometryHeader& h = g.header;
    if (h.formatFlags & kGeometryTristrip) {
        ReportImportError(run, MSG_UNSUPPORTED_TRISTRIP);
        return false;
    }
    if (!(h.formatFlags & kGeometryPositions)) {
        ReportImportError(run, MSG_UNSUPPORTED_NO_POSITIONS);
        return false;
    }
    if (h.vertexCount < 0 || h.triangleCount < 0) {
        ReportCorrupt(run, "negative vertex or triangle count");
        return false;
    }
    if (h.vertexCount > kMaxImportVertices) {
        ReportImportError(run, MSG_UNSUPPORTED_TOO_MANY_VERTICES);
        return false;
    }
    g.texCoordSets = TexCoordSetsOf(h);
    uint64_t v = static_cast<uint64_t>(h.vertexCount);
    uint64_t needed = (Prelit(g) ? 4 * v : 0) + 8 * v * g.texCoordSets +
                      kTriangleRecordSize * static_cast<uint64_t>(h.triangleCount) +
                      kMorphTargetHeaderSize + 12 * v;
    if (needed > SectionBytesLeft(run.cursor)) {
        ReportCorrupt(run, "geometry counts run past the geometry Struct");
        return false;
    }
    return true;
}

bool AllocateTables(ImportRun& run, GeometryTables& g) {
    size_t v = static_cast<size_t>(g.header.vertexCount);
    if (!g.vertexMap.Allocate(v) || !g.prelitColours.Allocate(v) || !g.texCoords.Allocate(v) ||
        !g.triangles.Allocate(static_cast<size_t>(g.header.triangleCount))) {
        ReportImportError(run, MSG_OUT_OF_MEMORY);
        return false;
    }
    return true;
}

// Reads count records of recordSize bytes in blocks and hands each to decode.
template <typename Decode>
bool ReadRecords(SectionCursor& c, uint32_t count, uint32_t recordSize, Decode decode) {
    uint8_t block[4096];
    uint32_t perBlock = sizeof block / recordSize;
    for (uint32_t done = 0; done < count;) {
        uint32_t n = count - done < perBlock ? count - done : perBlock;
        if (!ReadBytes(c, block, n * recordSize))
            return false;
        for (uint32_t i = 0; i < n; ++i)
            decode(done + i, block + i * recordSize);
        done += n;
    }
    return true;
}

// The arrays before the positions: colours, texture coordinates, triangles.
bool ReadArrays(ImportRun& run, GeometryTables& g) {
    SectionCursor& c = run.cursor;
    uint32_t v = static_cast<uint32_t>(g.header.vertexCount);
    bool ok = true;
    if (Prelit(g))
        ok = ReadRecords(c, v, 4,
                         [&](uint32_t i, const uint8_t* p) { g.prelitColours[i] = LoadU32(p); });
    if (ok && g.texCoordSets > 0) {
        ok = ReadRecords(c, v, 8, [&](uint32_t i, const uint8_t* p) {
            g.texCoords[i] = TexCoord{LoadF32(p), LoadF32(p + 4)};
        });
        ok = ok && SkipBytes(c, (g.texCoordSets - 1) * v * 8);
    }
    ok = ok && ReadRecords(c, static_cast<uint32_t>(g.header.triangleCount), kTriangleRecordSize,
                           [&](uint32_t i, const uint8_t* p) {
                               g.triangles[i] = LoadTriangleRecord(p);
                               // Materials come from the material split alone.
                               g.triangles[i].materialIndex = kNoMaterial;
                           });
    ok = ok && SkipBytes(c, kMorphTargetHeaderSize);
    if (!ok)
        ReportSectionError(run, MSG_MISSING_GEOMETRY_STRUCT);
    return ok;
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
    HeapArray<Point3>& stored = run.skin.storedPositions;
    if (!stored.Allocate(static_cast<size_t>(g.header.vertexCount))) {
        ReportImportError(run, MSG_OUT_OF_MEMORY);
        return false;
    }
    bool ok = ReadRecords(
        run.cursor, static_cast<uint32_t>(g.header.vertexCount), 12,
        [&](uint32_t i, const uint8_t* p) {
            stored[i] = Point3{LoadF32(p), LoadF32(p + 4), LoadF32(p + 8)};
            Point3 point = {stored[i].x * scale, stored[i].y * scale, stored[i].z * scale};
            g.vertexMap[i] = g_host.MQObj_AddVertex(mesh, &point);
        });
    if (!ok) {
        ReportSectionError(run, MSG_MISSING_GEOMETRY_STRUCT);
        return false;
    }
    LeaveSection(run.cursor); // Struct: normals and later morph targets are not read
    return true;
}

// The texture name of a Material: the first String of its Texture, with ".png".
bool ReadTextureName(ImportRun& run, HostMaterial material) {
    SectionCursor& c = run.cursor;
    if (!FindChildSection(c, kSectionTexture))
        return !IsMalformed(c);
    if (FindChildSection(c, kSectionString)) {
        // Room for ".png" after the text.
        char text[kNameBufferSize - 4];
        if (!ReadSectionText(c, text, sizeof text))
            return false;
        FormatCut(run.nameBuffer, sizeof run.nameBuffer, "%s.png", text);
        g_host.MQMat_SetTextureName(material, run.nameBuffer);
        LeaveSection(c);
    } else if (IsMalformed(c)) {
        return false;
    }
    LeaveSection(c);
    return true;
}

// One Material of the list at position m.
bool ImportMaterial(ImportRun& run, GeometryTables& g, int32_t m) {
    SectionCursor& c = run.cursor;
    HostMaterial material = g_host.MQ_CreateMaterial();
    FormatCut(run.nameBuffer, sizeof run.nameBuffer, "%s_%d", run.stem, static_cast<int>(m));
    g_host.MQMat_SetName(material, run.nameBuffer);
    int32_t shader = Prelit(g) ? 1 : 3;
    int32_t vertexColour = Prelit(g) ? 1 : 0;
    g_host.MQMat_SetIntValue(material, kMaterialShader, &shader);
    g_host.MQMat_SetIntValue(material, kMaterialVertexColor, &vertexColour);
    bool added = false;
    if (FindChildSection(c, kSectionStruct)) {
        MaterialStruct r;
        if (!ReadMaterialStruct(c, &r)) {
            g_host.MQMat_Delete(material);
            return false;
        }
        ColorRGB colour = {r.colour[0] / 255.0f, r.colour[1] / 255.0f, r.colour[2] / 255.0f};
        g_host.MQMat_SetColor(material, &colour);
        g_host.MQMat_SetAlpha(material, r.colour[3] / 255.0f);
        // By position, not by name: the file's ambient and specular fill the
        // modeller's diffuse and ambient, as every import so far has done, so
        // documents made before and after read alike.
        g_host.MQMat_SetDiffuse(material, r.ambient);
        g_host.MQMat_SetAmbient(material, r.specular);
        g_host.MQMat_SetEmission(material, 0.0f);
        g_host.MQMat_SetSpecular(material, 0.0f);
        g_host.MQMat_SetPower(material, 5.0f);
        g.materialTable[static_cast<size_t>(m)] = g_host.MQDoc_AddMaterial(run.doc, material);
        added = true;
        LeaveSection(c);
    } else if (IsMalformed(c)) {
        g_host.MQMat_Delete(material);
        return false;
    }
    bool ok = ReadTextureName(run, material);
    // A material without its Struct has no values and is not added; faces
    // that name it stay without material.
    if (!added)
        g_host.MQMat_Delete(material);
    return ok;
}

bool ImportMaterials(ImportRun& run, GeometryTables& g) {
    SectionCursor& c = run.cursor;
    if (!FindChildSection(c, kSectionMaterialList))
        return !IsMalformed(c);
    int32_t count = 0;
    if (FindChildSection(c, kSectionStruct)) {
        if (!ReadI32(c, &count))
            return false;
        if (count < 0 || static_cast<uint64_t>(count) * 4 > SectionBytesLeft(c)) {
            ReportCorrupt(run, "material count runs past the material list Struct");
            return false;
        }
        LeaveSection(c);
    } else if (IsMalformed(c)) {
        return false;
    }
    if (!g.materialTable.Allocate(static_cast<size_t>(count))) {
        ReportImportError(run, MSG_OUT_OF_MEMORY);
        return false;
    }
    for (int32_t m = 0; m < count; ++m) {
        g.materialTable[static_cast<size_t>(m)] = -1;
        if (!FindChildSection(c, kSectionMaterial)) {
            if (IsMalformed(c))
                return false;
            continue;
        }
        if (!ImportMaterial(run, g, m))
            return false;
        LeaveSection(c);
    }
    LeaveSection(c);
    return true;
}

// The material split: per-face materials and corners from the entered Bin Mesh PLG.
bool ReadMaterialSplit(ImportRun& run, GeometryTables& g) {
    SectionCursor& c = run.cursor;
    BinMeshHeader header;
    if (!ReadBinMeshHeader(c, &header))
        return false;
    if (header.meshFlags != 0) {
        ReportImportError(run, MSG_UNSUPPORTED_TRISTRIP);
        return false;
    }
    if (header.meshCount > SectionBytesLeft(c) / kBinMeshRecordHeaderSize) {
        ReportCorrupt(run, "mesh count runs past the Bin Mesh PLG");
        return false;
    }
    uint32_t t = 0;
    uint32_t triangleCount = static_cast<uint32_t>(g.header.triangleCount);
    size_t materialCount = g.materialTable.Count();
    for (uint32_t k = 0; k < header.meshCount; ++k) {
        uint32_t indexCount = 0, materialIndex = 0;
        if (!ReadU32(c, &indexCount) || !ReadU32(c, &materialIndex))
            return false;
        uint16_t material = static_cast<uint16_t>(materialIndex & 0xFFFF);
        if (indexCount % 3 != 0) {
            ReportCorrupt(run, "Bin Mesh index count is not a multiple of 3");
            return false;
        }
        if (indexCount / 3 > triangleCount - t || indexCount > SectionBytesLeft(c) / 4) {
            ReportCorrupt(run, "Bin Mesh holds more triangles than the geometry");
            return false;
        }
        if (material != kNoMaterial && material >= materialCount) {
            ReportCorrupt(run, "Bin Mesh names a material beyond the material list");
            return false;
        }
        bool ok = ReadRecords(c, indexCount / 3, 12, [&](uint32_t, const uint8_t* p) {
            TriangleRecord& r = g.triangles[t++];
            r.materialIndex = material;
            r.cornerB = static_cast<uint16_t>(LoadU32(p));
            r.cornerC = static_cast<uint16_t>(LoadU32(p + 4));
            r.cornerA = static_cast<uint16_t>(LoadU32(p + 8));
        });
        if (!ok)
            return false;
    }
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
    ReadSkin(run, static_cast<uint32_t>(g.header.vertexCount));
    LeaveSection(c); // Extension
    return true;
}

void BuildFaces(ImportRun& run, GeometryTables& g) {
    HostObject mesh = run.mesh;
    uint32_t v = static_cast<uint32_t>(g.header.vertexCount);
    int32_t triangleCount = g.header.triangleCount;
    for (int32_t k = 0; k < triangleCount; ++k) {
        const TriangleRecord& r = g.triangles[static_cast<size_t>(k)];
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
        if (r.materialIndex != kNoMaterial && g.materialTable[r.materialIndex] >= 0)
            g_host.MQObj_SetFaceMaterial(mesh, face, g.materialTable[r.materialIndex]);
        if (Prelit(g))
            for (int i = 0; i < 3; ++i)
                g_host.MQObj_SetFaceVertexColor(mesh, face, i, g.prelitColours[corners[i]]);
        if (g.texCoordSets > 0) {
            TexCoord uv[3];
            for (int i = 0; i < 3; ++i) {
                // Indexed by host vertex: the fresh object numbers them as the file does.
                uint32_t hostIndex = static_cast<uint32_t>(points[i]);
                uv[i] = hostIndex < v ? g.texCoords[hostIndex] : TexCoord{0.0f, 0.0f};
            }
            g_host.MQObj_SetFaceCoordinateArray(mesh, face, uv);
        }
    }
}

bool ImportGeometryBody(ImportRun& run, GeometryTables& g) {
    if (!ReadGeometryHeader(run.cursor, &g.header)) {
        ReportSectionError(run, MSG_MISSING_GEOMETRY_STRUCT);
        return false;
    }
    if (!CheckGeometryHeader(run, g))
        return false;
    ImportTrace(run, TRACE_GEOMETRY_ALLOC, static_cast<int>(g.header.vertexCount),
                static_cast<int>(g.header.triangleCount));
    if (!AllocateTables(run, g))
        return false;
    ImportTrace(run, TRACE_GEOMETRY_ALLOCATED);
    if (!ReadArrays(run, g))
        return false;
    ImportTrace(run, TRACE_TRIANGLES_READ);
    run.mesh = CreateMeshObject(run);
    if (!AddVertices(run, g))
        return false;
    ImportTrace(run, TRACE_VERTICES_ADDED);
    if (!ImportMaterials(run, g)) {
        if (!run.failed)
            ReportSectionError(run, MSG_MISSING_GEOMETRY);
        return false;
    }
    ImportTrace(run, TRACE_MATERIALS_ADDED);
    if (!ReadGeometryExtension(run, g)) {
        if (!run.failed)
            ReportSectionError(run, MSG_MISSING_GEOMETRY);
        return false;
    }
    ImportTrace(run, TRACE_FACES_START);
    BuildFaces(run, g);
    g_host.MQDoc_AddObject(run.doc, run.mesh);
    int32_t depth = 0;
    g_host.MQObj_SetIntValue(run.mesh, kObjectDepth, &depth);
    return true;
}

} // namespace

bool ImportGeometry(ImportRun& run) {
    GeometryTables g;
    bool ok = ImportGeometryBody(run, g);
    ImportTrace(run, TRACE_GEOMETRY_FREE);
    g.vertexMap.Release();
    g.prelitColours.Release();
    g.texCoords.Release();
    g.triangles.Release();
    g.materialTable.Release();
    ImportTrace(run, TRACE_GEOMETRY_FREED);
    if (!ok) {
        // The mesh object was never added: it is ours to delete.
        if (run.mesh != 0)
            g_host.MQObj_Delete(run.mesh);
        run.mesh = 0;
        return false;
    }
    SectionCursor& c = run.cursor;
    LeaveSection(c); // Geometry
    LeaveSection(c); // Geometry List
    RewindSection(c);
    return true;
}
