#include "Plugins/Export/GeometryWriter.h"

#include <math.h>
#include <string.h>

#include "Plugins/Export/TextureName.h"
#include "format/TextureDictionaryLayout.h"
#include "frame/PathParts.h"

bool CollectTriangles(ExportGeometry& g, const UsedMaterialMap& used) {
    // Count first, so each material's triangles get one contiguous run.
    if (!g.trianglesPerMaterial.Allocate(static_cast<size_t>(g.usedMaterials)))
        return false;
    size_t total = 0;
    g.vertexCount = 0;
    for (int32_t k = 0; k < g.meshCount; ++k) {
        HostObject o = g.meshes[k].object;
        int32_t faces = g_host.MQObj_GetFaceCount(o);
        for (int32_t f = 0; f < faces; ++f) {
            // Larger faces were added again as triangles and are passed over.
            int32_t points = g_host.MQObj_GetFacePointCount(o, f);
            int32_t n = points == 4 ? 2 : (points == 3 ? 1 : 0);
            int32_t file = used.FileIndex(g_host.MQObj_GetFaceMaterial(o, f));
            if (n > 0 && file >= 0) {
                g.trianglesPerMaterial[static_cast<size_t>(file)] += n;
                total += static_cast<size_t>(n);
            }
        }
        g.vertexCount += g_host.MQObj_GetVertexCount(o);
    }
    if (!g.triangles.Allocate(total))
        return false;
    HeapArray<size_t> next;
    if (!next.Allocate(static_cast<size_t>(g.usedMaterials)))
        return false;
    size_t start = 0;
    for (int32_t m = 0; m < g.usedMaterials; ++m) {
        next[static_cast<size_t>(m)] = start;
        start += static_cast<size_t>(g.trianglesPerMaterial[static_cast<size_t>(m)]);
    }
    int32_t base = 0;
    for (int32_t k = 0; k < g.meshCount; ++k) {
        HostObject o = g.meshes[k].object;
        int32_t faces = g_host.MQObj_GetFaceCount(o);
        for (int32_t f = 0; f < faces; ++f) {
            int32_t points = g_host.MQObj_GetFacePointCount(o, f);
            int32_t file = used.FileIndex(g_host.MQObj_GetFaceMaterial(o, f));
            if (points < 3 || points > 4 || file < 0)
                continue;
            int32_t p[4] = {0, 0, 0, 0};
            g_host.MQObj_GetFacePointArray(o, f, p);
            const int32_t splits[2][3] = {{0, 1, 2}, {0, 2, 3}};
            for (int t = 0; t < (points == 4 ? 2 : 1); ++t) {
                ExportTriangle& tri = g.triangles[next[static_cast<size_t>(file)]++];
                for (int c = 0; c < 3; ++c)
                    tri.corner[c] = static_cast<uint16_t>(p[splits[t][c]] + base);
                tri.material = file;
            }
        }
        base += g_host.MQObj_GetVertexCount(o);
    }
    return true;
}

namespace {

// Texture coordinates and normals from the attributes, triangles, positions
// and the bounding sphere.
bool FillGeometry(const ExportGeometry& g, float scale, GeometryRecord* r) {
    size_t attributes = 0;
    size_t vertices = 0;
    for (int32_t k = 0; k < g.meshCount; ++k) {
        attributes += g.meshes[k].attributes.Count();
        int32_t count = g_host.MQObj_GetVertexCount(g.meshes[k].object);
        vertices += count > 0 ? static_cast<size_t>(count) : 0;
    }
    size_t triangleCount = g.triangles.Count();
    r->header = {kGeometryPositions | kGeometryTextured | kGeometryNormals | kGeometryLight,
                 1,
                 0,
                 static_cast<int32_t>(triangleCount),
                 g.vertexCount,
                 1};
    if (!r->texCoords.Allocate(2 * attributes) || !r->triangles.Allocate(triangleCount) ||
        !r->positions.Allocate(3 * vertices) || !r->normals.Allocate(3 * attributes))
        return false;
    float* texCoords = r->texCoords.Data();
    float* normals = r->normals.Data();
    for (int32_t k = 0; k < g.meshCount; ++k)
        for (size_t v = 0; v < g.meshes[k].attributes.Count(); ++v) {
            const VertexAttributes& a = g.meshes[k].attributes[v];
            *texCoords++ = a.texCoord.u;
            *texCoords++ = a.texCoord.v;
            *normals++ = a.normal.x;
            *normals++ = a.normal.y;
            *normals++ = a.normal.z;
        }
    for (size_t t = 0; t < triangleCount; ++t) {
        const ExportTriangle& tri = g.triangles[t];
        r->triangles[t] = TriangleRecord{tri.corner[1], tri.corner[2],
                                         static_cast<uint16_t>(tri.material), tri.corner[0]};
    }
    // Positions scaled; a vertex no face uses is written at the origin, but
    // the sphere holds every vertex.
    float mx = 0, my = 0, mz = 0;
    float* positions = r->positions.Data();
    for (int32_t k = 0; k < g.meshCount; ++k) {
        HostObject o = g.meshes[k].object;
        int32_t count = g_host.MQObj_GetVertexCount(o);
        for (int32_t v = 0; v < count; ++v) {
            Point3 p;
            g_host.MQObj_GetVertex(o, v, &p);
            mx = fmaxf(mx, fabsf(p.x * scale));
            my = fmaxf(my, fabsf(p.y * scale));
            mz = fmaxf(mz, fabsf(p.z * scale));
            if (g_host.MQObj_GetVertexRefCount(o, v) == 0)
                p = Point3{0, 0, 0};
            *positions++ = p.x * scale;
            *positions++ = p.y * scale;
            *positions++ = p.z * scale;
        }
    }
    r->morphTarget = MorphTargetHeader{{0, 0, 0, sqrtf(mx * mx + my * my + mz * mz)}, 1, 1};
    return true;
}

// The used material at place index of the file: white without a host
// material; the host material's colour and its texture's name otherwise.
void FillMaterial(HostDocument doc, int32_t material, int32_t index, MaterialRecord* r,
                  ExportNotes* notes) {
    r->present = true;
    r->hasStruct = true;
    r->values = {0, {255, 255, 255, 255}, kMaterialReserved, 0, 1.0f, 0.0f, 1.0f};
    if (material >= 0) {
        HostMaterial m = g_host.MQDoc_GetMaterial(doc, material);
        ColorRGB c;
        g_host.MQMat_GetColor(m, &c);
        r->values.colour[0] = ColourChannel(c.r);
        r->values.colour[1] = ColourChannel(c.g);
        r->values.colour[2] = ColourChannel(c.b);
        r->values.colour[3] = ColourChannel(g_host.MQMat_GetAlpha(m));
        char fileName[kHostPathSize] = "";
        g_host.MQMat_GetTextureName(m, fileName, sizeof fileName);
        fileName[sizeof fileName - 1] = '\0';
        r->values.isTextured = fileName[0] != '\0' ? 1 : 0;
        if (TextureNameOf(fileName, r->textureName, sizeof r->textureName)) {
            char stem[kHostPathSize];
            FileStemOf(fileName, stem, sizeof stem);
            AddMendedName(*notes, Rule::kTextureNameLength, stem, strlen(stem),
                          kMaxTextureNameLength)
                .material = index;
        }
    }
    r->hasTexture = r->values.isTextured != 0;
}

// One Material per used host material, in host order (no material first).
bool FillMaterials(HostDocument doc, const UsedMaterialMap& used, MaterialListRecord* r,
                   ExportNotes* notes) {
    int32_t count = 0;
    for (size_t i = 0; i < used.entries.Count(); ++i)
        count += used.entries[i] != -1 ? 1 : 0;
    r->count = count;
    if (!r->materials.Allocate(static_cast<size_t>(count)))
        return false;
    size_t next = 0;
    for (int32_t m = -1; m < used.materialCount; ++m)
        if (used.entries[static_cast<size_t>(m + 1)] != -1) {
            FillMaterial(doc, m, static_cast<int32_t>(next), &r->materials[next], notes);
            ++next;
        }
    return true;
}

// One mesh per used material: its triangles' corners 2, 1, 0.
bool FillBinMesh(const ExportGeometry& g, BinMeshRecord* r) {
    r->meshFlags = 0;
    r->totalIndexCount = 3 * static_cast<uint32_t>(g.triangles.Count());
    if (!r->meshes.Allocate(static_cast<size_t>(g.usedMaterials)))
        return false;
    size_t t = 0;
    for (int32_t m = 0; m < g.usedMaterials; ++m) {
        BinMeshList& mesh = r->meshes[static_cast<size_t>(m)];
        size_t count = static_cast<size_t>(g.trianglesPerMaterial[static_cast<size_t>(m)]);
        mesh.materialIndex = static_cast<uint32_t>(m);
        if (!mesh.indices.Allocate(3 * count))
            return false;
        uint32_t* indices = mesh.indices.Data();
        for (size_t i = 0; i < count; ++i, ++t) {
            const ExportTriangle& tri = g.triangles[t];
            *indices++ = tri.corner[2];
            *indices++ = tri.corner[1];
            *indices++ = tri.corner[0];
        }
    }
    return true;
}

} // namespace

bool FillGeometryRecords(const ExportGeometry& g, HostDocument doc, const UsedMaterialMap& used,
                         float scale, GeometryRecords* out, ExportNotes* notes) {
    return FillGeometry(g, scale, &out->geometry) &&
           FillMaterials(doc, used, &out->materials, notes) && FillBinMesh(g, &out->binMesh);
}

uint8_t ColourChannel(float v) {
    int32_t value = static_cast<int32_t>(v * 256.0f);
    return static_cast<uint32_t>(value) >= 256 ? 255 : static_cast<uint8_t>(value);
}
