// The Keynote stand-in: which messages it answers, and the skeleton documents
// it builds from the document's objects and the scene's Keynote data.
#include <math.h>

#include <string>

#include "Plugins/Export/KeynoteDocument.h"
#include "scene/SceneBuild.h"
#include "frame/Transform.h"
#include "tests/hostsim/KeynoteTestSupport.h"

namespace {

class KeynoteStandInTest : public KeynoteFixture {
  protected:
    HostDocument Load(const std::string& text) {
        HostDocument loaded = 0;
        std::string error;
        EXPECT_TRUE(HostSimLoadSceneText(text, "/scenes", &loaded, &error)) << error;
        return loaded;
    }

    XSRecord Create(HostDocument target) {
        int32_t answer = SendToKeynote(target, "CreateXSDocument");
        return XSRef(static_cast<uint32_t>(answer));
    }
};

// A folded pair of triangles sharing vertices 0 and 2: face 0 has the
// normal (0, 0, -1), face 1 the normal (-1, 0, 0).
std::string FoldScene(int shading, const char* extraFace = "") {
    return std::string(R"({"objects": [{"name": "fold", "shading": )") + std::to_string(shading) +
           R"(,
        "vertices": [[0,0,0],[1,0,0],[0,1,0],[0,0,1]],
        "faces": [{"points": [0,1,2]}, {"points": [0,2,3]})" +
           extraFace + "]}]}";
}

void ExpectPoint(const Point3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-6f);
    EXPECT_NEAR(p.y, y, 1e-6f);
    EXPECT_NEAR(p.z, z, 1e-6f);
}

TEST_F(KeynoteStandInTest, AnswersTheVersionCheckWithTheSceneValue) {
    HostDocument scene = Load(R"({"keynote": {"versionAnswer": -3}})");
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:512"), -3);
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:7"), -3);
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:"), 0);
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:12x"), 0);
    EXPECT_EQ(SendToKeynote(scene, "checkversion:512"), 0);
    EXPECT_EQ(SendToKeynote(scene, "Unknown"), 0);
}

TEST_F(KeynoteStandInTest, AnswersOnlyMessagesAddressedToKeynote) {
    HostDocument scene = Load(R"({"keynote": {"versionAnswer": 9}})");
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:512"), 9);
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:512", KeynoteProductId + 1), 0);
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:512", KeynoteProductId, 45), 0);
    EXPECT_EQ(SendToKeynote(scene, "CreateXSDocument", 0x12345678u, 44), 0);
    // A document it has no data for, and the fixture's plain document.
    EXPECT_EQ(SendToKeynote(scene + 1000, "CheckVersion:512"), 0);
    EXPECT_EQ(SendToKeynote(doc, "CreateXSDocument"), 0);
    EXPECT_EQ(HostSimKeynoteLiveDocumentCount(), 0);
}

TEST_F(KeynoteStandInTest, AbsentKeynoteAnswersNothing) {
    HostDocument scene =
        Load(R"({"keynote": {"present": false, "versionAnswer": -1}, "objects": [{"name": "a"}]})");
    EXPECT_EQ(SendToKeynote(scene, "CheckVersion:512"), 0);
    EXPECT_EQ(SendToKeynote(scene, "CreateXSDocument"), 0);
    EXPECT_EQ(HostSimKeynoteLiveDocumentCount(), 0);
}

TEST_F(KeynoteStandInTest, CreateBuildsTheDocumentObjectsAndDeleteFreesIt) {
    HostDocument scene = Load(R"({
        "materials": [{"name": "m0"}, {"name": "m1"}],
        "objects": [
          {"name": "body", "vertices": [[0,0,0],[1,0,0],[0,1,0],[1,1,0]],
           "faces": [{"points": [0,1,3,2], "material": 1,
                      "uv": [[0,0],[1,0],[1,1],[0,1]]}],
           "skin": [{"bones": [1,2], "weights": [0.5,0.5]}, {}, {"bones": [0,0,0,3],
                     "weights": [0,0,0,1]}, {"weights": [1]}]},
          {"name": "hidden", "keynote": false, "vertices": [[0,0,0]]},
          {"name": "tri", "vertices": [[0,0,0],[0,0,1],[0,1,0]], "faces": [{"points": [0,1,2]}]}],
        "bones": [{"name": "Root", "tag": "0:0:0"},
                  {"name": "Pelvis", "tag": "1:1:0", "parent": 0, "position": [0,0.5,1]}]})");
    XSRecord xs = Create(scene);
    ASSERT_NE(xs, nullptr);
    EXPECT_EQ(HostSimKeynoteLiveDocumentCount(), 1);
    ASSERT_EQ(XSObjectCount(xs), 2); // "hidden" is not Keynote's
    XSRecord body = XSObjectAt(xs, 0);
    XSRecord tri = XSObjectAt(xs, 1);
    EXPECT_EQ(XSObjectHost(body), MQDoc_GetObject(scene, 0));
    EXPECT_EQ(XSObjectHost(tri), MQDoc_GetObject(scene, 2));

    ASSERT_EQ(XSObjectFaceCount(body), 1);
    XSFace quad = XSObjectFace(body, 0);
    EXPECT_EQ(quad.pointCount, 4);
    EXPECT_EQ(quad.materialIndex, 1);
    EXPECT_EQ(quad.vertexIndex[2], 3);
    EXPECT_EQ(quad.texCoord[2].u, 1.0f);
    EXPECT_EQ(quad.texCoord[3].v, 1.0f);
    ExpectPoint(XSObjectVertex(body, 3), 1, 1, 0);
    XSSkinVertex s0 = XSObjectSkin(body, 0);
    EXPECT_EQ(s0.bone[1], 2);
    EXPECT_EQ(s0.weight[1], 0.5f);
    EXPECT_EQ(XSObjectSkin(body, 1).weight[0], 0.0f);
    EXPECT_EQ(XSObjectSkin(body, 2).bone[3], 3);
    EXPECT_EQ(XSObjectSkin(body, 3).weight[0], 1.0f);
    EXPECT_EQ(XSObjectFace(tri, 0).materialIndex, -1);
    EXPECT_EQ(XSObjectSkin(tri, 2).bone[0], 0); // no skin in the scene

    ASSERT_EQ(XSBoneCount(xs), 2);
    XSBone pelvis = ReadXSBone(XSBoneAt(xs, 1));
    EXPECT_STREQ(pelvis.name, "Pelvis");
    EXPECT_STREQ(pelvis.tag, "1:1:0");
    EXPECT_EQ(pelvis.parent, XSBoneAt(xs, 0));
    EXPECT_EQ(pelvis.position.z, 1.0f);
    EXPECT_EQ(pelvis.bind.m[5], 1.0f); // identity by default
    EXPECT_EQ(pelvis.bind.m[4], 0.0f);

    EXPECT_EQ(SendToKeynote(scene, "DeleteXSDocument"), 0);
    EXPECT_EQ(HostSimKeynoteLiveDocumentCount(), 0);
}

TEST_F(KeynoteStandInTest, TheDocumentFollowsTheHostObjectsAsTheyAreNow) {
    HostDocument scene = Load(R"({"objects": [{"name": "a", "vertices": [[0,0,0],[1,0,0]],
        "skin": [{"bones": [4]}, {"bones": [5]}]}]})");
    HostObject obj = MQDoc_GetObject(scene, 0);
    Point3 moved = {2, 3, 4};
    MQObj_SetVertex(obj, 0, &moved);
    Point3 extra = {9, 9, 9};
    MQObj_AddVertex(obj, &extra);
    XSRecord xs = Create(scene);
    ASSERT_NE(xs, nullptr);
    XSRecord object = XSObjectAt(xs, 0);
    ExpectPoint(XSObjectVertex(object, 0), 2, 3, 4);
    ExpectPoint(XSObjectVertex(object, 2), 9, 9, 9);
    EXPECT_EQ(XSObjectSkin(object, 1).bone[0], 5);
    EXPECT_EQ(XSObjectSkin(object, 2).bone[0], 0); // the added vertex has no weights
}

TEST_F(KeynoteStandInTest, EachDocumentGetsItsOwnAnswersAndDocuments) {
    HostDocument a =
        Load(R"({"keynote": {"versionAnswer": 1}, "bones": [{"name": "A", "tag": "0:0:0"}]})");
    HostDocument b = Load(R"({"keynote": {"versionAnswer": 2}})");
    EXPECT_EQ(SendToKeynote(a, "CheckVersion:512"), 1);
    EXPECT_EQ(SendToKeynote(b, "CheckVersion:512"), 2);
    XSRecord xa = Create(a);
    XSRecord xb = Create(b);
    ASSERT_NE(xa, nullptr);
    ASSERT_NE(xb, nullptr);
    EXPECT_EQ(XSBoneCount(xa), 1);
    EXPECT_EQ(XSBoneCount(xb), 0);
    EXPECT_EQ(HostSimKeynoteLiveDocumentCount(), 2);
    SendToKeynote(a, "DeleteXSDocument");
    EXPECT_EQ(HostSimKeynoteLiveDocumentCount(), 1);
    EXPECT_EQ(XSBoneCount(xb), 0); // b's document is still there
    HostSimKeynoteReset();
    EXPECT_EQ(HostSimKeynoteLiveDocumentCount(), 0);
    EXPECT_EQ(SendToKeynote(b, "CheckVersion:512"), 0);
}

TEST_F(KeynoteStandInTest, FlatObjectsTakeTheFaceNormalAtEveryCorner) {
    XSRecord xs = Create(Load(FoldScene(0)));
    ASSERT_NE(xs, nullptr);
    XSRecord object = XSObjectAt(xs, 0);
    for (int i = 0; i < 3; ++i) {
        ExpectPoint(XSObjectFace(object, 0).cornerNormal[i], 0, 0, -1);
        ExpectPoint(XSObjectFace(object, 1).cornerNormal[i], -1, 0, 0);
    }
}

TEST_F(KeynoteStandInTest, SmoothObjectsAverageTheFacesAroundAVertex) {
    XSRecord xs = Create(Load(FoldScene(1)));
    ASSERT_NE(xs, nullptr);
    XSRecord object = XSObjectAt(xs, 0);
    const float h = 1.0f / sqrtf(2.0f);
    XSFace f0 = XSObjectFace(object, 0);
    XSFace f1 = XSObjectFace(object, 1);
    ExpectPoint(f0.cornerNormal[0], -h, 0, -h); // vertex 0, shared
    ExpectPoint(f0.cornerNormal[1], 0, 0, -1);  // vertex 1, face 0 only
    ExpectPoint(f0.cornerNormal[2], -h, 0, -h); // vertex 2, shared
    ExpectPoint(f1.cornerNormal[1], -h, 0, -h);
    ExpectPoint(f1.cornerNormal[2], -1, 0, 0); // vertex 3, face 1 only
}

TEST_F(KeynoteStandInTest, GivenNormalsWinAndLineFacesGetNone) {
    XSRecord xs = Create(Load(FoldScene(
        1, R"(, {"points": [1,3]}, {"points": [1,2,3], "normals": [[1,0,0],[0,1,0],[0,0,2]]})")));
    ASSERT_NE(xs, nullptr);
    XSRecord object = XSObjectAt(xs, 0);
    XSFace line = XSObjectFace(object, 2);
    XSFace given = XSObjectFace(object, 3);
    EXPECT_EQ(line.pointCount, 2);
    // A two-point face has no face normal of its own; its corners take the
    // smooth vertex normals of the faces around them.
    ExpectPoint(line.cornerNormal[1], XSObjectFace(object, 1).cornerNormal[2].x,
                XSObjectFace(object, 1).cornerNormal[2].y,
                XSObjectFace(object, 1).cornerNormal[2].z);
    ExpectPoint(given.cornerNormal[0], 1, 0, 0);
    ExpectPoint(given.cornerNormal[2], 0, 0, 2); // as given, not normalised
    // Its own face normal, (-1, -1, -1) normalised, still counts at vertex 1,
    // which face 0 (normal (0, 0, -1)) shares.
    const float a = 1.0f / sqrtf(3.0f);
    const float length = sqrtf(a * a + a * a + (1.0f + a) * (1.0f + a));
    ExpectPoint(XSObjectFace(object, 0).cornerNormal[1], -a / length, -a / length,
                -(1.0f + a) / length);
}

TEST_F(KeynoteStandInTest, WithoutBonesReadsThemFromTheBoneObject) {
    // Two bones drawn as the importer draws them: A at the origin along x; B
    // off A's axis, turned so that its first axis is z, linked to A's head.
    HostDocument scene = Load(R"({"materials": [{"name": "A", "bumpMap": "0:0:0"},
                                                {"name": "B", "bumpMap": "1:7:2"}],
        "objects": [{"name": "bone:x", "keynote": false,
            "vertices": [[5,0,0],[0,1,0],[0,0,0],[0,0,15],[0,1,10],[0,0,10]],
            "faces": [{"points": [2,0,1], "material": 0}, {"points": [5,0], "material": 1},
                      {"points": [5,3,4], "material": 1}]}]})");
    XSRecord xs = Create(scene);
    ASSERT_EQ(XSBoneCount(xs), 2);
    XSBone a = ReadXSBone(XSBoneAt(xs, 0));
    XSBone b = ReadXSBone(XSBoneAt(xs, 1));
    EXPECT_STREQ(b.name, "B");
    EXPECT_STREQ(b.tag, "1:7:2");
    EXPECT_EQ(a.parent, nullptr);
    EXPECT_EQ(b.parent, XSBoneAt(xs, 0));
    ExpectPoint(b.position, 0, 0, 10);
    // The exporter's AxisTurn x bind gives the drawn axes back as rows.
    Matrix4 turn, world;
    ComposeTransform(TransformParts{{1, 1, 1}, {-90, 0, 0}, {0, 0, 0}}, &turn);
    MultiplyMatrix4(&world, &turn, &b.bind);
    ExpectPoint(Point3{world.m[0], world.m[1], world.m[2]}, 0, 0, 1);
    ExpectPoint(Point3{world.m[4], world.m[5], world.m[6]}, 0, 1, 0);
    ExpectPoint(Point3{world.m[8], world.m[9], world.m[10]}, -1, 0, 0);
    MultiplyMatrix4(&world, &turn, &a.bind);
    ExpectPoint(Point3{world.m[0], world.m[1], world.m[2]}, 1, 0, 0);
    EXPECT_EQ(SendToKeynote(scene, "DeleteXSDocument"), 0);
}

} // namespace
