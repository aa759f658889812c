// Face normals of triangles and quads, and normalising.
#include <gtest/gtest.h>
#include <math.h>

#include "Plugins/Export/MQObjNormal.h"
#include "tests/export/ExportFixture.h"

namespace {

Point3 Scaled(const Point3& p, float s) {
    return Point3{p.x * s, p.y * s, p.z * s};
}

} // namespace

TEST(TriangleNormalTest, UnitTriangleFacesNegativeZ) {
    Point3 n = TriangleNormal({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(0.0f, n.x);
    EXPECT_EQ(0.0f, n.y);
    EXPECT_EQ(-1.0f, n.z);
}

TEST(TriangleNormalTest, ReversedOrderFlipsTheNormal) {
    Point3 n = TriangleNormal({0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    EXPECT_EQ(1.0f, n.z);
}

TEST(TriangleNormalTest, IsTheUnitCrossOfTheEdgesFromV0) {
    // (V2 - V0) x (V1 - V0) with V2 - V0 = (1, 2, 0) and V1 - V0 = (2, 0, 1):
    // (2*1 - 0*0, 0*2 - 1*1, 1*0 - 2*2) = (2, -1, -4), length sqrt(21).
    Point3 v0 = {1, 1, 1};
    Point3 n = TriangleNormal(v0, {3, 1, 2}, {2, 3, 1});
    float s = 1.0f / sqrtf(21.0f);
    EXPECT_POINT_NEAR(Scaled(Point3{2, -1, -4}, s), n, 1e-6f);
}

TEST(TriangleNormalTest, DegenerateTrianglesGiveZero) {
    Point3 collinear = TriangleNormal({0, 0, 0}, {1, 1, 1}, {2, 2, 2});
    Point3 repeated = TriangleNormal({1, 2, 3}, {1, 2, 3}, {4, 5, 6});
    for (const Point3& n : {collinear, repeated}) {
        EXPECT_EQ(0.0f, n.x);
        EXPECT_EQ(0.0f, n.y);
        EXPECT_EQ(0.0f, n.z);
    }
}

TEST(QuadNormalTest, PlanarQuadEqualsItsTriangles) {
    // A quad in the tilted plane x + y + z = 1 (not a square).
    Point3 p0 = {1, 0, 0}, p1 = {0, 1, 0}, p2 = {-1, 1, 1}, p3 = {0, -1, 2};
    Point3 quad = QuadNormal(p0, p1, p2, p3);
    EXPECT_POINT_NEAR(TriangleNormal(p0, p1, p2), quad, 1e-6f);
    EXPECT_POINT_NEAR(TriangleNormal(p0, p2, p3), quad, 1e-6f);
    float s = 1.0f / sqrtf(3.0f);
    // The normalised (P2 - P0) x (P1 - P0) = (-2, 1, 1) x (-1, 1, 0) = (-1, -1, -1).
    EXPECT_POINT_NEAR(Scaled(Point3{-1, -1, -1}, s), quad, 1e-6f);
}

TEST(QuadNormalTest, FoldedQuadTakesTheFlatterSplit) {
    float r3 = 1.0f / sqrtf(3.0f);
    // P1 lifted: the P0-P2 split has one flat half (0, 0, -1) and one tilted
    // half (1, -1, -1)/sqrt3 (dot 0.577); the P1-P3 halves (0, -1, -1)/sqrt2
    // and (1, 0, -1)/sqrt2 agree less (dot 0.5).
    Point3 a = QuadNormal({0, 0, 0}, {1, 0, 1}, {1, 1, 0}, {0, 1, 0});
    Point3 sumA = {r3, -r3, -r3 - 1.0f};
    EXPECT_POINT_NEAR(NormalizeOrZero(sumA), a, 1e-6f);

    // P2 lifted: now the P1-P3 split has the flat half (0, 0, -1) and the
    // tilted (1, 1, -1)/sqrt3, and the P0-P2 halves agree less.
    Point3 b = QuadNormal({0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 0});
    Point3 sumB = {r3, r3, -r3 - 1.0f};
    EXPECT_POINT_NEAR(NormalizeOrZero(sumB), b, 1e-6f);
}

TEST(QuadNormalTest, TieTakesTheP1P3Split) {
    // Both splits fold at right angles (both dot products exactly 0), but
    // their sums differ: the P0-P2 halves (0, 0, -1) and (-1, 1, 0)/sqrt2
    // would give (-0.5, 0.5, -0.7071); the P1-P3 halves (-1, 0, -1)/sqrt2
    // and (0, 1, 0) give (-0.5, 0.7071, -0.5).
    Point3 n = QuadNormal({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 1});
    float h = sqrtf(0.5f);
    EXPECT_POINT_NEAR((Point3{-0.5f, h, -0.5f}), n, 1e-6f);
}

TEST(QuadNormalTest, FullyDegenerateQuadGivesZero) {
    Point3 n = QuadNormal({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0});
    EXPECT_EQ(0.0f, n.x);
    EXPECT_EQ(0.0f, n.y);
    EXPECT_EQ(0.0f, n.z);
}

TEST(NormalizeOrZeroTest, ScalesToUnitLengthOrKeepsZero) {
    EXPECT_POINT_NEAR((Point3{0.6f, 0.0f, -0.8f}), NormalizeOrZero({3, 0, -4}), 1e-7f);
    Point3 zero = NormalizeOrZero({0, 0, 0});
    EXPECT_EQ(0.0f, zero.x);
    EXPECT_EQ(0.0f, zero.y);
    EXPECT_EQ(0.0f, zero.z);
}
