#include "Plugins/Export/GeometryWriter.h"

#include <math.h>
#include <string.h>

#include "format/GeometryLayout.h"

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
            int32_t points = g_host.MQObj_GetFacePointCount(o, f);
            int32_t n = points >= 4 ? 2 : (points == 3 ? 1 : 0);
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
            if (points < 3 || file < 0)
                continue;
            int32_t p[4] = {0, 0, 0, 0};
            g_host.MQObj_GetFacePointArray(o, f, p);
            const int32_t splits[2][3] = {{0, 1, 2}, {0, 2, 3}};
            for (int t = 0; t < (points >= 4 ? 2 : 1); ++t) {
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

void WriteGeometryStruct(ByteStream& s, const ExportGeometry& g, float scale) {
    GeometryHeader header = {kGeometryPositions | kGeometryTextured | kGeometryNormals |
                                 kGeometryLight,
                             1,
                             0,
                             static_cast<int32_t>(g.triangles.Count()),
                             g.vertexCount,
                             1};
    WriteGeometryHeader(s, header);
    BlockWriter block(s);
    for (int32_t k = 0; k < g.meshCount; ++k)
        for (size_t v = 0; v < g.meshes[k].attributes.Count(); ++v) {
            block.F32(g.meshes[k].attributes[v].texCoord.u);
            block.F32(g.meshes[k].attributes[v].texCoord.v);
        }
    for (size_t t = 0; t < g.triangles.Count(); ++t) {
        const ExportTriangle& tri = g.triangles[t];
        StoreTriangleRecord(block.Reserve(kTriangleRecordSize),
                            TriangleRecord{tri.corner[1], tri.corner[2],
                                           static_cast<uint16_t>(tri.material), tri.corner[0]});
    }
    block.Finish();
    // Positions scaled; a vertex no face uses is written at the origin.
    float mx = 0, my = 0, mz = 0;
    for (int32_t k = 0; k < g.meshCount; ++k) {
        HostObject o = g.meshes[k].object;
        for (int32_t v = 0; v < g_host.MQObj_GetVertexCount(o); ++v) {
            Point3 p;
            g_host.MQObj_GetVertex(o, v, &p);
            mx = fmaxf(mx, fabsf(p.x * scale));
            my = fmaxf(my, fabsf(p.y * scale));
            mz = fmaxf(mz, fabsf(p.z * scale));
        }
    }
    WriteMorphTargetHeader(s,
                           MorphTargetHeader{{0, 0, 0, sqrtf(mx * mx + my * my + mz * mz)}, 1, 1});
    BlockWriter arrays(s);
    for (int32_t k = 0; k < g.meshCount; ++k) {
        HostObject o = g.meshes[k].object;
        for (int32_t v = 0; v < g_host.MQObj_GetVertexCount(o); ++v) {
            Point3 p = {0, 0, 0};
            if (g_host.MQObj_GetVertexRefCount(o, v) != 0)
                g_host.MQObj_GetVertex(o, v, &p);
            arrays.F32(p.x * scale);
            arrays.F32(p.y * scale);
            arrays.F32(p.z * scale);
        }
    }
    for (int32_t k = 0; k < g.meshCount; ++k)
        for (size_t v = 0; v < g.meshes[k].attributes.Count(); ++v) {
            const Point3& n = g.meshes[k].attributes[v].normal;
            arrays.F32(n.x);
            arrays.F32(n.y);
            arrays.F32(n.z);
        }
    arrays.Finish();
}

uint8_t ColourChannel(float v) {
    int32_t value = static_cast<int32_t>(v * 256.0f);
    return static_cast<uint32_t>(value) >= 256 ? 255 : static_cast<uint8_t>(value);
}

void TextureNameOf(const char* fileName, char* out, size_t size) {
    const char* base = strrchr(fileName, '\\');
    base = base != nullptr ? base + 1 : fileName;
    size_t length = strlen(base);
    const char* dot = strrchr(base, '.');
    if (dot != nullptr)
        length = static_cast<size_t>(dot - base);
    if (length > size - 1)
        length = size - 1;
    memcpy(out, base, length);
    out[length] = '\0';
}

static bool WriteMaterial(ByteStream& s, HostDocument doc, int32_t material) {
    SectionStack stack;
    MaterialStruct r = {0, {255, 255, 255, 255}, kMaterialReserved, 0, 1.0f, 0.0f, 1.0f};
    char texture[64] = "";
    if (material >= 0) {
        HostMaterial m = g_host.MQDoc_GetMaterial(doc, material);
        ColorRGB c;
        g_host.MQMat_GetColor(m, &c);
        r.colour[0] = ColourChannel(c.r);
        r.colour[1] = ColourChannel(c.g);
        r.colour[2] = ColourChannel(c.b);
        r.colour[3] = ColourChannel(g_host.MQMat_GetAlpha(m));
        char fileName[64] = "";
        g_host.MQMat_GetTextureName(m, fileName, sizeof fileName);
        fileName[sizeof fileName - 1] = '\0';
        r.isTextured = fileName[0] != '\0' ? 1 : 0;
        TextureNameOf(fileName, texture, sizeof texture);
    }
    bool ok = BeginSection(s, stack, kSectionMaterial) && BeginSection(s, stack, kSectionStruct);
    WriteMaterialStruct(s, r);
    ok = ok && EndSection(s, stack);
    if (r.isTextured) {
        ok = ok && BeginSection(s, stack, kSectionTexture) &&
             BeginSection(s, stack, kSectionStruct) && WriteU32(s, kTextureSampling) &&
             EndSection(s, stack) && WriteStringSection(s, texture) && WriteStringSection(s, "") &&
             WriteEmptyExtension(s) && EndSection(s, stack);
    }
    return ok && WriteEmptyExtension(s) && EndSection(s, stack);
}

bool WriteMaterialList(ByteStream& s, HostDocument doc, const UsedMaterialMap& used) {
    SectionStack stack;
    int32_t count = 0;
    for (size_t i = 0; i < used.entries.Count(); ++i)
        count += used.entries[i] != -1 ? 1 : 0;
    bool ok =
        BeginSection(s, stack, kSectionMaterialList) && BeginSection(s, stack, kSectionStruct);
    WriteI32(s, count);
    for (int32_t i = 0; i < count; ++i)
        WriteI32(s, -1);
    ok = ok && EndSection(s, stack);
    for (int32_t m = -1; m < used.materialCount; ++m)
        if (used.entries[static_cast<size_t>(m + 1)] != -1)
            ok = ok && WriteMaterial(s, doc, m);
    return ok && EndSection(s, stack);
}

bool WriteBinMesh(ByteStream& s, const ExportGeometry& g) {
    SectionStack stack;
    if (!BeginSection(s, stack, kSectionBinMeshPlg))
        return false;
    uint32_t triangles = static_cast<uint32_t>(g.triangles.Count());
    WriteBinMeshHeader(s, BinMeshHeader{0, static_cast<uint32_t>(g.usedMaterials), 3 * triangles});
    size_t t = 0;
    for (int32_t m = 0; m < g.usedMaterials; ++m) {
        uint32_t count = static_cast<uint32_t>(g.trianglesPerMaterial[static_cast<size_t>(m)]);
        BlockWriter block(s);
        block.U32(3 * count);
        block.U32(static_cast<uint32_t>(m));
        for (uint32_t i = 0; i < count; ++i, ++t) {
            const ExportTriangle& tri = g.triangles[t];
            block.U32(tri.corner[2]);
            block.U32(tri.corner[1]);
            block.U32(tri.corner[0]);
        }
        block.Finish();
    }
    return EndSection(s, stack);
}
