// The whole export through the plug-in's exports: Keynote's answers, the
// dialog, and the layout of the file it writes.
#include <math.h>

#include "format/ByteStream.h"
#include "frame/DialogIds.h"
#include "hostsim/HostSim.h"
#include "hostsim/KeynoteStandIn.h"
#include "tests/export/ExportDriverFixture.h"

namespace {

const char* kTriangle = "[[0, 0, 0], [1, 0, 0], [0, 1, 0]]";
const char* kTriangleFace =
    "[{\"points\": [0, 1, 2], \"material\": 0, \"uv\": [[0, 0], [1, 0], [0, 1]], "
    "\"normals\": [[0, 0, -1], [0, 0, -1], [0, 0, -1]]}]";
const char* kOneMaterial = "[{\"name\": \"m\", \"color\": [1.0, 0.5, 0.999], \"alpha\": 1.0, "
                           "\"texture\": \"tex\\\\abcd.png\", \"alphaMap\": \"\"}]";

std::string OneBone() {
    return "[" + BoneText("Root", "0:0:0", "null", 1, 2, 3) + "]";
}

constexpr uint32_t kClump = kSectionClump, kStruct = kSectionStruct, kExt = kSectionExtension;

TEST_F(ExportDriverTest, KeynoteMissingStopsBeforeAnyFile) {
    ASSERT_TRUE(harness_.WriteFile("out.dff", {7, 7}));
    EXPECT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, OneBone(),
                               "{\"present\": false}")),
              0);
    ASSERT_EQ(harness_.messages.size(), 1u);
    EXPECT_EQ(harness_.messages[0], "Keynoteが見つかりません。");
    EXPECT_FALSE(harness_.outcome.shown);
    EXPECT_EQ(Output(), std::vector<uint8_t>({7, 7}));
}

TEST_F(ExportDriverTest, RefusedVersionStopsWithItsMessage) {
    EXPECT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, OneBone(),
                               "{\"present\": true, \"versionAnswer\": -1}")),
              0);
    ASSERT_EQ(harness_.messages.size(), 1u);
    EXPECT_EQ(harness_.messages[0], "ドキュメントがKeynoteの未対応のバージョンです。");
    EXPECT_FALSE(harness_.outcome.shown);
}

TEST_F(ExportDriverTest, CancelLeavesAnExistingFileAlone) {
    ASSERT_TRUE(harness_.WriteFile("out.dff", {1, 2, 3}));
    harness_.script.cancel = true;
    EXPECT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, OneBone())), 1);
    EXPECT_TRUE(harness_.messages.empty());
    EXPECT_EQ(Output(), std::vector<uint8_t>({1, 2, 3}));
}

TEST_F(ExportDriverTest, OtherFileTypeIndexDoesNothing) {
    std::string error;
    EXPECT_EQ(plugin_->MQExportFile(1, harness_.PathOf("out.dff").c_str(), 0), 0);
    EXPECT_FALSE(harness_.outcome.shown);
    EXPECT_TRUE(harness_.messages.empty());
    EXPECT_TRUE(Output().empty());
}

TEST_F(ExportDriverTest, UnwritableFileIsReported) {
    EXPECT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, OneBone()),
                     "missing-folder/out.dff"),
              0);
    ASSERT_EQ(harness_.messages.size(), 1u);
    EXPECT_EQ(harness_.messages[0], "DFF ファイルの作成に失敗しました。");
}

TEST_F(ExportDriverTest, OneBoneTriangleFileLayout) {
    ASSERT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, OneBone())), 1);
    // No ped, and no weights given: the notice names both, as a warning.
    EXPECT_EQ(harness_.messages,
              std::vector<std::string>({NoticeText({ZeroWeightLine(3, 0), kRootOnlyPedLine})}));
    EXPECT_EQ(harness_.styles, std::vector<uint32_t>({0x30}));
    std::vector<uint8_t> f = Output();
    ASSERT_GT(f.size(), 12u);
    // The clump spans the file and ends with an empty Extension.
    EXPECT_EQ(U32At(f, 4), f.size() - 12);
    const uint8_t tail[12] = {3, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 3, 0x18};
    EXPECT_EQ(std::vector<uint8_t>(f.end() - 12, f.end()), std::vector<uint8_t>(tail, tail + 12));
    SectionSpan clumpStruct = FindSection(f, {{kClump}, {kStruct}});
    ASSERT_EQ(clumpStruct.size, 12u);
    EXPECT_EQ(U32At(f, clumpStruct.offset), 1u);

    SectionSpan frames = FindSection(f, {{kClump}, {kSectionFrameList}, {kStruct}});
    ASSERT_EQ(frames.size, 4u + 2 * 56);
    uint32_t root = frames.offset + 4, bone = root + 56;
    EXPECT_EQ(U32At(f, root + 48), 0xFFFFFFFFu);
    EXPECT_EQ(U32At(f, root + 52), 0x00020003u);
    // The bone's frame: the quarter turn's rotation at its position.
    const float turn[9] = {0, 0, -1, 0, 1, 0, 1, 0, 0};
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(F32At(f, bone + 4 * i), turn[i], 1e-6f) << i;
    EXPECT_FLOAT_EQ(F32At(f, bone + 36), 1.0f);
    EXPECT_FLOAT_EQ(F32At(f, bone + 40), 2.0f);
    EXPECT_FLOAT_EQ(F32At(f, bone + 44), 3.0f);
    EXPECT_EQ(U32At(f, bone + 48), 0u);
    EXPECT_EQ(U32At(f, bone + 52), 3u);
    EXPECT_EQ(FindSection(f, {{kClump}, {kSectionFrameList}, {kExt}}).size, 0u);
    SectionSpan hanim =
        FindSection(f, {{kClump}, {kSectionFrameList}, {kExt, 1}, {kSectionHAnimPlg}});
    EXPECT_EQ(hanim.size, 32u);
    EXPECT_EQ(U32At(f, hanim.offset + 8), 1u);   // node count
    EXPECT_EQ(U32At(f, hanim.offset + 16), 36u); // key frame size
    SectionSpan name = FindSection(f, {{kClump}, {kSectionFrameList}, {kExt, 1}, {kSectionFrame}});
    ASSERT_EQ(name.size, 4u);
    EXPECT_EQ(std::string(f.begin() + name.offset, f.begin() + name.offset + 4), "Root");

    SectionSpan g =
        FindSection(f, {{kClump}, {kSectionGeometryList}, {kSectionGeometry}, {kStruct}});
    ASSERT_TRUE(g.found);
    EXPECT_EQ(U32At(f, g.offset), 0x00010036u);
    EXPECT_EQ(U32At(f, g.offset + 4), 1u); // triangles
    EXPECT_EQ(U32At(f, g.offset + 8), 3u); // vertices
    uint32_t triangle = g.offset + 16 + 3 * 8;
    EXPECT_EQ(U32At(f, triangle), 0x00020001u);     // B = corner 1, A = corner 2
    EXPECT_EQ(U32At(f, triangle + 4), 0x00000000u); // material 0, C = corner 0
    EXPECT_NEAR(F32At(f, triangle + 8 + 12), sqrtf(2.0f), 1e-6f);
    uint32_t normals = triangle + 8 + 24 + 3 * 12;
    EXPECT_FLOAT_EQ(F32At(f, normals + 8), -1.0f);

    SectionSpan material = FindSection(f, {{kClump},
                                           {kSectionGeometryList},
                                           {kSectionGeometry},
                                           {kSectionMaterialList},
                                           {kSectionMaterial},
                                           {kStruct}});
    ASSERT_EQ(material.size, 28u);
    EXPECT_EQ(U32At(f, material.offset + 4), 0xFFFF80FFu); // 1.0, 0.5, 0.999, alpha 1.0
    EXPECT_EQ(U32At(f, material.offset + 12), 1u);
    SectionSpan texture = FindSection(f, {{kClump},
                                          {kSectionGeometryList},
                                          {kSectionGeometry},
                                          {kSectionMaterialList},
                                          {kSectionMaterial},
                                          {kSectionTexture},
                                          {kSectionString}});
    ASSERT_EQ(texture.size, 8u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&f[texture.offset])), "abcd");

    std::vector<PathStep> extension = {
        {kClump}, {kSectionGeometryList}, {kSectionGeometry}, {kExt}};
    std::vector<PathStep> binMeshPath = extension;
    binMeshPath.push_back({kSectionBinMeshPlg});
    SectionSpan binMesh = FindSection(f, binMeshPath);
    ASSERT_EQ(binMesh.size, 12u + 8 + 12);
    EXPECT_EQ(U32At(f, binMesh.offset + 20), 2u);
    EXPECT_EQ(U32At(f, binMesh.offset + 28), 0u);
    std::vector<PathStep> skinPath = extension;
    skinPath.push_back({kSectionSkinPlg});
    SectionSpan skin = FindSection(f, skinPath);
    ASSERT_EQ(skin.size, 4u + 65 + 60 + 12);
    EXPECT_EQ(U32At(f, skin.offset), 0x00030101u);
    // The inverse bind matrix undoes the bone's model-space matrix.
    uint32_t inverse = skin.offset + 4 + 1 + 60;
    const float world[16] = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 2, 3, 1};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += world[r * 4 + k] * F32At(f, inverse + 4 * (k * 4 + c));
            EXPECT_NEAR(sum, r == c ? 1.0f : 0.0f, 1e-5f) << r << "," << c;
        }
    std::vector<PathStep> breakablePath = extension;
    breakablePath.push_back({kSectionBreakable});
    EXPECT_EQ(FindSection(f, breakablePath).size, 4u);

    SectionSpan atomic = FindSection(f, {{kClump}, {kSectionAtomic}, {kStruct}});
    ASSERT_EQ(atomic.size, 16u);
    EXPECT_EQ(U32At(f, atomic.offset + 8), 5u);
    SectionSpan render =
        FindSection(f, {{kClump}, {kSectionAtomic}, {kExt}, {kSectionRightToRender}});
    ASSERT_EQ(render.size, 8u);
    EXPECT_EQ(U32At(f, render.offset), 0x116u);
    EXPECT_EQ(U32At(f, render.offset + 4), 1u);
}

TEST_F(ExportDriverTest, HierarchyAndInverseMatricesFollowTagIndex) {
    std::string bones = "[" + BoneText("C", "2:12:0", "null", 30, 0, 0) + ", " +
                        BoneText("A", "0:10:0", "null", 10, 0, 0) + ", " +
                        BoneText("B", "1:11:1", "null", 20, 0, 0) + "]";
    ASSERT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, bones)), 1);
    std::vector<uint8_t> f = Output();
    SectionSpan hanim =
        FindSection(f, {{kClump}, {kSectionFrameList}, {kExt, 1}, {kSectionHAnimPlg}});
    ASSERT_EQ(hanim.size, 20u + 3 * 12);
    EXPECT_EQ(U32At(f, hanim.offset + 4), 12u); // the first listed bone's own node id
    for (uint32_t k = 0; k < 3; ++k) {
        EXPECT_EQ(U32At(f, hanim.offset + 20 + 12 * k), 10 + k);
        EXPECT_EQ(U32At(f, hanim.offset + 24 + 12 * k), k);
        EXPECT_EQ(U32At(f, hanim.offset + 28 + 12 * k), k == 1 ? 1u : 0u);
    }
    // Later bone frames carry a bare 12-byte header.
    EXPECT_EQ(FindSection(f, {{kClump}, {kSectionFrameList}, {kExt, 2}, {kSectionHAnimPlg}}).size,
              12u);
    SectionSpan skin = FindSection(
        f, {{kClump}, {kSectionGeometryList}, {kSectionGeometry}, {kExt}, {kSectionSkinPlg}});
    ASSERT_TRUE(skin.found);
    // Matrix k inverts the world of the bone tagged k: its translation row
    // brings that bone's position (10, 20, 30 along x) back to the origin.
    for (uint32_t k = 0; k < 3; ++k) {
        uint32_t m = skin.offset + 4 + 3 + 60 + 64 * k;
        float x = 10.0f * static_cast<float>(k + 1);
        // Row 3 of the inverse: -position x rotation^T; the turn maps x to -z.
        float tx = F32At(f, m + 48), ty = F32At(f, m + 52), tz = F32At(f, m + 56);
        EXPECT_NEAR(x * F32At(f, m + 0) + tx, 0.0f, 1e-4f) << k;
        EXPECT_NEAR(x * F32At(f, m + 4) + ty, 0.0f, 1e-4f) << k;
        EXPECT_NEAR(x * F32At(f, m + 8) + tz, 0.0f, 1e-4f) << k;
    }
}

TEST_F(ExportDriverTest, MissingTagIndexLeavesTheEarlierFileAndNothingElse) {
    ASSERT_TRUE(harness_.WriteFile("out.dff", {7, 7}));
    // The dictionary is not written for a model that was not.
    harness_.script.clicks = {kIdWriteTextureDictionary};
    ASSERT_TRUE(harness_.WriteFile("out.txd", {8}));
    std::string bones = "[" + BoneText("A", "0:10:0", "null", 0, 0, 0) + ", " +
                        BoneText("B", "0:11:0", "null", 0, 0, 0) + "]";
    EXPECT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, bones)), 0);
    ASSERT_EQ(harness_.messages.size(), 1u);
    EXPECT_EQ(harness_.messages[0], "ボーン1の対応ボーンが見つかりません。");
    EXPECT_EQ(Output(), std::vector<uint8_t>({7, 7}));
    EXPECT_EQ(Output("out.txd"), std::vector<uint8_t>({8}));
    // No temporary file is left behind.
    EXPECT_EQ(harness_.Files(), std::vector<std::string>({"out.dff", "out.txd"}));
}

TEST_F(ExportDriverTest, ModelNamedLikeItsDictionaryIsRefused) {
    ASSERT_TRUE(harness_.WriteFile("m.TXD", {7}));
    harness_.script.clicks = {kIdWriteTextureDictionary};
    EXPECT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, OneBone()), "m.TXD"), 0);
    ASSERT_EQ(harness_.messages.size(), 1u);
    EXPECT_EQ(harness_.messages[0], "TXD ファイルが DFF ファイルと同じ名前になります。");
    EXPECT_EQ(harness_.Files(), std::vector<std::string>({"m.TXD"}));
    EXPECT_EQ(Output("m.TXD"), std::vector<uint8_t>({7}));
}

TEST_F(ExportDriverTest, TexturesThatCannotBeLoadedAreNamedInOneNoticeAndLeftOut) {
    const char* twoFaces =
        "[{\"points\": [0, 1, 2], \"material\": 0, \"uv\": [[0, 0], [1, 0], [0, 1]]}, "
        "{\"points\": [2, 1, 0], \"material\": 1, \"uv\": [[0, 0], [1, 0], [0, 1]]}]";
    const char* twoMaterials = "[{\"name\": \"a\", \"color\": [1, 1, 1], \"texture\": "
                               "\"tex\\\\abcd.png\"}, {\"name\": \"b\", \"color\": [1, 1, 1], "
                               "\"texture\": \"lost.bmp\"}]";
    harness_.script.clicks = {kIdWriteTextureDictionary};
    ASSERT_EQ(Export(SceneText(kTriangle, twoFaces, twoMaterials, OneBone())), 1);
    // Both in the one notice shown once the files are written.
    EXPECT_EQ(harness_.messages,
              std::vector<std::string>({NoticeText(
                  {"画像を読み込めないためテクスチャを書き出せませんでした: tex\\abcd.png",
                   "画像を読み込めないためテクスチャを書き出せませんでした: lost.bmp",
                   ZeroWeightLine(6, 0), kRootOnlyPedLine})}));
    EXPECT_EQ(harness_.Files(), std::vector<std::string>({"out.dff", "out.txd"}));
    EXPECT_EQ(Output("out.txd").size(), 40u); // the dictionary without textures
}

TEST_F(ExportDriverTest, FacesWithoutMaterialShareOneWhiteMaterial) {
    const char* face = "[{\"points\": [0, 1, 2], \"material\": -1}]";
    ASSERT_EQ(Export(SceneText(kTriangle, face, kOneMaterial, OneBone())), 1);
    std::vector<uint8_t> f = Output();
    SectionSpan list = FindSection(
        f,
        {{kClump}, {kSectionGeometryList}, {kSectionGeometry}, {kSectionMaterialList}, {kStruct}});
    ASSERT_EQ(list.size, 8u);
    EXPECT_EQ(U32At(f, list.offset), 1u);
    std::vector<PathStep> material = {{kClump},
                                      {kSectionGeometryList},
                                      {kSectionGeometry},
                                      {kSectionMaterialList},
                                      {kSectionMaterial}};
    std::vector<PathStep> materialStruct = material;
    materialStruct.push_back({kStruct});
    SectionSpan s = FindSection(f, materialStruct);
    EXPECT_EQ(U32At(f, s.offset + 4), 0xFFFFFFFFu);
    EXPECT_EQ(U32At(f, s.offset + 12), 0u);
    material.push_back({kSectionTexture});
    EXPECT_FALSE(FindSection(f, material).found);
}

TEST_F(ExportDriverTest, GroundingMovesEverythingAlongXByTheLowestY) {
    harness_.script.clicks = {1018};
    const char* vertices = "[[0, -5, 0], [1, -5, 0], [0, 1, 0]]";
    ASSERT_EQ(Export(SceneText(vertices, kTriangleFace, kOneMaterial, OneBone())), 1);
    std::vector<uint8_t> f = Output();
    SectionSpan g =
        FindSection(f, {{kClump}, {kSectionGeometryList}, {kSectionGeometry}, {kStruct}});
    ASSERT_TRUE(g.found);
    uint32_t positions = g.offset + 16 + 3 * 8 + 8 + 24;
    // Lowest y -5 plus 1.05 in file units: every x grows by 3.95, y stays.
    EXPECT_FLOAT_EQ(F32At(f, positions), 3.95f);
    EXPECT_FLOAT_EQ(F32At(f, positions + 4), -5.0f);
    EXPECT_FLOAT_EQ(F32At(f, positions + 12), 4.95f);
}

TEST_F(ExportDriverTest, ScaleOfZeroWithGroundingWritesZerosNotNaN) {
    harness_.script.clicks = {kIdGroundModel};
    harness_.script.mantissaText = "0";
    const char* vertices = "[[0, -5, 0], [1, -5, 0], [0, 1, 0]]";
    ASSERT_EQ(Export(SceneText(vertices, kTriangleFace, kOneMaterial, OneBone())), 1);
    std::vector<uint8_t> f = Output();
    SectionSpan g =
        FindSection(f, {{kClump}, {kSectionGeometryList}, {kSectionGeometry}, {kStruct}});
    ASSERT_TRUE(g.found);
    uint32_t positions = g.offset + 16 + 3 * 8 + 8 + 24;
    for (uint32_t i = 0; i < 9; ++i)
        EXPECT_EQ(F32At(f, positions + 4 * i), 0.0f) << i;
    SectionSpan frames = FindSection(f, {{kClump}, {kSectionFrameList}, {kStruct}});
    EXPECT_EQ(F32At(f, frames.offset + 4 + 56 + 36), 0.0f);
}

TEST_F(ExportDriverTest, InfiniteNumbersAreRefusedAndNothingIsWritten) {
    harness_.script.exponentText = "60";
    EXPECT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, OneBone())), 0);
    ASSERT_EQ(harness_.messages.size(), 1u);
    EXPECT_EQ(harness_.messages[0], "出力する数値が有効な範囲を超えています。");
    EXPECT_TRUE(harness_.Files().empty());
}

TEST_F(ExportDriverTest, ScaleMultipliesPositionsNotNormals) {
    harness_.script.mantissaText = "1";
    harness_.script.exponentText = "3";
    ASSERT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, OneBone())), 1);
    std::vector<uint8_t> f = Output();
    SectionSpan g =
        FindSection(f, {{kClump}, {kSectionGeometryList}, {kSectionGeometry}, {kStruct}});
    uint32_t positions = g.offset + 16 + 3 * 8 + 8 + 24;
    EXPECT_FLOAT_EQ(F32At(f, positions + 12), 1000.0f);
    EXPECT_FLOAT_EQ(F32At(f, positions + 36 + 8), -1.0f);
}

TEST_F(ExportDriverTest, MoreThan255BonesAreRefused) {
    std::string bones = "[";
    for (int i = 0; i < 256; ++i) {
        std::string tag = std::to_string(i) + ":" + std::to_string(i) + ":0";
        bones += (i ? ", " : "") + BoneText("b", tag.c_str(), "null", 0, 0, 0);
    }
    bones += "]";
    EXPECT_EQ(Export(SceneText(kTriangle, kTriangleFace, kOneMaterial, bones)), 0);
    ASSERT_EQ(harness_.messages.size(), 1u);
    EXPECT_EQ(harness_.messages[0], "ボーンの数が255を超えています。");
}

} // namespace
