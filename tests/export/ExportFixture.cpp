#include "tests/export/ExportFixture.h"

#include <math.h>

#include "hostsim/HostSim.h"

void ExportTest::SetUp() {
    ResetHost();
}

void ExportTest::ResetHost() {
    HostSimReset();
    g_host = *HostSimFunctions();
    ASSERT_TRUE(used.Reset(3));
}

void ExportTest::TearDown() {
    HostSimReset();
}

namespace {

const int32_t kCubeFaces[6][4] = {
    {4, 6, 7, 5}, // z = 1
    {0, 1, 3, 2}, // z = 0
    {1, 5, 7, 3}, // x = 1
    {0, 2, 6, 4}, // x = 0
    {2, 3, 7, 6}, // y = 1
    {0, 4, 5, 1}, // y = 0
};

const Point3 kCubeNormals[6] = {{0, 0, 1},  {0, 0, -1}, {1, 0, 0},
                                {-1, 0, 0}, {0, 1, 0},  {0, -1, 0}};

} // namespace

TestMesh CubeMesh() {
    TestMesh mesh;
    for (int i = 0; i < 8; ++i)
        mesh.AddVertex(Point3{static_cast<float>(i & 1), static_cast<float>((i >> 1) & 1),
                              static_cast<float>((i >> 2) & 1)});
    for (size_t f = 0; f < 6; ++f) {
        const int32_t* p = kCubeFaces[f];
        mesh.AddFace({p[0], p[1], p[2], p[3]});
        mesh.SetFaceNormal(f, kCubeNormals[f]);
    }
    return mesh;
}

Point3 CubeFaceNormal(size_t face) {
    return kCubeNormals[face];
}

int32_t VertexCount(HostObject obj) {
    return g_host.MQObj_GetVertexCount(obj);
}

Point3 VertexAt(HostObject obj, int32_t index) {
    Point3 p = {};
    g_host.MQObj_GetVertex(obj, index, &p);
    return p;
}

std::vector<WorkFace> FacesOf(HostObject obj) {
    std::vector<WorkFace> faces;
    int32_t count = g_host.MQObj_GetFaceCount(obj);
    for (int32_t f = 0; f < count; ++f) {
        int32_t points[4] = {};
        int32_t n = g_host.MQObj_GetFacePointCount(obj, f);
        g_host.MQObj_GetFacePointArray(obj, f, points);
        faces.push_back(WorkFace{std::vector<int32_t>(points, points + n),
                                 g_host.MQObj_GetFaceMaterial(obj, f)});
    }
    return faces;
}

bool SamePoint(const Point3& a, const Point3& b, float tolerance) {
    return fabsf(a.x - b.x) <= tolerance && fabsf(a.y - b.y) <= tolerance &&
           fabsf(a.z - b.z) <= tolerance;
}
