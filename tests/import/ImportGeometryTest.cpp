// The mesh object and its materials.
#include "tests/import/DffBuilder.h"
#include "tests/import/ImportFixture.h"

namespace {

void ExpectPoint(const Point3& p, float x, float y, float z) {
    EXPECT_FLOAT_EQ(p.x, x);
    EXPECT_FLOAT_EQ(p.y, y);
    EXPECT_FLOAT_EQ(p.z, z);
}

// A clump whose frame 2 is at the origin, so the mesh keeps its positions.
TestClump UnmovedClump() {
    TestClump clump = MakeSimpleClump();
    clump.frames[2].position[0] = 0;
    return clump;
}

TEST_F(ImportTest, MeshObjectCarriesScaledVerticesAndReversedFaces) {
    script_.mantissaText = "+1.000";
    script_.exponentText = "+2";
    ASSERT_EQ(Import(BuildDff({UnmovedClump()}), "player.dff"), 1);
    EXPECT_TRUE(messages_.empty());
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->shading, 1);
    EXPECT_FLOAT_EQ(mesh->smoothAngle, 180.0f);
    ASSERT_EQ(mesh->vertices.size(), 4u);
    ExpectPoint(mesh->vertices[0], 1, -50, 125);
    ExpectPoint(mesh->vertices[3], 100, 100, 0);
    // The material split lists material 0's triangle first; each face takes
    // the triangle's indices in reverse order.
    ASSERT_EQ(mesh->faces.size(), 2u);
    EXPECT_EQ(mesh->faces[0].pointCount, 3);
    EXPECT_EQ(mesh->faces[0].points[0], 2);
    EXPECT_EQ(mesh->faces[0].points[1], 3);
    EXPECT_EQ(mesh->faces[0].points[2], 1);
    EXPECT_EQ(mesh->faces[1].points[0], 2);
    EXPECT_EQ(mesh->faces[1].points[1], 1);
    EXPECT_EQ(mesh->faces[1].points[2], 0);
    // Texture coordinates follow the corners.
    EXPECT_FLOAT_EQ(mesh->faces[0].uv[1].u, 1.0f);
    EXPECT_FLOAT_EQ(mesh->faces[0].uv[1].v, 1.0f);
    EXPECT_FALSE(mesh->faces[0].hasColors);
    const HostSimMaterial* m0 = Material("player_0");
    const HostSimMaterial* m1 = Material("player_1");
    ASSERT_NE(m0, nullptr);
    ASSERT_NE(m1, nullptr);
    const HostSimDocument* d = HostSimFindDocument(doc_);
    EXPECT_EQ(HostSimFindMaterial(d->materials[static_cast<size_t>(mesh->faces[0].material)]), m0);
    EXPECT_EQ(HostSimFindMaterial(d->materials[static_cast<size_t>(mesh->faces[1].material)]), m1);
}

TEST_F(ImportTest, MaterialsTakeColourSurfaceAndTextureName) {
    ASSERT_EQ(Import(BuildDff({UnmovedClump()}), "D:\\a\\b.c.dff"), 1);
    EXPECT_NE(Object("sdef:b.c"), nullptr);
    const HostSimMaterial* m0 = Material("b.c_0");
    const HostSimMaterial* m1 = Material("b.c_1");
    ASSERT_NE(m0, nullptr);
    ASSERT_NE(m1, nullptr);
    EXPECT_FLOAT_EQ(m0->color.r, 51.0f / 255.0f);
    EXPECT_EQ(m0->textureName, "skin.png");
    EXPECT_EQ(m1->textureName, "");
    EXPECT_FLOAT_EQ(m1->alpha, 128.0f / 255.0f);
    // The file's ambient and specular fields become diffuse and ambient.
    EXPECT_FLOAT_EQ(m1->diffuse, 0.25f);
    EXPECT_FLOAT_EQ(m1->ambient, 0.75f);
    EXPECT_FLOAT_EQ(m1->emission, 0.0f);
    EXPECT_FLOAT_EQ(m1->specular, 0.0f);
    EXPECT_FLOAT_EQ(m1->power, 5.0f);
    EXPECT_EQ(m1->shader, 3);
    EXPECT_EQ(m1->vertexColor, 0);
}

TEST_F(ImportTest, PrelitColoursReachEveryCorner) {
    TestClump clump = UnmovedClump();
    clump.geometry.flags |= kGeometryPrelit;
    clump.geometry.colours = {0x11223344u, 0x55667788u, 0x99AABBCCu, 0xDDEEFF00u};
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    ASSERT_TRUE(mesh->faces[0].hasColors);
    // Face 0 is (2, 3, 1): the colours of those vertices, R in the lowest byte.
    EXPECT_EQ(mesh->faces[0].colors[0], 0x99AABBCCu);
    EXPECT_EQ(mesh->faces[0].colors[1], 0xDDEEFF00u);
    EXPECT_EQ(mesh->faces[0].colors[2], 0x55667788u);
    EXPECT_EQ(Material("player_0")->shader, 1);
    EXPECT_EQ(Material("player_0")->vertexColor, 1);
}

TEST_F(ImportTest, SecondTextureSetIsSkipped) {
    TestClump clump = UnmovedClump();
    clump.geometry.flags |= kGeometryTextured2;
    clump.geometry.texCoordSets = 2;
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    ASSERT_EQ(mesh->faces.size(), 2u);
    // The first set's coordinates (the second set is shifted by 1 in u).
    EXPECT_FLOAT_EQ(mesh->faces[0].uv[1].u, 1.0f);
    ExpectPoint(mesh->vertices[1], 1, 0, 0);
}

TEST_F(ImportTest, WithoutMaterialListFacesHaveNoMaterial) {
    TestClump clump = UnmovedClump();
    clump.geometry.writeMaterialList = false;
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    ASSERT_EQ(mesh->faces.size(), 2u);
    EXPECT_EQ(mesh->faces[0].material, -1);
    EXPECT_EQ(mesh->faces[1].material, -1);
    // Faces keep the triangle array's order and take corners A, C, B.
    EXPECT_EQ(mesh->faces[0].points[0], 0);
    EXPECT_EQ(mesh->faces[0].points[1], 2);
    EXPECT_EQ(mesh->faces[0].points[2], 1);
}

TEST_F(ImportTest, MaterialWithoutStructIsNotAddedAndItsFacesStayPlain) {
    TestClump clump = UnmovedClump();
    clump.geometry.materials[1].writeStruct = false;
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    EXPECT_EQ(Material("player_1"), nullptr);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    EXPECT_GE(mesh->faces[0].material, 0);
    EXPECT_EQ(mesh->faces[1].material, -1);
}

TEST_F(ImportTest, TriangleNamingMissingVertexIsLeftOutWithTrace) {
    TestClump clump = UnmovedClump();
    clump.geometry.triangles.push_back({1, 4, 2, 0});
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->faces.size(), 2u);
    bool traced = false;
    for (const std::string& t : traces_)
        traced |= t.find("Vertex Buffer Overrapped, Face 1/3") == 0;
    EXPECT_TRUE(traced);
}

TEST_F(ImportTest, TraceLinesFollowTheSteps) {
    ASSERT_EQ(Import(BuildDff({UnmovedClump()})), 1);
    std::vector<std::string> expected = {"malloc @308, dwGSVertex = 4, dwGSFace = 2",
                                         "malloc @314",
                                         "break @321",
                                         "break @352",
                                         "break @426",
                                         "break @459",
                                         "free @482",
                                         "free @488",
                                         "malloc @507, dwFrame = 4",
                                         "malloc @515",
                                         "free @697",
                                         "free @705"};
    EXPECT_EQ(traces_, expected);
}

} // namespace
