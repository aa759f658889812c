// Faces of five or more points, the modeller's n-gons, read whole from a host
// object and cut into triangles. Every other step reads faces of one to four
// points; Keynote's face records hold four corners.
#pragma once

#include <stdint.h>

#include "frame/HeapArray.h"
#include "frame/MQHost.h"

// The points a face needs before it is read as a large face.
constexpr int32_t kLargeFacePoints = 5;

struct LargeFace {
    int32_t count = 0;
    HeapArray<int32_t> points;     // vertex indices, in corner order
    HeapArray<TexCoord> texCoords; // one per corner
    HeapArray<Point3> positions;   // one per corner
    HeapArray<int32_t> triangles;  // 3 x (count - 2) corner numbers, in the face's turning order
    Point3 normal = {0.0f, 0.0f, 0.0f}; // unit, as the host's face normal points; zero without area
};

enum class LargeFaceRead : uint8_t {
    kOk,
    kSkipped, // fewer than five points, or a point that names no vertex
    kOutOfMemory,
};

LargeFaceRead ReadLargeFace(HostObject object, int32_t face, LargeFace* out);

// Adds every large face of the object again as its triangles, with the face's
// material and texture coordinates; the large faces themselves stay. False
// when memory runs out.
bool AddTrianglesOfLargeFaces(HostObject object);
