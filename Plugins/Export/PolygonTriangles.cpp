#include "Plugins/Export/PolygonTriangles.h"

#include <math.h>

namespace {

// A corner in the plane of the polygon, turned so the polygon runs
// counter-clockwise.
struct Flat {
    double u, v;
};

// Twice the signed area of a, b, c: positive when they turn counter-clockwise.
double Turn(const Flat& a, const Flat& b, const Flat& c) {
    return (b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u);
}

bool Same(const Flat& a, const Flat& b) {
    return a.u == b.u && a.v == b.v;
}

bool InsideOrOn(const Flat& p, const Flat& a, const Flat& b, const Flat& c) {
    return Turn(a, b, p) >= 0.0 && Turn(b, c, p) >= 0.0 && Turn(c, a, p) >= 0.0;
}

void NewellNormal(const Point3* points, size_t count, double n[3]) {
    n[0] = n[1] = n[2] = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const Point3& a = points[i];
        const Point3& b = points[(i + 1) % count];
        n[0] += (static_cast<double>(a.y) - b.y) * (static_cast<double>(a.z) + b.z);
        n[1] += (static_cast<double>(a.z) - b.z) * (static_cast<double>(a.x) + b.x);
        n[2] += (static_cast<double>(a.x) - b.x) * (static_cast<double>(a.y) + b.y);
    }
}

// The corners projected on the coordinate plane the Newell normal is most
// nearly square to; false when the polygon has no area.
bool Project(const Point3* points, size_t count, Flat* flat) {
    double n[3];
    NewellNormal(points, count, n);
    int drop = 0;
    for (int axis = 1; axis < 3; ++axis)
        if (fabs(n[axis]) > fabs(n[drop]))
            drop = axis;
    if (!(fabs(n[drop]) > 0.0))
        return false;
    // The two remaining axes in cyclic order see the polygon counter-clockwise
    // when the dropped component is positive; otherwise v is mirrored.
    double flip = n[drop] > 0.0 ? 1.0 : -1.0;
    for (size_t i = 0; i < count; ++i) {
        const double xyz[3] = {points[i].x, points[i].y, points[i].z};
        flat[i] = Flat{xyz[(drop + 1) % 3], flip * xyz[(drop + 2) % 3]};
    }
    return true;
}

// Whether the corner at ring position k makes an ear: it turns
// counter-clockwise and no other remaining corner lies in its triangle.
bool IsEar(const Flat* flat, const int32_t* ring, size_t left, size_t k) {
    const Flat& a = flat[ring[(k + left - 1) % left]];
    const Flat& b = flat[ring[k]];
    const Flat& c = flat[ring[(k + 1) % left]];
    if (!(Turn(a, b, c) > 0.0))
        return false;
    for (size_t j = 0; j < left; ++j) {
        const Flat& p = flat[ring[j]];
        if (Same(p, a) || Same(p, b) || Same(p, c))
            continue;
        if (InsideOrOn(p, a, b, c))
            return false;
    }
    return true;
}

} // namespace

Point3 PolygonNormal(const Point3* points, int32_t count) {
    double n[3] = {0.0, 0.0, 0.0};
    if (count >= 3)
        NewellNormal(points, static_cast<size_t>(count), n);
    return Point3{static_cast<float>(n[0]), static_cast<float>(n[1]), static_cast<float>(n[2])};
}

bool TriangulatePolygon(const Point3* points, int32_t count, HeapArray<int32_t>* triangles) {
    if (count < 3)
        return triangles->Allocate(0);
    size_t n = static_cast<size_t>(count);
    HeapArray<Flat> flat;
    HeapArray<int32_t> ring;
    if (!triangles->Allocate(3 * (n - 2)) || !flat.Allocate(n) || !ring.Allocate(n))
        return false;
    bool planar = Project(points, n, flat.Data());
    for (size_t i = 0; i < n; ++i)
        ring[i] = static_cast<int32_t>(i);
    size_t left = n;
    size_t written = 0;
    size_t k = 0;
    while (left > 3) {
        // The next ear from k on; without one (no area, or the outline
        // crosses itself) the corner at k is cut off anyway.
        size_t tried = 0;
        while (planar && tried < left && !IsEar(flat.Data(), ring.Data(), left, k)) {
            k = (k + 1) % left;
            ++tried;
        }
        (*triangles)[written++] = ring[(k + left - 1) % left];
        (*triangles)[written++] = ring[k];
        (*triangles)[written++] = ring[(k + 1) % left];
        for (size_t j = k; j + 1 < left; ++j)
            ring[j] = ring[j + 1];
        --left;
        k = k % left;
    }
    (*triangles)[written++] = ring[0];
    (*triangles)[written++] = ring[1];
    (*triangles)[written++] = ring[2];
    return true;
}
