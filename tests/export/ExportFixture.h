// Every test starts from an empty simulated host, bound in-process, and a map
// of three document materials.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "Plugins/Export/WorkMesh.h"
#include "tests/export/KeynoteBuilder.h"

struct WorkFace {
    std::vector<int32_t> points;
    int32_t material;
};

class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts again from an empty host and an unmarked material map.
    void ResetHost();

    UsedMaterialMap used;
};

// The unit cube: vertex x + 2y + 4z at (x, y, z), six quads wound so that
// their normals point outward; Keynote's corner normals are those normals.
TestMesh CubeMesh();
// The outward normal of a cube face (the order of CubeMesh's faces).
Point3 CubeFaceNormal(size_t face);

// Reading a host object back.
int32_t VertexCount(HostObject obj);
Point3 VertexAt(HostObject obj, int32_t index);
std::vector<WorkFace> FacesOf(HostObject obj);

bool SamePoint(const Point3& a, const Point3& b, float tolerance);

// Compares two points within a tolerance, naming the components that differ.
#define EXPECT_POINT_NEAR(expected, actual, tolerance)                                             \
    do {                                                                                           \
        Point3 e_ = (expected);                                                                    \
        Point3 a_ = (actual);                                                                      \
        EXPECT_NEAR(e_.x, a_.x, tolerance);                                                        \
        EXPECT_NEAR(e_.y, a_.y, tolerance);                                                        \
        EXPECT_NEAR(e_.z, a_.z, tolerance);                                                        \
    } while (0)
