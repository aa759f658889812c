// The split path: triangulation, vertex splitting by texture coordinate and
// normal, vertex attributes and material marking.
#include <math.h>

#include "Plugins/Export/MeshConversion.h"
#include "tests/export/ExportFixture.h"

namespace {

class SplitTest : public ExportTest {
  protected:
    // Converts the mesh (built as host object and Keynote record).
    void Convert(const TestMesh& mesh, bool byTexCoord, bool byNormal) {
        host_ = BuildHostObject(mesh);
        image_.reset(new XSObjectImage(mesh, host_));
        ASSERT_NE(nullptr, image_->Record());
        ConvertImage(byTexCoord, byNormal);
    }

    void ConvertImage(bool byTexCoord, bool byNormal) {
        ExportOptions options;
        options.splitVertices = 1;
        options.splitByTexCoord = byTexCoord ? 1 : 0;
        options.splitByNormal = byNormal ? 1 : 0;
        ASSERT_TRUE(ConvertSplit(image_->Record(), options, used, &work));
        ASSERT_NE(0u, work.object);
        EXPECT_EQ(static_cast<size_t>(VertexCount(work.object)), work.attributes.Count());
    }

    HostObject host_ = 0;
    std::unique_ptr<XSObjectImage> image_;
    WorkMesh work;
};

// Two triangles 0-1-2 and 0-2-3 of a unit square, with unit normals +z.
TestMesh SquarePair() {
    TestMesh mesh;
    for (Point3 p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{1, 1, 0}, Point3{0, 1, 0}})
        mesh.AddVertex(p);
    mesh.AddFace({0, 1, 2});
    mesh.AddFace({0, 2, 3});
    mesh.SetFaceNormal(0, {0, 0, 1});
    mesh.SetFaceNormal(1, {0, 0, 1});
    return mesh;
}

Point3 RotatedAboutX(float degrees) {
    float r = degrees * 3.14159265f / 180.0f;
    return Point3{0, -sinf(r), cosf(r)};
}

} // namespace

TEST_F(SplitTest, CubeSplitsByNormalIntoTwentyFourVertices) {
    TestMesh mesh = CubeMesh();
    Convert(mesh, false, true);
    EXPECT_EQ(24, VertexCount(work.object));
    std::vector<WorkFace> faces = FacesOf(work.object);
    ASSERT_EQ(12u, faces.size());
    // Every triangle's vertices carry its quad's normal and lie on that side.
    for (size_t t = 0; t < faces.size(); ++t) {
        Point3 normal = CubeFaceNormal(t / 2);
        ASSERT_EQ(3u, faces[t].points.size());
        for (int32_t v : faces[t].points) {
            EXPECT_POINT_NEAR(normal, work.attributes[static_cast<size_t>(v)].normal, 0.0f);
            Point3 p = VertexAt(work.object, v);
            float side = p.x * normal.x + p.y * normal.y + p.z * normal.z;
            float outward = normal.x + normal.y + normal.z; // +1 or -1
            EXPECT_EQ(outward > 0 ? 1.0f : 0.0f, side);
        }
    }
}

TEST_F(SplitTest, CubeWithoutTestsSharesTheEightCorners) {
    TestMesh mesh = CubeMesh();
    Convert(mesh, false, false);
    EXPECT_EQ(8, VertexCount(work.object));
    EXPECT_EQ(12u, FacesOf(work.object).size());
    // The first corner of each source made its vertex: cube vertex 4 (the
    // first corner of the first face) is output vertex 0 at (0, 0, 1).
    EXPECT_POINT_NEAR((Point3{0, 0, 1}), VertexAt(work.object, 0), 0.0f);
}

TEST_F(SplitTest, QuadsBecomeTrianglesZeroOneTwoAndZeroTwoThree) {
    TestMesh mesh;
    for (Point3 p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{1, 1, 0}, Point3{0, 1, 0}})
        mesh.AddVertex(p);
    mesh.AddFace({3, 2, 1, 0}, 2);
    Convert(mesh, false, false);
    std::vector<WorkFace> faces = FacesOf(work.object);
    ASSERT_EQ(2u, faces.size());
    // Output vertices in corner order: 0 <- 3, 1 <- 2, 2 <- 1, 3 <- 0.
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2}), faces[0].points);
    EXPECT_EQ((std::vector<int32_t>{0, 2, 3}), faces[1].points);
    EXPECT_EQ(2, faces[0].material);
    EXPECT_EQ(2, faces[1].material);
    EXPECT_POINT_NEAR(mesh.positions[3], VertexAt(work.object, 0), 0.0f);
    EXPECT_POINT_NEAR(mesh.positions[0], VertexAt(work.object, 3), 0.0f);
}

TEST_F(SplitTest, TextureTestComparesTheSumOfTheDifferences) {
    // Vertex 2 is shared; its second corner's coordinate differs from the
    // first's by (+0.5, -0.5): the sum is 0, so it is not split.
    TestMesh mesh = SquarePair();
    mesh.faces[0].texCoords[2] = mesh.faces[0].hostTexCoords[2] = {0.25f, 0.75f};
    mesh.faces[1].texCoords[1] = mesh.faces[1].hostTexCoords[1] = {0.75f, 0.25f};
    Convert(mesh, true, false);
    EXPECT_EQ(4, VertexCount(work.object));

    // (+0.5, 0) is split: vertex 2 gets a second output vertex.
    ResetHost();
    TestMesh split = SquarePair();
    split.faces[0].texCoords[2] = split.faces[0].hostTexCoords[2] = {0.25f, 0.75f};
    split.faces[1].texCoords[1] = split.faces[1].hostTexCoords[1] = {0.75f, 0.75f};
    Convert(split, true, false);
    EXPECT_EQ(5, VertexCount(work.object));
}

TEST_F(SplitTest, HostCoordinatesDecideAndKeynotesAreStored) {
    // The host's coordinates agree where Keynote's differ: nothing is split,
    // and each vertex keeps Keynote's coordinate of the corner that made it.
    TestMesh mesh = SquarePair();
    for (int c = 0; c < 3; ++c)
        mesh.faces[1].texCoords[c] = {0.9f, 0.8f};
    Convert(mesh, true, false);
    ASSERT_EQ(4, VertexCount(work.object));
    for (size_t v = 0; v < 3; ++v) {
        EXPECT_EQ(0.0f, work.attributes[v].texCoord.u) << v;
        EXPECT_EQ(0.0f, work.attributes[v].texCoord.v) << v;
    }
    EXPECT_EQ(0.9f, work.attributes[3].texCoord.u);
    EXPECT_EQ(0.8f, work.attributes[3].texCoord.v);

    // The host's coordinates differ where Keynote's agree: split.
    ResetHost();
    TestMesh split = SquarePair();
    for (int c = 0; c < 3; ++c)
        split.faces[1].hostTexCoords[c] = {0.9f, 0.8f};
    Convert(split, true, false);
    EXPECT_EQ(6, VertexCount(work.object));
}

TEST_F(SplitTest, TextureTestIsOffUnlessAsked) {
    TestMesh mesh = SquarePair();
    mesh.faces[1].hostTexCoords[0] = {0.9f, 0.9f};
    Convert(mesh, false, true);
    EXPECT_EQ(4, VertexCount(work.object));
}

TEST_F(SplitTest, NormalsNinetyDegreesApartSplitFiveDegreesDoNot) {
    for (float degrees : {90.0f, 5.0f}) {
        ResetHost();
        work.attributes.Release();
        TestMesh mesh = SquarePair();
        // Both corners at vertex 0 and 2 of face 1 differ from face 0's.
        mesh.SetFaceNormal(1, RotatedAboutX(degrees));
        Convert(mesh, false, true);
        EXPECT_EQ(degrees == 90.0f ? 6 : 4, VertexCount(work.object)) << degrees;
    }
}

TEST_F(SplitTest, StoredNormalsAreUnitLengthOrZero) {
    TestMesh mesh = SquarePair();
    mesh.faces[0].normals[0] = {0, 0, 3};
    mesh.faces[0].normals[1] = {0, 0, 0};
    mesh.faces[0].normals[2] = {3, 4, 0};
    Convert(mesh, false, false);
    EXPECT_POINT_NEAR((Point3{0, 0, 1}), work.attributes[0].normal, 0.0f);
    EXPECT_POINT_NEAR((Point3{0, 0, 0}), work.attributes[1].normal, 0.0f);
    EXPECT_POINT_NEAR((Point3{0.6f, 0.8f, 0}), work.attributes[2].normal, 1e-7f);
}

TEST_F(SplitTest, FirstMatchingVertexInIndexOrderIsShared) {
    // Three triangles at vertex 0 with normals at 0, 8 and 4 degrees: the
    // first two are 0.0195 apart (split); the third is 0.0049 from both and
    // takes the first.
    TestMesh mesh;
    mesh.AddVertex({0, 0, 0});
    float degrees[3] = {0, 8, 4};
    for (int t = 0; t < 3; ++t) {
        int32_t a = mesh.AddVertex({1, static_cast<float>(t), 0});
        int32_t b = mesh.AddVertex({0, static_cast<float>(t), 1});
        mesh.AddFace({0, a, b});
        mesh.SetFaceNormal(static_cast<size_t>(t), RotatedAboutX(degrees[t]));
    }
    Convert(mesh, false, true);
    std::vector<WorkFace> faces = FacesOf(work.object);
    ASSERT_EQ(3u, faces.size());
    EXPECT_EQ(0, faces[0].points[0]);
    EXPECT_NE(0, faces[1].points[0]);
    EXPECT_EQ(0, faces[2].points[0]);
    EXPECT_EQ(8, VertexCount(work.object));
}

TEST_F(SplitTest, WeightsKeepPositiveSlotsAndLowBytesOfBones) {
    TestMesh mesh = SquarePair();
    mesh.skins[0] = TestSkin{{0, 0, 0, 0}, {7, 8, 9, 10}};
    mesh.skins[1] = TestSkin{{0.75f, 0.25f, -0.5f, 0}, {0x103, 2, 3, 4}};
    Convert(mesh, false, false);
    const VertexAttributes& zero = work.attributes[0];
    const VertexAttributes& some = work.attributes[1];
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(0, zero.bones[s]);
        EXPECT_EQ(0.0f, zero.weights[s]);
    }
    EXPECT_EQ(3, some.bones[0]);
    EXPECT_EQ(0.75f, some.weights[0]);
    EXPECT_EQ(2, some.bones[1]);
    EXPECT_EQ(0.25f, some.weights[1]);
    EXPECT_EQ(0, some.bones[2]);
    EXPECT_EQ(0.0f, some.weights[2]);
    EXPECT_EQ(0, some.bones[3]);
}

TEST_F(SplitTest, FacesOfOneOrTwoPointsProduceNothing) {
    TestMesh mesh = SquarePair();
    mesh.faces.clear();
    mesh.AddFace({0}, 0);
    mesh.AddFace({1, 2}, 1);
    Convert(mesh, true, true);
    EXPECT_EQ(0, VertexCount(work.object));
    EXPECT_EQ(0u, FacesOf(work.object).size());
    for (size_t i = 0; i < used.entries.Count(); ++i)
        EXPECT_EQ(-1, used.entries[i]) << i;
}

TEST_F(SplitTest, EmittedFacesMarkTheirMaterials) {
    TestMesh mesh = CubeMesh();
    mesh.faces[0].material = 2;
    mesh.faces[1].material = 7; // not in the document: no material
    mesh.faces[2].material = 2;
    mesh.AddFace({0, 1}, 1); // makes no triangle, marks nothing
    Convert(mesh, false, false);
    EXPECT_EQ(0, used.entries[0]);  // no material
    EXPECT_EQ(-1, used.entries[1]); // material 0
    EXPECT_EQ(-1, used.entries[2]); // material 1
    EXPECT_EQ(0, used.entries[3]);  // material 2
    std::vector<WorkFace> faces = FacesOf(work.object);
    ASSERT_EQ(12u, faces.size());
    EXPECT_EQ(2, faces[0].material);
    EXPECT_EQ(2, faces[1].material);
    EXPECT_EQ(-1, faces[2].material);
    EXPECT_EQ(-1, faces[3].material);
    EXPECT_EQ(2, faces[4].material);
}

TEST_F(SplitTest, FaceWithAPointOutsideTheObjectIsSkipped) {
    TestMesh mesh = SquarePair();
    mesh.faces[0].material = 1;
    host_ = BuildHostObject(mesh);
    image_.reset(new XSObjectImage(mesh, host_));
    ASSERT_NE(nullptr, image_->Record());
    image_->SetPoint(0, 1, 4); // the host object has 4 vertices
    ConvertImage(false, false);
    std::vector<WorkFace> faces = FacesOf(work.object);
    ASSERT_EQ(1u, faces.size());
    EXPECT_EQ(3, VertexCount(work.object));
    EXPECT_EQ(-1, used.entries[2]); // the skipped face's material

    image_->SetPoint(1, 2, -1);
    WorkMesh second;
    ExportOptions options;
    options.splitVertices = 1;
    ASSERT_TRUE(ConvertSplit(image_->Record(), options, used, &second));
    EXPECT_EQ(0, VertexCount(second.object));
}
