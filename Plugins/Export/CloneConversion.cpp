// The clone path: the WorkMesh is a compacted copy of the host object with
// its faces as they are; each vertex gets Keynote's weights of its source
// vertex, the unnormalised sum of its corner normals and the texture
// coordinate of the first corner that uses it.
#include <new>

#include "Plugins/Export/ConversionSteps.h"
#include "Plugins/Export/LargeFace.h"
#include "Plugins/Export/MQObjNormal.h"
#include "Plugins/Export/MeshConversion.h"

namespace {

// Compacting drops the vertices no face uses, so vertex v of the WorkMesh is
// not vertex v of the host object when the host object has unused vertices;
// the weights come from the vertex it was before compacting, which is the
// host object's vertex of the same index (the copy keeps the numbering).
void FillWeights(XSRecord object, const HeapArray<int32_t>& sourceOf, WorkMesh* out) {
    for (size_t v = 0; v < sourceOf.Count(); ++v) {
        if (sourceOf[v] < 0)
            continue; // left zero
        XSSkinVertex skin = XSObjectSkin(object, sourceOf[v]);
        uint8_t bones[4];
        for (int s = 0; s < 4; ++s)
            bones[s] = static_cast<uint8_t>(skin.bone[s] & 0xFF);
        SetWeightSlots(&out->attributes[v], bones, skin.weight);
    }
}

// Marks the material of every face that makes a triangle (three or more
// points) and sums the corner normals per vertex; the first corner of a
// vertex, in face and corner order, gives it its texture coordinate. Faces
// of more than four points are passed over: their triangles were added.
bool FillNormalsAndTexCoords(HostObject mesh, UsedMaterialMap& used, WorkMesh* out) {
    MQObjNormal* normals = new (std::nothrow) MQObjNormal(mesh);
    HeapArray<uint8_t> hasTexCoord;
    if (normals == nullptr || !normals->Valid() || !hasTexCoord.Allocate(out->attributes.Count())) {
        delete normals;
        return false;
    }
    int32_t vertexCount = static_cast<int32_t>(out->attributes.Count());
    int32_t faceCount = g_host.MQObj_GetFaceCount(mesh);
    for (int32_t f = 0; f < faceCount; ++f) {
        int32_t pointCount = g_host.MQObj_GetFacePointCount(mesh, f);
        if (pointCount < 1 || pointCount > 4)
            continue;
        if (pointCount >= 3)
            used.MarkUsed(g_host.MQObj_GetFaceMaterial(mesh, f));
        int32_t points[4] = {};
        TexCoord texCoords[4] = {};
        g_host.MQObj_GetFacePointArray(mesh, f, points);
        g_host.MQObj_GetFaceCoordinateArray(mesh, f, texCoords);
        for (int32_t c = 0; c < pointCount; ++c) {
            int32_t v = points[c];
            if (v < 0 || v >= vertexCount)
                continue;
            VertexAttributes& a = out->attributes[static_cast<size_t>(v)];
            Point3 n = normals->GetCornerNormal(f, c);
            a.normal = Point3{a.normal.x + n.x, a.normal.y + n.y, a.normal.z + n.z};
            if (!hasTexCoord[static_cast<size_t>(v)]) {
                a.texCoord = texCoords[c];
                hasTexCoord[static_cast<size_t>(v)] = 1;
            }
        }
    }
    delete normals;
    return true;
}

} // namespace

bool ConvertClone(XSRecord object, UsedMaterialMap& used, WorkMesh* out) {
    out->object = g_host.MQObj_Clone(XSObjectHost(object));
    if (out->object == 0)
        return false;
    HeapArray<int32_t> sourceOf;
    bool ok = AddTrianglesOfLargeFaces(out->object) &&
              CompactWithSourceMap(out->object, &sourceOf) &&
              out->attributes.Allocate(sourceOf.Count());
    if (ok) {
        FillWeights(object, sourceOf, out);
        ok = FillNormalsAndTexCoords(out->object, used, out);
    }
    if (!ok)
        ReleaseWorkMesh(out);
    return ok;
}
