// Triangles of a face of any number of points, cut in the face's own plane.
#pragma once

#include <stdint.h>

#include "frame/HeapArray.h"
#include "frame/MQHost.h"

// Cuts the polygon of count points (count >= 3) into count - 2 triangles by
// ear clipping in the plane of its Newell normal, so that concave faces keep
// their outline (a fan from one corner would cover the notches). Each triangle
// is three corner numbers (0 .. count - 1) in the polygon's own turning order,
// written to triangles, which holds 3 x (count - 2) values. A polygon with no
// area, or one that crosses itself so that no ear is left, is finished as a
// fan from the first remaining corner. False only when memory cannot be had.
bool TriangulatePolygon(const Point3* points, int32_t count, HeapArray<int32_t>* triangles);

// The polygon's Newell normal: right-handed about the points' turning order,
// as long as twice the area; zero for a polygon without area.
Point3 PolygonNormal(const Point3* points, int32_t count);
