// The reader and the checks alone, without a host: how far they got when a
// failure stopped them, which the builders build up to.
#include <gtest/gtest.h>

#include "Plugins/Import/ClumpRead.h"
#include "Plugins/Import/ClumpValidation.h"
#include "tests/import/DffBuilder.h"

namespace {

void ReadModel(const std::vector<uint8_t>& bytes, ClumpModel* model) {
    MemoryStream stream(bytes.data(), bytes.size());
    SectionCursor cursor;
    ASSERT_TRUE(OpenSectionCursor(cursor, stream));
    ReadChosenClump(cursor, 0, false, model);
    ValidateClump(model);
}

// Frames: the root, then the bones Root, Pelvis and Spine; Spine loses its name.
TestClump ClumpWithoutSpineName() {
    TestClump clump = MakeSimpleClump();
    clump.frames[3].writeName = false;
    return clump;
}

TEST(ClumpReadTest, FailureInTheFrameListRecordsTheFrameItStoppedAt) {
    ClumpModel model;
    ReadModel(BuildDff({ClumpWithoutSpineName()}), &model);
    EXPECT_EQ(model.stage, ClumpStage::kBones);
    EXPECT_EQ(model.stopFrame, 3);
    EXPECT_EQ(model.result.problem, ImportProblem::kMissingSection);
    EXPECT_EQ(model.result.section, ImportSection::kFrame);
    // The bones before it found their nodes; the geometry is whole and split.
    EXPECT_EQ(model.bones.tags[2].index, 1);
    EXPECT_EQ(model.bones.tags[2].nodeId, 101);
    EXPECT_EQ(model.geometry.splitTriangles, 2u);
}

TEST(ClumpReadTest, BadParentComesBeforeALaterReadFailure) {
    TestClump clump = ClumpWithoutSpineName();
    clump.frames[2].parent = 3; // 2 -> 3 -> 2
    ClumpModel model;
    ReadModel(BuildDff({clump}), &model);
    EXPECT_EQ(model.stage, ClumpStage::kFrameParents);
    EXPECT_EQ(model.result.corrupt, ImportCorrupt::kFrameParent);
    EXPECT_EQ(model.result.index, 2);
}

} // namespace
