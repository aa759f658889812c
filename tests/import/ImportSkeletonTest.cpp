// The bone object, the bone materials, the pose reset and the re-pose.
#include "frame/DialogIds.h"
#include "tests/import/DffBuilder.h"
#include "tests/import/ImportFixture.h"

namespace {

void ExpectNear(const Point3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-5f);
    EXPECT_NEAR(p.y, y, 1e-5f);
    EXPECT_NEAR(p.z, z, 1e-5f);
}

int TwoPointFaces(const HostSimObject* o) {
    int n = 0;
    for (const HostSimFace& f : o->faces)
        n += f.pointCount == 2 ? 1 : 0;
    return n;
}

TEST_F(ImportTest, BoneMaterialsCarryNamesAndHAnimTags) {
    ASSERT_EQ(Import(BuildDff({MakeSimpleClump()})), 1);
    const char* names[] = {"Root", "Pelvis", "Spine"};
    for (int i = 0; i < 3; ++i) {
        const HostSimMaterial* m = Material(names[i]);
        ASSERT_NE(m, nullptr) << names[i];
        EXPECT_EQ(m->bumpName, std::to_string(i) + ":" + std::to_string(100 + i) + ":0");
        EXPECT_EQ(m->shader, 1);
        EXPECT_EQ(m->vertexColor, 0);
        EXPECT_FLOAT_EQ(m->alpha, 0.49f);
        EXPECT_FLOAT_EQ(m->emission, 1.0f);
        EXPECT_FLOAT_EQ(m->power, 5.0f);
        EXPECT_GE(m->color.r, 0.0f);
        EXPECT_LT(m->color.r, 1.0f);
    }
    // Bone materials come after the mesh's own.
    EXPECT_EQ(MaterialCount(), 5);
    const HostSimObject* bones = Object("bone:player");
    ASSERT_NE(bones, nullptr);
    EXPECT_EQ(bones->shading, 0);
    EXPECT_EQ(bones->colorType, 1);
    EXPECT_FLOAT_EQ(bones->color.g, 0.7f);
}

TEST_F(ImportTest, CollinearChainSharesJoints) {
    script_.clicks.push_back(kIdResetPose);
    ASSERT_EQ(Import(BuildDff({MakeSimpleClump()})), 1);
    const HostSimObject* bones = Object("bone:player");
    ASSERT_NE(bones, nullptr);
    // Root's reset rotation turns its x axis onto z: the chain runs along z,
    // each child's joint is its parent's head.
    EXPECT_EQ(bones->faces.size(), 3u);
    EXPECT_EQ(TwoPointFaces(bones), 0);
    EXPECT_EQ(bones->vertices.size(), 7u);
    // Root: head (moved onto Pelvis' joint), side, joint.
    ExpectNear(bones->vertices[0], 0, 0, 0.5f);
    ExpectNear(bones->vertices[2], 0, 0, 0);
    // Spine's head lies 0.05 along its x axis from its joint at z = 1.
    ExpectNear(bones->vertices[5], 0, 0, 1.05f);
}

TEST_F(ImportTest, OffAxisChildGetsItsOwnJointAndLink) {
    TestClump clump = MakeClumpWithBones({"Hip", "Leg"});
    clump.frames[2].parent = 1;
    clump.frames[2].position[1] = 0.5f; // along the parent's y axis
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    const HostSimObject* bones = Object("bone:player");
    ASSERT_NE(bones, nullptr);
    EXPECT_EQ(bones->faces.size(), 3u);
    EXPECT_EQ(TwoPointFaces(bones), 1);
    EXPECT_EQ(bones->vertices.size(), 6u);
    ExpectNear(bones->vertices[0], 0.05f, 0, 0); // Hip's head stays
}

TEST_F(ImportTest, ScaledBoneShapeOfFrameAtOrigin) {
    script_.mantissaText = "1";
    script_.exponentText = "2";
    ASSERT_EQ(Import(BuildDff({MakeClumpWithBones({"Head"})})), 1);
    const HostSimObject* bones = Object("bone:player");
    ASSERT_NE(bones, nullptr);
    ASSERT_EQ(bones->vertices.size(), 3u);
    ExpectNear(bones->vertices[0], 5, 0, 0); // head
    ExpectNear(bones->vertices[1], 0, 1, 0); // side
    ExpectNear(bones->vertices[2], 0, 0, 0); // joint
}

TEST_F(ImportTest, PoseResetMatchesNamesIgnoringCaseOnly) {
    TestClump clump = MakeClumpWithBones({"ROOT", "pelvis", " Pelvis"});
    for (int i = 1; i <= 3; ++i)
        clump.frames[static_cast<size_t>(i)].rotation[0] = 2.0f; // scale 2 along x
    script_.clicks.push_back(kIdResetPose);
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    const HostSimObject* bones = Object("bone:player");
    ASSERT_NE(bones, nullptr);
    // ROOT: rotation (90, 0, 90) with its scale kept: the head goes along z.
    ExpectNear(bones->vertices[0], 0, 0, 0.1f);
    // pelvis (no leading space) is not reset: the head stays along x.
    ExpectNear(bones->vertices[3], 0.1f, 0, 0);
    // " Pelvis" is reset to no rotation, keeping its scale.
    ExpectNear(bones->vertices[6], 0.1f, 0, 0);
}

TEST_F(ImportTest, MeshIsReposedByFrameTwo) {
    TestClump clump = MakeSimpleClump(); // frame 2 stands at (0.5, 0, 0)
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    ExpectNear(mesh->vertices[1], 1.5f, 0, 0);
    ExpectNear(mesh->vertices[2], 0.5f, 1, 0);
}

TEST_F(ImportTest, MissingNodeIdNamesTheFrame) {
    TestClump clump = MakeSimpleClump();
    clump.frames[3].nodeId = 7;
    EXPECT_EQ(Import(BuildDff({clump})), 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "対応ボーンが見つかりません。\nSpine");
    // The mesh stays, unmoved; the bone object is not added.
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    EXPECT_FLOAT_EQ(mesh->vertices[1].x, 1.0f);
    EXPECT_EQ(Object("bone:player"), nullptr);
}

TEST_F(ImportTest, BoneBeforeHierarchyIsRefusedSoundly) {
    TestClump clump = MakeSimpleClump();
    std::swap(clump.frames[1].hierarchy, clump.frames[2].hierarchy);
    EXPECT_EQ(Import(BuildDff({clump})), 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "対応ボーンが見つかりません。\nRoot");
}

TEST_F(ImportTest, FewerThanThreeFramesKeepTheMeshInPlace) {
    TestClump clump = MakeClumpWithBones({"Only"});
    ASSERT_EQ(Import(BuildDff({clump})), 1);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    ExpectNear(mesh->vertices[1], 1, 0, 0);
}

TEST_F(ImportTest, ParentCycleIsReportedNotFollowed) {
    TestClump clump = MakeSimpleClump();
    clump.frames[1].parent = 3; // 1 -> 3 -> 2 -> 1
    EXPECT_EQ(Import(BuildDff({clump})), 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].rfind("ファイルが破損しています。\n", 0), 0u) << messages_[0];
    EXPECT_EQ(Object("bone:player"), nullptr);
}

TEST_F(ImportTest, ParentOutsideTheListIsReported) {
    TestClump clump = MakeSimpleClump();
    clump.frames[2].parent = 4;
    EXPECT_EQ(Import(BuildDff({clump})), 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("フレーム 2 の親"), std::string::npos) << messages_[0];
}

} // namespace
