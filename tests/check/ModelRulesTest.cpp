// Each rule over a model broken once in a ped that keeps every other rule:
// the check reports exactly that rule, where it stands.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>

#include "check/ClumpRules.h"
#include "check/FrameRules.h"
#include "tests/check/CheckTestSupport.h"
#include "tests/check/PedRecords.h"

namespace {

using Ids = std::vector<std::string>;

const TextureNames kBody = NamesOf({"Body"});

FindingList Check(const PedRecords& ped, const TextureNames* names = &kBody) {
    return CheckModelBytes(PedBytes(ped), names);
}

} // namespace

TEST(ModelRules, TheWholePedKeepsEveryRule) {
    PedRecords ped;
    MakePed(&ped);
    FindingList list = Check(ped);
    EXPECT_EQ(RuleIds(list), Ids{});
    EXPECT_EQ(list.errors + list.warnings, 0u);
}

TEST(ModelRules, FrameNameOf24BytesOverrunsItsSlot) {
    PedRecords ped;
    MakePed(&ped);
    strcpy(ped.frames.extensions[3].name, "abcdefghijklmnopqrstuvw"); // 23: kept
    strcpy(ped.frames.extensions[5].name, "abcdefghijklmnopqrstuvwx");
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"frame-name-length"});
    EXPECT_EQ(list.items[0].severity, Severity::kError);
    EXPECT_EQ(list.items[0].frame, 5);
    EXPECT_EQ(list.items[0].value, 24);
    EXPECT_EQ(list.items[0].limit, 23);
    EXPECT_STREQ(list.items[0].name, "abcdefghijklmnopqrstuvwx");
}

TEST(ModelRules, FrameSectionLongerThanItsTextCounts) {
    // A short name padded with zeros: the game copies the section's bytes.
    MemoryStream s;
    SectionStack stack;
    BeginSection(s, stack, kSectionFrameList);
    BeginSection(s, stack, kSectionStruct);
    WriteI32(s, 1);
    WriteFrameRecord(s, FrameRecord{{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}, -1, 3});
    EndSection(s, stack);
    BeginSection(s, stack, kSectionExtension);
    char padded[24] = "Pelvis";
    WriteSection(s, kSectionFrame, padded, sizeof padded);
    EndSection(s, stack);
    EndSection(s, stack);
    SectionCursor c;
    ASSERT_TRUE(OpenSectionCursor(c, s));
    FrameListRecord frames;
    ASSERT_EQ(ReadFrameListStruct(c, &frames).result, FrameListResult::kOk);
    ASSERT_EQ(ReadFrameExtensions(c, &frames).result, FrameListResult::kOk);
    FindingList list;
    CheckFrameList(frames, list);
    ASSERT_EQ(RuleIds(list), Ids{"frame-name-length"});
    EXPECT_EQ(list.items[0].value, 24);
    EXPECT_STREQ(list.items[0].name, "Pelvis");
}

TEST(ModelRules, HAnimVersionOtherThan0x100) {
    PedRecords ped;
    MakePed(&ped);
    ped.frames.extensions[4].hanim.header.version = 0x101;
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"hanim-version"});
    EXPECT_EQ(list.items[0].frame, 4);
    EXPECT_EQ(list.items[0].value, 0x101);
}

TEST(ModelRules, HierarchyAndSkinCountBonesAlike) {
    PedRecords ped;
    MakePed(&ped);
    ped.skin.boneCount = 31; // the weights use bones 0 to 2 only
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"hanim-bone-count"});
    EXPECT_EQ(list.items[0].severity, Severity::kError);
    EXPECT_EQ(list.items[0].frame, 1);
    EXPECT_EQ(list.items[0].value, 32);
    EXPECT_EQ(list.items[0].limit, 31);
}

TEST(ModelRules, PedWithoutABoneTheGameLooksUp) {
    std::vector<int32_t> ids = PedBoneIds();
    ids.erase(std::find(ids.begin(), ids.end(), 43));
    ids.erase(std::find(ids.begin(), ids.end(), 201)); // not looked up: no finding
    PedRecords ped;
    MakePed(&ped, ids);
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"ped-bone-missing"});
    EXPECT_EQ(list.items[0].severity, Severity::kWarning);
    EXPECT_EQ(list.items[0].nodeId, 43);
}

TEST(ModelRules, BoneIdOutsideThePedSkeleton) {
    std::vector<int32_t> ids = PedBoneIds();
    ids.push_back(99);
    PedRecords ped;
    MakePed(&ped, ids);
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"bone-id-unknown"});
    EXPECT_EQ(list.items[0].nodeId, 99);
    EXPECT_EQ(list.items[0].frame, 33);
    EXPECT_STREQ(list.items[0].name, "bone33");
}

TEST(ModelRules, MoreThan64Bones) {
    std::vector<int32_t> ids = PedBoneIds();
    for (int32_t id = 1000; ids.size() < 65; ++id)
        ids.push_back(id);
    PedRecords ped;
    MakePed(&ped, ids);
    // Only the hierarchy names the extra ids; their frames are ped bones.
    for (int32_t i = 33; i <= 65; ++i)
        ped.frames.extensions[static_cast<size_t>(i)].hanim.header.nodeId = 0;
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"bone-limit"});
    EXPECT_EQ(list.items[0].value, 65);
    EXPECT_EQ(list.items[0].limit, 64);
}

TEST(ModelRules, VertexWhoseWeightsSumToZero) {
    PedRecords ped;
    MakePed(&ped);
    ped.skin.weights[4] = 0.0f; // vertex 1; bone 0 keeps vertex 0
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"weight-sum-zero"});
    EXPECT_EQ(list.items[0].vertex, 1);
    EXPECT_EQ(list.items[0].count, 1u);
}

TEST(ModelRules, WeightOnABonePastTheSkin) {
    PedRecords ped;
    MakePed(&ped);
    ped.skin.boneIndices[4 * 1] = 40; // vertex 1, of 32 bones; bone 0 keeps vertex 0
    // The used-bone list names it too, so that it agrees with the weights.
    ped.skin.usedBoneCount = 4;
    ped.skin.usedBoneIndices.Allocate(4);
    const uint8_t used[4] = {0, 1, 2, 40};
    memcpy(ped.skin.usedBoneIndices.Data(), used, sizeof used);
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"weight-bone-range"});
    EXPECT_EQ(list.items[0].vertex, 1);
    EXPECT_EQ(list.items[0].bone, 40);
    EXPECT_EQ(list.items[0].limit, 32);
}

TEST(ModelRules, MaxWeightsFieldDisagreesWithTheWeights) {
    PedRecords ped;
    MakePed(&ped);
    ped.skin.maxWeightsPerVertex = 4;
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"skin-max-weights"});
    EXPECT_EQ(list.items[0].value, 4);
    EXPECT_EQ(list.items[0].limit, 2);
}

TEST(ModelRules, UsedBoneListLeavesAWeightedBoneOut) {
    PedRecords ped;
    MakePed(&ped);
    ped.skin.usedBoneIndices[1] = 5; // 0, 5, 2 for 0, 1, 2
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"skin-used-bones"});
    EXPECT_EQ(list.items[0].bone, 1);
    EXPECT_EQ(list.items[0].value, 3);
    EXPECT_EQ(list.items[0].limit, 3);
}

TEST(ModelRules, MoreVerticesThan16BitIndicesReach) {
    PedRecords ped;
    MakePed(&ped);
    ResizePedVertices(&ped, 65536);
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"vertex-limit"});
    EXPECT_EQ(list.items[0].value, 65536);
}

TEST(ModelRules, TriangleNamesAVertexPastTheGeometry) {
    PedRecords ped;
    MakePed(&ped);
    ped.geometry.triangles[1].cornerB = 9;
    ped.binMesh.meshes[0].indices[4] = 9;
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"vertex-index-range"});
    EXPECT_EQ(list.items[0].value, 9);
    EXPECT_EQ(list.items[0].count, 2u);
    EXPECT_EQ(list.items[0].limit, 4);
}

TEST(ModelRules, SkinnedGeometryWithoutNormals) {
    // The flag alone, as some writers leave it, stores no normals either.
    for (uint16_t flags : {kGeometryPositions | kGeometryTextured | kGeometryLight,
                           kGeometryPositions | kGeometryTextured | kGeometryNormals}) {
        PedRecords ped;
        MakePed(&ped);
        ped.geometry.header.formatFlags = flags;
        ped.geometry.morphTarget.hasNormals = 0;
        ped.geometry.normals.Release();
        FindingList list = Check(ped);
        ASSERT_EQ(RuleIds(list), Ids{"no-normals"});
        EXPECT_EQ(list.items[0].severity, Severity::kWarning);
        EXPECT_EQ(list.items[0].geometry, 0);
    }
}

TEST(ModelRules, SkinnedAtomicWithoutRightToRender) {
    PedRecords ped;
    MakePed(&ped);
    ped.atomic.rightToRender.extraData = 0;
    EXPECT_EQ(RuleIds(Check(ped)), Ids{"right-to-render"});
    ped.atomic.hasRightToRender = false;
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"right-to-render"});
    EXPECT_EQ(list.items[0].atomic, 0);
}

TEST(ModelRules, AtomicNamesAGeometryPastTheList) {
    PedRecords ped;
    MakePed(&ped);
    ped.atomic.atomic.geometryIndex = 1;
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"atomic-index-range"});
    EXPECT_EQ(list.items[0].geometry, 1);
    EXPECT_EQ(list.items[0].limit, 1);
}

TEST(ModelRules, TextureNameOf32CharactersNeverMatches) {
    PedRecords ped;
    MakePed(&ped);
    const char* name = "abcdefghijklmnopqrstuvwxyz012345";
    strcpy(ped.materials.materials[0].textureName, name);
    const TextureNames names = NamesOf({"Body", name}); // cut to 31 in the dictionary
    FindingList list = Check(ped, &names);
    ASSERT_EQ(RuleIds(list), Ids{"texture-name-length"});
    EXPECT_EQ(list.items[0].material, 0);
    EXPECT_EQ(list.items[0].value, 32);
    EXPECT_EQ(list.items[0].limit, 31);
}

TEST(ModelRules, MaskNameOf32Characters) {
    PedRecords ped;
    MakePed(&ped);
    strcpy(ped.materials.materials[0].maskName, "abcdefghijklmnopqrstuvwxyz012345");
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"mask-name-length"});
    EXPECT_EQ(list.items[0].severity, Severity::kWarning);
    EXPECT_STREQ(list.items[0].name, "abcdefghijklmnopqrstuvwxyz012345");
}

TEST(ModelRules, TextureTheDictionaryLacks) {
    PedRecords ped;
    MakePed(&ped);
    const TextureNames others = NamesOf({"head", "bodyx"});
    FindingList list = Check(ped, &others);
    ASSERT_EQ(RuleIds(list), Ids{"texture-missing"});
    EXPECT_EQ(list.items[0].material, 0);
    EXPECT_STREQ(list.items[0].name, "body");
    // Without a dictionary nothing can be missing.
    EXPECT_EQ(RuleIds(Check(ped, nullptr)), Ids{});
}

TEST(ModelRules, CutFileIsDamaged) {
    PedRecords ped;
    MakePed(&ped);
    std::vector<uint8_t> bytes = PedBytes(ped);
    bytes.resize(bytes.size() - 20);
    FindingList list = CheckModelBytes(bytes, &kBody);
    ASSERT_EQ(RuleIds(list), Ids{"file-damaged"});
    EXPECT_EQ(list.items[0].offset, 0u);
    EXPECT_EQ(list.items[0].section, kSectionClump);
}

TEST(ModelRules, DamageInsideTheFrameListStopsTheClump) {
    PedRecords ped;
    MakePed(&ped);
    ped.frames.extensions[2].hanim.header.nodeCount = 1000; // no node records follow
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"file-damaged"});
    EXPECT_EQ(list.items[0].frame, 2);
    EXPECT_NE(strstr(list.items[0].detail, "HAnim"), nullptr);
}

TEST(ModelRules, TriangleStripsAreNotChecked) {
    PedRecords ped;
    MakePed(&ped);
    ped.geometry.header.formatFlags |= kGeometryTristrip;
    FindingList list = Check(ped);
    ASSERT_EQ(RuleIds(list), Ids{"not-checked"});
    EXPECT_EQ(list.items[0].severity, Severity::kWarning);
}

TEST(ModelRules, RecordsAboutToBeWrittenMeetTheRulesTheirFileMeets) {
    PedRecords ped;
    MakePed(&ped);
    const ClumpRecords records{&ped.frames,  &ped.geometry, &ped.materials,
                               &ped.binMesh, &ped.skin,     &ped.atomic};
    FindingList clean;
    CheckClumpRecords(records, &kBody, clean);
    EXPECT_EQ(RuleIds(clean), Ids{});
    strcpy(ped.frames.extensions[2].name, "a name longer than the slot");
    ped.skin.maxWeightsPerVertex = 3;
    ped.atomic.hasRightToRender = false;
    FindingList list;
    CheckClumpRecords(records, &kBody, list);
    EXPECT_EQ(RuleIds(list), (Ids{"frame-name-length", "skin-max-weights", "right-to-render"}));
    EXPECT_EQ(RuleIds(list), RuleIds(Check(ped)));
}
