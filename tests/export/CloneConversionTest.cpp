// The clone path: a compacted copy of the host object, Keynote's weights of
// each vertex's source, summed corner normals, first-corner texture
// coordinates and material marking.
#include <math.h>

#include "Plugins/Export/MeshConversion.h"
#include "tests/export/ExportFixture.h"

namespace {

class CloneTest : public ExportTest {
  protected:
    void Convert(const TestMesh& mesh) {
        host_ = BuildHostObject(mesh);
        image_.reset(new XSObjectImage(mesh, host_));
        ASSERT_NE(nullptr, image_->Record());
        ASSERT_TRUE(ConvertClone(image_->Record(), used, &work));
        ASSERT_NE(0u, work.object);
        ASSERT_NE(host_, work.object);
        ASSERT_EQ(static_cast<size_t>(VertexCount(work.object)), work.attributes.Count());
    }

    HostObject host_ = 0;
    std::unique_ptr<XSObjectImage> image_;
    WorkMesh work;
};

// Vertex i has bone i + 10 in slot 0 with weight (i + 1) / 8.
TestSkin SkinOf(int32_t i) {
    return TestSkin{{static_cast<float>(i + 1) / 8.0f, 0, 0, 0}, {i + 10, 0, 0, 0}};
}

} // namespace

TEST_F(CloneTest, KeepsTheHostsFacesAsTheyAre) {
    TestMesh mesh = CubeMesh();
    Convert(mesh);
    EXPECT_EQ(8, VertexCount(work.object));
    std::vector<WorkFace> faces = FacesOf(work.object);
    ASSERT_EQ(6u, faces.size());
    for (size_t f = 0; f < 6; ++f) {
        const int32_t* p = mesh.faces[f].points;
        EXPECT_EQ((std::vector<int32_t>{p[0], p[1], p[2], p[3]}), faces[f].points);
    }
    // The host object itself is left alone.
    EXPECT_EQ(8, VertexCount(host_));
}

TEST_F(CloneTest, WeightsFollowTheSourceVertexAfterCompacting) {
    // Vertices 0 and 3 are used by no face; compacting drops them, so the
    // WorkMesh's vertices 0, 1, 2 are the host's 1, 2, 4.
    TestMesh mesh;
    for (int32_t i = 0; i < 5; ++i)
        mesh.AddVertex({static_cast<float>(i), 0, static_cast<float>(i % 2)}, SkinOf(i));
    mesh.skins[2].weights[1] = -0.25f;
    mesh.skins[2].bones[1] = 99;
    mesh.skins[4].bones[0] = 0x20A; // the low byte is 0x0A
    mesh.AddFace({1, 2, 4});
    Convert(mesh);
    ASSERT_EQ(3, VertexCount(work.object));
    const int32_t sources[3] = {1, 2, 4};
    for (size_t v = 0; v < 3; ++v) {
        int32_t s = sources[v];
        EXPECT_POINT_NEAR(mesh.positions[static_cast<size_t>(s)],
                          VertexAt(work.object, static_cast<int32_t>(v)), 0.0f);
        EXPECT_EQ(static_cast<float>(s + 1) / 8.0f, work.attributes[v].weights[0]) << v;
        EXPECT_EQ(0.0f, work.attributes[v].weights[1]) << v;
        EXPECT_EQ(0, work.attributes[v].bones[1]) << v;
    }
    EXPECT_EQ(11, work.attributes[0].bones[0]);
    EXPECT_EQ(12, work.attributes[1].bones[0]);
    EXPECT_EQ(0x0A, work.attributes[2].bones[0]);
}

TEST_F(CloneTest, ZeroWeightsGiveBoneZero) {
    TestMesh mesh = CubeMesh();
    for (TestSkin& skin : mesh.skins)
        skin = TestSkin{{0, 0, 0, 0}, {5, 6, 7, 8}};
    Convert(mesh);
    for (size_t v = 0; v < work.attributes.Count(); ++v)
        for (int s = 0; s < 4; ++s) {
            EXPECT_EQ(0, work.attributes[v].bones[s]);
            EXPECT_EQ(0.0f, work.attributes[v].weights[s]);
        }
}

TEST_F(CloneTest, FlatNormalsAreSummedNotNormalised) {
    // Each cube corner touches three faces with axis normals: the sum is the
    // diagonal (+-1, +-1, +-1) of length sqrt 3.
    TestMesh mesh = CubeMesh();
    Convert(mesh);
    for (int32_t v = 0; v < 8; ++v) {
        Point3 p = VertexAt(work.object, v);
        Point3 diagonal = {2 * p.x - 1, 2 * p.y - 1, 2 * p.z - 1};
        EXPECT_POINT_NEAR(diagonal, work.attributes[static_cast<size_t>(v)].normal, 0.0f);
    }
}

TEST_F(CloneTest, SmoothNormalsAreSummedNotNormalised) {
    // At 90 degrees each of the three corners at a cube vertex carries the
    // unit diagonal; their sum is sqrt 3 times it: (+-sqrt3, +-sqrt3, +-sqrt3).
    TestMesh mesh = CubeMesh();
    mesh.shading = 1;
    mesh.smoothAngle = 90.0f;
    Convert(mesh);
    float r3 = sqrtf(3.0f);
    for (int32_t v = 0; v < 8; ++v) {
        Point3 p = VertexAt(work.object, v);
        Point3 sum = {(2 * p.x - 1) * r3, (2 * p.y - 1) * r3, (2 * p.z - 1) * r3};
        EXPECT_POINT_NEAR(sum, work.attributes[static_cast<size_t>(v)].normal, 1e-6f);
    }
}

TEST_F(CloneTest, TextureCoordinateOfTheFirstCornerUsingTheVertex) {
    TestMesh mesh;
    for (Point3 p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{1, 1, 0}, Point3{0, 1, 0}})
        mesh.AddVertex(p);
    mesh.AddFace({0, 1, 2});
    mesh.AddFace({2, 3, 0});
    for (int c = 0; c < 3; ++c) {
        mesh.faces[0].hostTexCoords[c] = {0.1f * static_cast<float>(c + 1), 0.0f};
        mesh.faces[1].hostTexCoords[c] = {0.5f, 0.1f * static_cast<float>(c + 1)};
    }
    Convert(mesh);
    ASSERT_EQ(4u, work.attributes.Count());
    EXPECT_FLOAT_EQ(0.1f, work.attributes[0].texCoord.u); // face 0 corner 0, not face 1 corner 2
    EXPECT_FLOAT_EQ(0.2f, work.attributes[1].texCoord.u);
    EXPECT_FLOAT_EQ(0.3f, work.attributes[2].texCoord.u); // face 0 corner 2, not face 1 corner 0
    EXPECT_FLOAT_EQ(0.0f, work.attributes[2].texCoord.v);
    EXPECT_FLOAT_EQ(0.5f, work.attributes[3].texCoord.u); // face 1 corner 1
    EXPECT_FLOAT_EQ(0.2f, work.attributes[3].texCoord.v);
}

TEST_F(CloneTest, OnlyFacesOfThreeOrMorePointsMarkMaterials) {
    TestMesh mesh = CubeMesh();
    mesh.faces[3].material = 1;
    mesh.AddFace({0}, 0);
    mesh.AddFace({0, 1}, 2);
    Convert(mesh);
    EXPECT_EQ(0, used.entries[0]);  // the cube's other faces
    EXPECT_EQ(-1, used.entries[1]); // the one-point face's
    EXPECT_EQ(0, used.entries[2]);
    EXPECT_EQ(-1, used.entries[3]); // the two-point face's
    EXPECT_EQ(8u, FacesOf(work.object).size());
}
