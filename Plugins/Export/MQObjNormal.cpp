// Face-corner normals: face normals first, then either copied to the corners
// (flat shading) or averaged per vertex over the faces within the smoothing
// angle (smooth shading). All arithmetic is in 32-bit floats.
#include "Plugins/Export/MQObjNormal.h"

#include <math.h>
#include <stdlib.h>

#include "frame/HeapArray.h"

namespace {

enum : int32_t { kShadingFlat = 0, kShadingSmooth = 1 };

// Pi rounded to a float and widened: the factor the smoothing angle is
// turned into radians with.
constexpr double kFloatPi = 3.1415927410125732;

constexpr int32_t kNoGroup = -1;

// One group of faces meeting at a vertex whose normals lie within the
// smoothing angle of the group's running sum.
struct SmoothGroup {
    Point3 sum;
    int32_t faceCount;
    int32_t next; // next group of the same vertex, kNoGroup at the end
};

const Point3 kZero = {0.0f, 0.0f, 0.0f};

Point3 Add(const Point3& a, const Point3& b) {
    return Point3{a.x + b.x, a.y + b.y, a.z + b.z};
}

float Dot(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The four point indices of a face of three or four points whose indices all
// name vertices of the object; false for any other face. Faces of more than
// four points are not fetched at all (the host would write past the four
// slots), so they get no normal and take no part in smoothing.
bool FetchPoints(HostObject object, int32_t face, int32_t pointCount, int32_t vertexCount,
                 int32_t points[4]) {
    if (pointCount < 3 || pointCount > 4)
        return false;
    points[3] = 0;
    g_host.MQObj_GetFacePointArray(object, face, points);
    for (int32_t c = 0; c < pointCount; ++c)
        if (points[c] < 0 || points[c] >= vertexCount)
            return false;
    return true;
}

// The normal of a face of three or four points, zero for any other face.
Point3 FaceNormal(HostObject object, int32_t face, int32_t vertexCount) {
    int32_t pointCount = g_host.MQObj_GetFacePointCount(object, face);
    int32_t points[4];
    if (!FetchPoints(object, face, pointCount, vertexCount, points))
        return kZero;
    Point3 p[4];
    for (int32_t c = 0; c < pointCount; ++c)
        g_host.MQObj_GetVertex(object, points[c], &p[c]);
    if (pointCount == 3)
        return TriangleNormal(p[0], p[1], p[2]);
    return QuadNormal(p[0], p[1], p[2], p[3]);
}

void FillFlat(HostObject object, int32_t faceCount, const HeapArray<Point3>& faceNormals,
              Point3* table) {
    for (int32_t f = 0; f < faceCount; ++f) {
        int32_t pointCount = g_host.MQObj_GetFacePointCount(object, f);
        for (int32_t c = 0; c < 4; ++c)
            table[static_cast<size_t>(f) * 4 + c] = c < pointCount ? faceNormals[f] : kZero;
    }
}

// cos(angle in radians), with the radians and the cosine each rounded to a float.
float SmoothThreshold(float degrees) {
    float radians = static_cast<float>(static_cast<double>(degrees) / 180.0 * kFloatPi);
    return static_cast<float>(cos(static_cast<double>(radians)));
}

// The cosine between a face normal and a group's sum; 0 when either is zero.
float GroupCosine(const Point3& normal, const Point3& sum) {
    float nn = Dot(normal, normal);
    float ss = Dot(sum, sum);
    if (!(nn > 0.0f) || !(ss > 0.0f))
        return 0.0f;
    return Dot(normal, sum) / sqrtf(nn * ss);
}

// Smooth shading working data: one head group per vertex at the vertex's
// index, then one spare record per corner slot (a corner makes at most one
// new group, so the pool cannot run out), and the group each corner joined.
struct SmoothWork {
    HeapArray<SmoothGroup> pool;
    HeapArray<int32_t> cornerGroup;
    int32_t nextFree = 0;

    bool Allocate(int32_t vertexCount, int32_t faceCount) {
        size_t corners = static_cast<size_t>(faceCount) * 4;
        if (corners > SIZE_MAX - static_cast<size_t>(vertexCount))
            return false;
        if (!pool.Allocate(static_cast<size_t>(vertexCount) + corners) ||
            !cornerGroup.Allocate(corners))
            return false;
        for (size_t i = 0; i < pool.Count(); ++i)
            pool[i].next = kNoGroup;
        nextFree = vertexCount;
        return true;
    }

    // The first group of the vertex's chain that the normal is within the
    // threshold of (first fit), or a new group at the chain's end.
    int32_t Join(int32_t vertex, const Point3& normal, float threshold) {
        SmoothGroup* group = &pool[static_cast<size_t>(vertex)];
        if (group->faceCount == 0) {
            group->sum = normal;
            group->faceCount = 1;
            return vertex;
        }
        int32_t index = vertex;
        for (;;) {
            if (threshold <= GroupCosine(normal, group->sum)) {
                group->sum = Add(group->sum, normal);
                ++group->faceCount;
                return index;
            }
            if (group->next == kNoGroup)
                break;
            index = group->next;
            group = &pool[static_cast<size_t>(index)];
        }
        int32_t fresh = nextFree++;
        group->next = fresh;
        SmoothGroup& added = pool[static_cast<size_t>(fresh)];
        added.sum = normal;
        added.faceCount = 1;
        added.next = kNoGroup;
        return fresh;
    }

    // Groups of more than one face become unit length; single-face groups
    // keep the face normal as it is.
    void Finish() {
        for (int32_t i = 0; i < nextFree; ++i)
            if (pool[static_cast<size_t>(i)].faceCount > 1)
                pool[static_cast<size_t>(i)].sum =
                    NormalizeOrZero(pool[static_cast<size_t>(i)].sum);
    }
};

bool FillSmooth(HostObject object, int32_t faceCount, int32_t vertexCount,
                const HeapArray<Point3>& faceNormals, Point3* table) {
    SmoothWork work;
    if (!work.Allocate(vertexCount, faceCount))
        return false;
    float threshold = SmoothThreshold(g_host.MQObj_GetSmoothAngle(object));
    for (int32_t f = 0; f < faceCount; ++f) {
        int32_t pointCount = g_host.MQObj_GetFacePointCount(object, f);
        int32_t points[4];
        bool grouped = FetchPoints(object, f, pointCount, vertexCount, points);
        for (int32_t c = 0; c < 4; ++c) {
            bool joins = grouped && c < pointCount;
            work.cornerGroup[static_cast<size_t>(f) * 4 + c] =
                joins ? work.Join(points[c], faceNormals[f], threshold) : kNoGroup;
        }
    }
    work.Finish();
    // Corners that joined no group (faces of fewer than three points, or
    // of unusable points) stay zero.
    for (size_t slot = 0; slot < work.cornerGroup.Count(); ++slot) {
        int32_t group = work.cornerGroup[slot];
        table[slot] = group == kNoGroup ? kZero : work.pool[static_cast<size_t>(group)].sum;
    }
    return true;
}

} // namespace

Point3 TriangleNormal(const Point3& v0, const Point3& v1, const Point3& v2) {
    Point3 d1 = {v0.x - v1.x, v0.y - v1.y, v0.z - v1.z};
    Point3 d2 = {v1.x - v2.x, v1.y - v2.y, v1.z - v2.z};
    Point3 n = {d2.y * d1.z - d2.z * d1.y, d2.z * d1.x - d2.x * d1.z, d2.x * d1.y - d2.y * d1.x};
    if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f)
        return kZero;
    float length = sqrtf(n.x * n.x + n.y * n.y + n.z * n.z);
    return Point3{n.x / length, n.y / length, n.z / length};
}

Point3 QuadNormal(const Point3& p0, const Point3& p1, const Point3& p2, const Point3& p3) {
    Point3 na = TriangleNormal(p0, p1, p2);
    Point3 nb = TriangleNormal(p0, p2, p3);
    Point3 nc = TriangleNormal(p1, p2, p3);
    Point3 nd = TriangleNormal(p1, p3, p0);
    // The split whose two halves agree more is the flatter one; a tie (or
    // a NaN) takes the P1-P3 split.
    Point3 sum = Dot(nc, nd) < Dot(na, nb) ? Add(na, nb) : Add(nc, nd);
    return NormalizeOrZero(sum);
}

Point3 NormalizeOrZero(const Point3& p) {
    float length = sqrtf(p.x * p.x + p.y * p.y + p.z * p.z);
    if (length == 0.0f)
        return kZero;
    return Point3{p.x / length, p.y / length, p.z / length};
}

// Slots that no rule fills are zero: those of faces of fewer than three
// points in smooth mode, every slot for a shading mode other than flat and
// smooth, and all four slots of a face of more than four points (which the
// host never gives).
MQObjNormal::MQObjNormal(HostObject object) {
    int32_t faceCount = g_host.MQObj_GetFaceCount(object);
    int32_t vertexCount = g_host.MQObj_GetVertexCount(object);
    faceCount_ = faceCount < 0 ? 0 : faceCount;
    if (vertexCount < 0)
        vertexCount = 0;
    if (faceCount_ == 0)
        return;
    size_t slots = static_cast<size_t>(faceCount_) * 4;
    if (slots / 4 != static_cast<size_t>(faceCount_) || slots > SIZE_MAX / sizeof(Point3))
        return;
    table_ = static_cast<Point3*>(calloc(slots, sizeof(Point3)));
    HeapArray<Point3> faceNormals;
    if (table_ == nullptr || !faceNormals.Allocate(static_cast<size_t>(faceCount_))) {
        free(table_);
        table_ = nullptr;
        return;
    }
    for (int32_t f = 0; f < faceCount_; ++f)
        faceNormals[static_cast<size_t>(f)] = FaceNormal(object, f, vertexCount);

    int32_t shading = g_host.MQObj_GetShading(object);
    if (shading == kShadingFlat) {
        FillFlat(object, faceCount_, faceNormals, table_);
    } else if (shading == kShadingSmooth &&
               !FillSmooth(object, faceCount_, vertexCount, faceNormals, table_)) {
        free(table_);
        table_ = nullptr;
    }
}

MQObjNormal::~MQObjNormal() {
    free(table_);
}

Point3 MQObjNormal::GetCornerNormal(int32_t face, int32_t corner) const {
    if (table_ == nullptr || face < 0 || face >= faceCount_ || corner < 0 || corner > 3)
        return kZero;
    return table_[static_cast<size_t>(face) * 4 + static_cast<size_t>(corner)];
}
