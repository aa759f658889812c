#include "hostsim/CornerNormals.h"

#include <math.h>

namespace {

Point3 Subtract(const Point3& a, const Point3& b) {
    return Point3{a.x - b.x, a.y - b.y, a.z - b.z};
}

Point3 Cross(const Point3& a, const Point3& b) {
    return Point3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Point3 Normalised(const Point3& v) {
    float length = sqrtf(v.x * v.x + v.y * v.y + v.z * v.z);
    if (!(length > 0.0f)) {
        return Point3{0.0f, 0.0f, 0.0f};
    }
    return Point3{v.x / length, v.y / length, v.z / length};
}

bool IsVertex(const KeynoteObject& object, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < object.vertices.size();
}

bool UsesVertexBefore(const KeynoteFace& face, int32_t corner) {
    for (int32_t j = 0; j < corner; ++j) {
        if (face.vertexIndex[j] == face.vertexIndex[corner]) {
            return true;
        }
    }
    return false;
}

// Per vertex, the sum of the normals of the faces using it.
std::vector<Point3> VertexNormalSums(const KeynoteObject& object) {
    std::vector<Point3> sums(object.vertices.size(), Point3{0.0f, 0.0f, 0.0f});
    for (const KeynoteFace& face : object.faces) {
        Point3 n = KeynoteFaceNormal(object, face);
        for (int32_t i = 0; i < face.pointCount && i < 4; ++i) {
            int32_t v = face.vertexIndex[i];
            if (IsVertex(object, v) && !UsesVertexBefore(face, i)) {
                sums[v] = Point3{sums[v].x + n.x, sums[v].y + n.y, sums[v].z + n.z};
            }
        }
    }
    return sums;
}

} // namespace

Point3 KeynoteFaceNormal(const KeynoteObject& object, const KeynoteFace& face) {
    if (face.pointCount < 3 || !IsVertex(object, face.vertexIndex[0]) ||
        !IsVertex(object, face.vertexIndex[1]) || !IsVertex(object, face.vertexIndex[2])) {
        return Point3{0.0f, 0.0f, 0.0f};
    }
    const Point3& v0 = object.vertices[face.vertexIndex[0]];
    const Point3& v1 = object.vertices[face.vertexIndex[1]];
    const Point3& v2 = object.vertices[face.vertexIndex[2]];
    return Normalised(Cross(Subtract(v2, v0), Subtract(v1, v0)));
}

void ComputeCornerNormals(KeynoteObject* object, bool smooth, const std::vector<bool>& compute) {
    std::vector<Point3> sums;
    if (smooth) {
        sums = VertexNormalSums(*object);
    }
    for (size_t f = 0; f < object->faces.size() && f < compute.size(); ++f) {
        if (!compute[f]) {
            continue;
        }
        KeynoteFace& face = object->faces[f];
        Point3 flat = KeynoteFaceNormal(*object, face);
        for (int32_t i = 0; i < face.pointCount && i < 4; ++i) {
            int32_t v = face.vertexIndex[i];
            if (smooth && IsVertex(*object, v)) {
                face.cornerNormal[i] = Normalised(sums[v]);
            } else {
                face.cornerNormal[i] = flat;
            }
        }
    }
}
