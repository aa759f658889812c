// Corner normals of host objects: flat and smooth shading.
#include <math.h>

#include "Plugins/Export/MQObjNormal.h"
#include "tests/export/ExportFixture.h"

namespace {

class ObjNormalTest : public ExportTest {
  protected:
    // The corner normals of a mesh built as a host object.
    MQObjNormal* Normals(const TestMesh& mesh) {
        normals_.reset(new MQObjNormal(BuildHostObject(mesh)));
        EXPECT_TRUE(normals_->Valid());
        return normals_.get();
    }

    std::unique_ptr<MQObjNormal> normals_;
};

const Point3 kZero = {0, 0, 0};

void ExpectZero(const Point3& p) {
    EXPECT_EQ(0.0f, p.x);
    EXPECT_EQ(0.0f, p.y);
    EXPECT_EQ(0.0f, p.z);
}

// The cube's corner normal at a vertex: the outward diagonal.
Point3 CubeDiagonal(const Point3& position) {
    float s = 1.0f / sqrtf(3.0f);
    return Point3{(2 * position.x - 1) * s, (2 * position.y - 1) * s, (2 * position.z - 1) * s};
}

// Two triangles sharing the edge 1-2, the second folded about it by a small
// angle: (0,0,0) (1,0,0) (0,1,0) and (1,0,0) (1,1,lift) (0,1,0).
TestMesh FoldedPair(float lift) {
    TestMesh mesh;
    mesh.AddVertex({0, 0, 0});
    mesh.AddVertex({1, 0, 0});
    mesh.AddVertex({0, 1, 0});
    mesh.AddVertex({1, 1, lift});
    mesh.AddFace({0, 1, 2});
    mesh.AddFace({1, 3, 2});
    mesh.shading = 1;
    return mesh;
}

} // namespace

TEST_F(ObjNormalTest, FlatQuadFillsAllFourSlots) {
    TestMesh mesh;
    for (Point3 p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{1, 1, 0}, Point3{0, 1, 0}})
        mesh.AddVertex(p);
    mesh.AddFace({0, 1, 2, 3});
    MQObjNormal* n = Normals(mesh);
    for (int c = 0; c < 4; ++c)
        EXPECT_POINT_NEAR((Point3{0, 0, -1}), n->GetCornerNormal(0, c), 0.0f);
}

TEST_F(ObjNormalTest, FlatTriangleLeavesTheFourthSlotZero) {
    TestMesh mesh;
    for (Point3 p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{0, 1, 0}})
        mesh.AddVertex(p);
    mesh.AddFace({0, 1, 2});
    MQObjNormal* n = Normals(mesh);
    for (int c = 0; c < 3; ++c)
        EXPECT_POINT_NEAR((Point3{0, 0, -1}), n->GetCornerNormal(0, c), 0.0f);
    ExpectZero(n->GetCornerNormal(0, 3));
}

TEST_F(ObjNormalTest, FlatCubeCornersCarryOutwardFaceNormals) {
    TestMesh mesh = CubeMesh();
    MQObjNormal* n = Normals(mesh);
    for (size_t f = 0; f < 6; ++f)
        for (int c = 0; c < 4; ++c)
            EXPECT_POINT_NEAR(CubeFaceNormal(f), n->GetCornerNormal(static_cast<int32_t>(f), c),
                              0.0f);
}

TEST_F(ObjNormalTest, DegenerateTriangleIsZeroInBothModes) {
    for (int32_t shading : {0, 1}) {
        TestMesh mesh;
        for (Point3 p : {Point3{0, 0, 0}, Point3{1, 1, 1}, Point3{2, 2, 2}})
            mesh.AddVertex(p);
        mesh.AddFace({0, 1, 2});
        mesh.shading = shading;
        MQObjNormal* n = Normals(mesh);
        for (int c = 0; c < 4; ++c)
            ExpectZero(n->GetCornerNormal(0, c));
    }
}

TEST_F(ObjNormalTest, FacesOfOneOrTwoPointsAreZeroInBothModes) {
    for (int32_t shading : {0, 1}) {
        TestMesh mesh = CubeMesh();
        mesh.AddFace({0});
        mesh.AddFace({0, 7});
        mesh.shading = shading;
        mesh.smoothAngle = 90.0f;
        MQObjNormal* n = Normals(mesh);
        for (int32_t f = 6; f < 8; ++f)
            for (int c = 0; c < 4; ++c)
                ExpectZero(n->GetCornerNormal(f, c));
        // They take no part in smoothing either: vertex 0 (corner 0 of the
        // bottom face) is as on the plain cube.
        Point3 expected = shading == 1 ? CubeDiagonal({0, 0, 0}) : CubeFaceNormal(1);
        EXPECT_POINT_NEAR(expected, n->GetCornerNormal(1, 0), 1e-7f);
    }
}

// A host that reports a shading mode of its own (the modeller knows 0 and 1).
int32_t MQAPI ShadingTwo(HostObject) {
    return 2;
}

TEST_F(ObjNormalTest, OtherShadingModesAndOutsideSlotsReadZero) {
    TestMesh mesh = CubeMesh();
    HostFunctionTable saved = g_host;
    g_host.MQObj_GetShading = ShadingTwo;
    MQObjNormal* n = Normals(mesh);
    g_host = saved;
    ExpectZero(n->GetCornerNormal(0, 0));

    TestMesh flat = CubeMesh();
    MQObjNormal* f = Normals(flat);
    EXPECT_POINT_NEAR(CubeFaceNormal(5), f->GetCornerNormal(5, 3), 0.0f);
    ExpectZero(f->GetCornerNormal(6, 0));
    ExpectZero(f->GetCornerNormal(-1, 0));
    ExpectZero(f->GetCornerNormal(0, 4));
    ExpectZero(f->GetCornerNormal(0, -1));
}

TEST_F(ObjNormalTest, EmptyObjectIsValid) {
    MQObjNormal n(g_host.MQ_CreateObject());
    EXPECT_TRUE(n.Valid());
    ExpectZero(n.GetCornerNormal(0, 0));
}

TEST_F(ObjNormalTest, SmoothCubeAtNinetyDegreesSharesTheDiagonal) {
    // The threshold cos(float(pi/2)) is -4.37e-8, just below the cosine 0
    // between faces at right angles, so all three faces at a corner join.
    TestMesh mesh = CubeMesh();
    mesh.shading = 1;
    mesh.smoothAngle = 90.0f;
    MQObjNormal* n = Normals(mesh);
    for (size_t f = 0; f < 6; ++f)
        for (int c = 0; c < 4; ++c) {
            Point3 corner = mesh.positions[static_cast<size_t>(mesh.faces[f].points[c])];
            EXPECT_POINT_NEAR(CubeDiagonal(corner), n->GetCornerNormal(static_cast<int32_t>(f), c),
                              1e-7f);
        }
}

TEST_F(ObjNormalTest, SmoothCubeJustBelowNinetyDegreesKeepsFaceNormals) {
    TestMesh mesh = CubeMesh();
    mesh.shading = 1;
    mesh.smoothAngle = 89.9f;
    MQObjNormal* n = Normals(mesh);
    for (size_t f = 0; f < 6; ++f)
        for (int c = 0; c < 4; ++c)
            EXPECT_POINT_NEAR(CubeFaceNormal(f), n->GetCornerNormal(static_cast<int32_t>(f), c),
                              0.0f);
}

TEST_F(ObjNormalTest, AngleZeroKeepsSlightlyDifferentNormalsApart) {
    TestMesh mesh = FoldedPair(0.01f);
    mesh.smoothAngle = 0.0f;
    MQObjNormal* n = Normals(mesh);
    Point3 first = TriangleNormal({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    Point3 second = TriangleNormal({1, 0, 0}, {1, 1, 0.01f}, {0, 1, 0});
    ASSERT_FALSE(SamePoint(first, second, 1e-4f));
    // Vertex 1 is corner 1 of face 0 and corner 0 of face 1.
    EXPECT_POINT_NEAR(first, n->GetCornerNormal(0, 1), 0.0f);
    EXPECT_POINT_NEAR(second, n->GetCornerNormal(1, 0), 0.0f);

    // Within a wider angle the shared corners take the normalised sum.
    TestMesh wide = FoldedPair(0.01f);
    wide.smoothAngle = 30.0f;
    MQObjNormal* w = Normals(wide);
    Point3 average = NormalizeOrZero({first.x + second.x, first.y + second.y, first.z + second.z});
    EXPECT_POINT_NEAR(average, w->GetCornerNormal(0, 1), 1e-7f);
    EXPECT_POINT_NEAR(average, w->GetCornerNormal(1, 0), 1e-7f);
    EXPECT_POINT_NEAR(average, w->GetCornerNormal(1, 2), 1e-7f);
    // Unshared corners keep their face normal.
    EXPECT_POINT_NEAR(first, w->GetCornerNormal(0, 0), 0.0f);
    EXPECT_POINT_NEAR(second, w->GetCornerNormal(1, 1), 0.0f);
}

TEST_F(ObjNormalTest, AngleOneEightyJoinsOppositeFaces) {
    // The same triangle twice, once reversed: opposite normals, cosine -1.
    for (float angle : {180.0f, 179.9f}) {
        TestMesh mesh;
        for (Point3 p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{0, 1, 0}})
            mesh.AddVertex(p);
        mesh.AddFace({0, 1, 2});
        mesh.AddFace({0, 2, 1});
        mesh.shading = 1;
        mesh.smoothAngle = angle;
        MQObjNormal* n = Normals(mesh);
        if (angle == 180.0f) {
            // One group whose sum cancels out: normalised to zero.
            for (int c = 0; c < 3; ++c) {
                ExpectZero(n->GetCornerNormal(0, c));
                ExpectZero(n->GetCornerNormal(1, c));
            }
        } else {
            EXPECT_POINT_NEAR((Point3{0, 0, -1}), n->GetCornerNormal(0, 0), 0.0f);
            EXPECT_POINT_NEAR((Point3{0, 0, 1}), n->GetCornerNormal(1, 0), 0.0f);
        }
    }
}

TEST_F(ObjNormalTest, ZeroFaceNormalJoinsOnlyFromNinetyDegrees) {
    // A degenerate triangle first at vertex 0, then a proper one.
    for (float angle : {60.0f, 90.0f}) {
        TestMesh mesh;
        for (Point3 p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{0, 1, 0}, Point3{2, 0, 0}})
            mesh.AddVertex(p);
        mesh.AddFace({0, 1, 3});
        mesh.AddFace({0, 1, 2});
        mesh.shading = 1;
        mesh.smoothAngle = angle;
        MQObjNormal* n = Normals(mesh);
        Point3 proper = {0, 0, -1};
        EXPECT_POINT_NEAR(proper, n->GetCornerNormal(1, 0), 0.0f);
        if (angle < 90.0f) {
            // The cosine against the zero head is 0, below the threshold:
            // a group of its own, and the degenerate corner stays zero.
            ExpectZero(n->GetCornerNormal(0, 0));
        } else {
            // Joined: the head's sum (zero plus the normal) is shared.
            EXPECT_POINT_NEAR(proper, n->GetCornerNormal(0, 0), 0.0f);
            EXPECT_POINT_NEAR(proper, n->GetCornerNormal(0, 1), 0.0f);
        }
        // Vertex 3 is used by the degenerate face alone.
        ExpectZero(n->GetCornerNormal(0, 2));
    }
}

TEST_F(ObjNormalTest, FirstFittingGroupTakesTheCorner) {
    // Three triangles at vertex 0 with normals A = +z, B tilted 50 degrees
    // from A about x, C tilted 25 degrees. At 30 degrees B starts a second
    // group; C is within 30 degrees of both A and B but joins A, the first.
    auto tilted = [](float degrees) {
        float r = degrees * 3.14159265f / 180.0f;
        return Point3{0, -sinf(r), cosf(r)};
    };
    TestMesh mesh;
    mesh.AddVertex({0, 0, 0});
    Point3 normals[3] = {{0, 0, 1}, tilted(50), tilted(25)};
    for (int t = 0; t < 3; ++t) {
        // A triangle through the origin with the given normal: the plane
        // is spanned by x and (0, cos, sin); order chosen for the sign.
        Point3 n = normals[t];
        int32_t a = mesh.AddVertex({0, n.z, -n.y});
        int32_t b = mesh.AddVertex({1, 0, 0});
        mesh.AddFace({0, a, b});
    }
    mesh.shading = 1;
    mesh.smoothAngle = 30.0f;
    MQObjNormal* n = Normals(mesh);
    for (int t = 0; t < 3; ++t)
        EXPECT_POINT_NEAR(normals[t],
                          TriangleNormal(mesh.positions[0], mesh.positions[size_t(2 * t + 1)],
                                         mesh.positions[size_t(2 * t + 2)]),
                          1e-6f);
    Point3 a = normals[0], c = normals[2];
    Point3 joined = NormalizeOrZero({a.x + c.x, a.y + c.y, a.z + c.z});
    EXPECT_POINT_NEAR(joined, n->GetCornerNormal(0, 0), 1e-6f);
    EXPECT_POINT_NEAR(joined, n->GetCornerNormal(2, 0), 1e-6f);
    EXPECT_POINT_NEAR(normals[1], n->GetCornerNormal(1, 0), 1e-6f);
}
