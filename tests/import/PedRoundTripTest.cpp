// A game-like ped through the whole command: import with --scene, export the
// scene unchanged, and compare the model written with the one read.
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <string>

#include "tests/import/ModelRead.h"
#include "tests/import/PedModel.h"

namespace {

std::string Folder() {
    char pattern[] = "/tmp/skelvane-ped-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made != nullptr ? made : "";
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

int Run(const std::string& arguments) {
    std::string command = std::string(SKELVANE_COMMAND) + " " + arguments + " 2>&1";
    return system(command.c_str());
}

// The angle in degrees between two rotations given as row-major 3x3.
double AngleBetween(const float* a, const float* b) {
    double trace = 0;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            trace += static_cast<double>(a[3 * r + c]) * b[3 * r + c];
    double cosine = fmax(-1.0, fmin(1.0, (trace - 1.0) / 2.0));
    return acos(cosine) * 180.0 / M_PI;
}

double Distance(const Point3& a, const Point3& b) {
    return sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// Every used vertex of one list has a vertex of the other within tolerance.
void ExpectSameShownMesh(const ReadModel& a, const ReadModel& b, double tolerance) {
    std::vector<Point3> shownA = ShownPositions(a), shownB = ShownPositions(b);
    for (int pass = 0; pass < 2; ++pass) {
        const ReadModel& from = pass == 0 ? a : b;
        const std::vector<Point3>& fromShown = pass == 0 ? shownA : shownB;
        const std::vector<Point3>& toShown = pass == 0 ? shownB : shownA;
        const ReadModel& to = pass == 0 ? b : a;
        for (size_t k = 0; k < fromShown.size(); ++k) {
            if (!from.used[k])
                continue;
            double best = 1e30;
            for (size_t j = 0; j < toShown.size(); ++j)
                if (to.used[j])
                    best = fmin(best, Distance(fromShown[k], toShown[j]));
            EXPECT_LT(best, tolerance) << "pass " << pass << " vertex " << k;
        }
    }
}

// Each bone's joint lies inside the box of the shown vertices weighted most
// to it.
void ExpectJointsInsideTheirVertices(const ReadModel& model) {
    std::vector<Point3> shown = ShownPositions(model);
    std::vector<Matrix4> globals = FrameGlobals(model);
    std::vector<size_t> nodeFrame = NodeFrames(model);
    for (size_t b = 0; b < nodeFrame.size(); ++b) {
        Point3 lo = {1e30f, 1e30f, 1e30f}, hi = {-1e30f, -1e30f, -1e30f};
        for (size_t k = 0; k < shown.size(); ++k) {
            const float* w = &model.skin.weights[4 * k];
            int best = 0;
            for (int slot = 1; slot < 4; ++slot)
                best = w[slot] > w[best] ? slot : best;
            if (!model.used[k] || model.skin.boneIndices[4 * k + static_cast<size_t>(best)] != b)
                continue;
            lo = Point3{fminf(lo.x, shown[k].x), fminf(lo.y, shown[k].y), fminf(lo.z, shown[k].z)};
            hi = Point3{fmaxf(hi.x, shown[k].x), fmaxf(hi.y, shown[k].y), fmaxf(hi.z, shown[k].z)};
        }
        const float* j = &globals[nodeFrame[b]].m[12];
        EXPECT_TRUE(j[0] > lo.x && j[0] < hi.x && j[1] > lo.y && j[1] < hi.y && j[2] > lo.z &&
                    j[2] < hi.z)
            << "bone " << b;
    }
}

void ExpectPedComesBack(int32_t atomicFrame, const char* extra) {
    std::string folder = Folder();
    ASSERT_FALSE(folder.empty());
    std::string dff = folder + "/ped.dff";
    PedModel ped = MakePedModel(atomicFrame);
    WriteBytes(dff, BuildDff({ped.clump}));
    ASSERT_EQ(Run("import " + dff + " -o " + folder + "/ped.mqo --scene " + folder + "/ped.json " +
                  extra),
              0);
    ASSERT_EQ(Run("export " + folder + "/ped.json -o " + folder + "/back.dff"), 0);
    ReadModel before, after;
    ASSERT_TRUE(ReadModelFile(dff, &before));
    ASSERT_TRUE(ReadModelFile(folder + "/back.dff", &after));
    ASSERT_EQ(after.frames.size(), before.frames.size());
    for (size_t i = 0; i < before.frames.size(); ++i) {
        const ReadFrame& x = before.frames[i];
        const ReadFrame& y = after.frames[i];
        EXPECT_EQ(y.name, x.name) << i;
        EXPECT_EQ(y.record.parentIndex, x.record.parentIndex) << i;
        EXPECT_EQ(y.record.matrixFlags, x.record.matrixFlags) << i;
        EXPECT_EQ(y.hasHAnim, x.hasHAnim) << i;
        EXPECT_EQ(y.hanim.nodeId, x.hanim.nodeId) << i;
        EXPECT_EQ(y.hanim.nodeCount, x.hanim.nodeCount) << i;
        ASSERT_EQ(y.nodes.size(), x.nodes.size()) << i;
        for (size_t k = 0; k < x.nodes.size(); ++k) {
            EXPECT_EQ(y.nodes[k].nodeId, x.nodes[k].nodeId);
            EXPECT_EQ(y.nodes[k].nodeIndex, x.nodes[k].nodeIndex);
            EXPECT_EQ(y.nodes[k].nodeFlags, x.nodes[k].nodeFlags);
        }
        if (*extra == '\0') {
            EXPECT_LT(AngleBetween(x.record.rotation, y.record.rotation), 0.5) << x.name;
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(y.record.position[c], x.record.position[c], 0.001) << x.name;
        }
    }
    if (*extra == '\0')
        ExpectSameShownMesh(before, after, 0.002);
    ExpectJointsInsideTheirVertices(after);
    std::string cleanup = "rm -rf " + folder;
    EXPECT_EQ(system(cleanup.c_str()), 0);
}

TEST(PedRoundTrip, AtomicOnTheClumpRoot) {
    ExpectPedComesBack(0, "");
}

TEST(PedRoundTrip, AtomicOnRoot) {
    ExpectPedComesBack(1, "");
}

TEST(PedRoundTrip, ResetPoseKeepsNamesAndNumbers) {
    ExpectPedComesBack(1, "--reset-pose");
}

} // namespace
