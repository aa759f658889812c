#include "Plugins/Export/LargeFace.h"

#include <math.h>

#include "Plugins/Export/PolygonTriangles.h"

LargeFaceRead ReadLargeFace(HostObject object, int32_t face, LargeFace* out) {
    int32_t count = g_host.MQObj_GetFacePointCount(object, face);
    if (count < kLargeFacePoints)
        return LargeFaceRead::kSkipped;
    size_t n = static_cast<size_t>(count);
    out->count = count;
    if (!out->points.Allocate(n) || !out->texCoords.Allocate(n) || !out->positions.Allocate(n))
        return LargeFaceRead::kOutOfMemory;
    g_host.MQObj_GetFacePointArray(object, face, out->points.Data());
    g_host.MQObj_GetFaceCoordinateArray(object, face, out->texCoords.Data());
    int32_t vertexCount = g_host.MQObj_GetVertexCount(object);
    for (size_t c = 0; c < n; ++c) {
        int32_t v = out->points[c];
        if (v < 0 || v >= vertexCount)
            return LargeFaceRead::kSkipped;
        g_host.MQObj_GetVertex(object, v, &out->positions[c]);
    }
    if (!TriangulatePolygon(out->positions.Data(), count, &out->triangles))
        return LargeFaceRead::kOutOfMemory;
    // The host's face normal is (p2 - p0) x (p1 - p0): against the turning
    // order, so the right-handed Newell normal is reversed.
    Point3 a = PolygonNormal(out->positions.Data(), count);
    float length = sqrtf(a.x * a.x + a.y * a.y + a.z * a.z);
    if (length > 0.0f)
        out->normal = Point3{-a.x / length, -a.y / length, -a.z / length};
    return LargeFaceRead::kOk;
}

bool AddTrianglesOfLargeFaces(HostObject object) {
    int32_t faceCount = g_host.MQObj_GetFaceCount(object);
    for (int32_t f = 0; f < faceCount; ++f) {
        LargeFace face;
        switch (ReadLargeFace(object, f, &face)) {
        case LargeFaceRead::kOutOfMemory:
            return false;
        case LargeFaceRead::kSkipped:
            continue;
        case LargeFaceRead::kOk:
            break;
        }
        int32_t material = g_host.MQObj_GetFaceMaterial(object, f);
        for (size_t t = 0; t < face.triangles.Count(); t += 3) {
            int32_t points[3];
            TexCoord texCoords[3];
            for (int c = 0; c < 3; ++c) {
                points[c] = face.points[static_cast<size_t>(face.triangles[t + c])];
                texCoords[c] = face.texCoords[static_cast<size_t>(face.triangles[t + c])];
            }
            int32_t added = g_host.MQObj_AddFace(object, 3, points);
            if (added < 0)
                continue;
            g_host.MQObj_SetFaceMaterial(object, added, material);
            g_host.MQObj_SetFaceCoordinateArray(object, added, texCoords);
        }
    }
    return true;
}
