// The mesh placed in its bones by the geometry's skin, on ped-like models.
#include <math.h>
#include <string.h>

#include <algorithm>

#include "frame/DialogIds.h"
#include "tests/import/ImportFixture.h"
#include "tests/import/PedModel.h"

namespace {

constexpr float kScale = 1.0f; // the fixture imports at scale 1

// The joint of every bone lies inside the box of the vertices weighted
// mostly to that bone.
void ExpectJointsInsideTheirVertices(const HostSimObject& mesh, const HostSimObject& bones,
                                     const PedModel& ped) {
    for (size_t b = 0; b < ped.joints.size(); ++b) {
        Point3 lo = {1e30f, 1e30f, 1e30f}, hi = {-1e30f, -1e30f, -1e30f};
        for (size_t k = 0; k < ped.mainBone.size(); ++k) {
            if (ped.mainBone[k] != static_cast<int>(b))
                continue;
            const Point3& p = mesh.vertices[k];
            lo = Point3{fminf(lo.x, p.x), fminf(lo.y, p.y), fminf(lo.z, p.z)};
            hi = Point3{fmaxf(hi.x, p.x), fmaxf(hi.y, p.y), fmaxf(hi.z, p.z)};
        }
        // The bone's triangle is its b-th, its joint the triangle's first point.
        const HostSimFace* triangle = nullptr;
        int seen = 0;
        for (const HostSimFace& f : bones.faces)
            if (f.pointCount == 3 && seen++ == static_cast<int>(b))
                triangle = &f;
        ASSERT_NE(triangle, nullptr);
        const Point3& j = bones.vertices[static_cast<size_t>(triangle->points[0])];
        EXPECT_TRUE(j.x > lo.x && j.x < hi.x && j.y > lo.y && j.y < hi.y && j.z > lo.z &&
                    j.z < hi.z)
            << "bone " << b << " joint " << j.x << " " << j.y << " " << j.z;
    }
}

TEST_F(ImportTest, SkinPlacesThePedWhereTheGameShowsIt) {
    for (int32_t atomicFrame : {0, 1}) {
        ResetDocument();
        PedModel ped = MakePedModel(atomicFrame);
        ASSERT_EQ(Import(BuildDff({ped.clump})), 1);
        EXPECT_TRUE(messages_.empty());
        const HostSimObject* mesh = Object("sdef:player");
        const HostSimObject* bones = Object("bone:player");
        ASSERT_NE(mesh, nullptr);
        ASSERT_NE(bones, nullptr);
        ASSERT_EQ(mesh->vertices.size(), ped.shown.size());
        for (size_t k = 0; k < ped.shown.size(); ++k) {
            EXPECT_NEAR(mesh->vertices[k].x, ped.shown[k].x * kScale, 1e-3f) << k;
            EXPECT_NEAR(mesh->vertices[k].y, ped.shown[k].y * kScale, 1e-3f) << k;
            EXPECT_NEAR(mesh->vertices[k].z, ped.shown[k].z * kScale, 1e-3f) << k;
        }
        ExpectJointsInsideTheirVertices(*mesh, *bones, ped);
    }
}

TEST_F(ImportTest, ResetPoseKeepsTheMeshInItsBones) {
    PedModel ped = MakePedModel(1);
    script_.clicks.push_back(kIdResetPose);
    ASSERT_EQ(Import(BuildDff({ped.clump})), 1);
    const HostSimObject* mesh = Object("sdef:player");
    const HostSimObject* bones = Object("bone:player");
    ASSERT_NE(mesh, nullptr);
    ASSERT_NE(bones, nullptr);
    ExpectJointsInsideTheirVertices(*mesh, *bones, ped);
    // The pelvis' rotation was rewritten: the mesh moved with it.
    // The head's vertices are far from where the stored pose shows them.
    EXPECT_GT(fabsf(mesh->vertices[40].x - ped.shown[40].x) +
                  fabsf(mesh->vertices[40].y - ped.shown[40].y) +
                  fabsf(mesh->vertices[40].z - ped.shown[40].z),
              0.1f);
}

TEST_F(ImportTest, UnusableSkinFallsBackToTheFrameTwoRepose) {
    PedModel ped = MakePedModel(0);
    ped.clump.geometry.skin.indices[0] = 200; // a weighted bone past the bones
    ASSERT_EQ(Import(BuildDff({ped.clump})), 1);
    const HostSimObject* mesh = Object("sdef:player");
    ASSERT_NE(mesh, nullptr);
    // Re-posed about frame 2's matrix, not placed: vertex 0 is not where the game shows it.
    EXPECT_GT(fabsf(mesh->vertices[0].y - ped.shown[0].y), 0.01f);
    // The unused vertex with NaN coordinates sits at the origin either way.
    const Point3& last = mesh->vertices.back();
    EXPECT_EQ(last.x, 0.0f);
    EXPECT_EQ(last.y, 0.0f);
    EXPECT_EQ(last.z, 0.0f);
}

TEST_F(ImportTest, PeerWritersFilesImportWithTheirSkeleton) {
    // librw writes flag 0 on every frame: the root without HAnim PLG is still not a bone.
    for (const char* file : {"dragonff_tri_2bones.dff", "librw_rewrite_of_dragonff_tri.dff"}) {
        ResetDocument();
        messages_.clear();
        ASSERT_EQ(ImportPath(std::string(PEER_DATA_DIR "/") + file), 1) << file;
        EXPECT_TRUE(messages_.empty()) << file;
        EXPECT_NE(Material("Root"), nullptr) << file;
        EXPECT_NE(Material("Bone1"), nullptr) << file;
        std::string stem(file, strlen(file) - 4);
        const HostSimObject* bones = Object(("bone:" + stem).c_str());
        ASSERT_NE(bones, nullptr) << file;
        EXPECT_EQ(bones->faces.size() -
                      static_cast<size_t>(
                          std::count_if(bones->faces.begin(), bones->faces.end(),
                                        [](const HostSimFace& f) { return f.pointCount == 2; })),
                  2u)
            << file;
    }
}

} // namespace
