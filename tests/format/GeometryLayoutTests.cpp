// The geometry's sections both ways: hand-laid bytes read into records, and
// the records written back to the same bytes.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "format/GeometryLayout.h"
#include "tests/format/TestStreams.h"

namespace {

void AppendF32(std::vector<uint8_t>& bytes, float v) {
    uint32_t bits;
    memcpy(&bits, &v, sizeof bits);
    AppendU32(bytes, bits);
}

void AppendFloats(std::vector<uint8_t>& bytes, std::initializer_list<float> values) {
    for (float v : values)
        AppendF32(bytes, v);
}

// Opens a cursor over bytes and enters their first section, of type.
void Enter(MemoryStream& in, SectionCursor& c, uint32_t type) {
    ASSERT_TRUE(OpenSectionCursor(c, in));
    ASSERT_TRUE(FindChildSection(c, type));
}

} // namespace

TEST(GeometryLayout, GoldenStructWithPrelitTexturedNormalsBothWays) {
    std::vector<uint8_t> golden;
    AppendHeader(golden, kSectionStruct, 156);
    AppendU32(golden, 0x0001003E); // positions, textured, prelit, normals, light; 1 set
    AppendU32(golden, 1);          // triangles
    AppendU32(golden, 3);          // vertices
    AppendU32(golden, 1);          // morph targets
    for (uint32_t rgba : {0xFF0000FFu, 0xFF00FF00u, 0x80FF0000u})
        AppendU32(golden, rgba);
    AppendFloats(golden, {0, 0, 1, 0, 0, 1});
    AppendU32(golden, 0x00000001); // corner B 1, corner A 0
    AppendU32(golden, 0x00020000); // material 0, corner C 2
    AppendFloats(golden, {0, 0, 0, 1.5f});
    AppendU32(golden, 1);
    AppendU32(golden, 1);
    AppendFloats(golden, {0, 0, 0, 1, 0, 0, 0, 1, 0});
    AppendFloats(golden, {0, 0, 1, 0, 0, 1, 0, 0, -1});
    ASSERT_EQ(golden.size(), 12u + 156u);

    MemoryStream in(golden.data(), golden.size());
    SectionCursor c;
    Enter(in, c, kSectionStruct);
    GeometryRecord r;
    ASSERT_EQ(ReadGeometryStruct(c, 65535, &r), GeometryReadResult::kOk);
    EXPECT_EQ(SectionBytesLeft(c), 0u);
    EXPECT_EQ(r.header.vertexCount, 3);
    ASSERT_EQ(r.prelitColours.Count(), 3u);
    EXPECT_EQ(r.prelitColours[2], 0x80FF0000u);
    ASSERT_EQ(r.texCoords.Count(), 6u);
    EXPECT_EQ(r.texCoords[5], 1.0f);
    ASSERT_EQ(r.triangles.Count(), 1u);
    EXPECT_EQ(r.triangles[0].cornerA, 0);
    EXPECT_EQ(r.triangles[0].cornerB, 1);
    EXPECT_EQ(r.triangles[0].cornerC, 2);
    EXPECT_EQ(r.morphTarget.sphere[3], 1.5f);
    ASSERT_EQ(r.positions.Count(), 9u);
    EXPECT_EQ(r.positions[7], 1.0f);
    ASSERT_EQ(r.normals.Count(), 9u);
    EXPECT_EQ(r.normals[8], -1.0f);

    MemoryStream out;
    ASSERT_TRUE(WriteGeometryStruct(out, r));
    EXPECT_EQ(out.Data(), golden);
}

TEST(GeometryLayout, GoldenMaterialListWithTexturedMaterialBothWays) {
    std::vector<uint8_t> golden;
    AppendHeader(golden, kSectionMaterialList, 160);
    AppendHeader(golden, kSectionStruct, 8);
    AppendU32(golden, 1);
    AppendU32(golden, 0xFFFFFFFF);
    AppendHeader(golden, kSectionMaterial, 128);
    AppendHeader(golden, kSectionStruct, 28);
    AppendU32(golden, 0);
    AppendU32(golden, 0xFF1E140A); // R 10, G 20, B 30, A 255
    AppendU32(golden, 4);
    AppendU32(golden, 1);
    AppendFloats(golden, {1.0f, 0.0f, 1.0f});
    AppendHeader(golden, kSectionTexture, 64);
    AppendHeader(golden, kSectionStruct, 4);
    AppendU32(golden, 0x00011106);
    AppendHeader(golden, kSectionString, 8);
    golden.insert(golden.end(), {'s', 'k', 'i', 'n', 0, 0, 0, 0});
    AppendHeader(golden, kSectionString, 4);
    AppendU32(golden, 0);
    AppendHeader(golden, kSectionExtension, 0);
    AppendHeader(golden, kSectionExtension, 0);
    ASSERT_EQ(golden.size(), 12u + 160u);

    MemoryStream in(golden.data(), golden.size());
    SectionCursor c;
    Enter(in, c, kSectionMaterialList);
    MaterialListRecord r;
    ASSERT_EQ(ReadMaterialList(c, &r), MaterialReadResult::kOk);
    ASSERT_EQ(r.count, 1);
    ASSERT_GE(r.materials.Count(), 1u);
    const MaterialRecord& m = r.materials[0];
    EXPECT_TRUE(m.present && m.hasStruct && m.hasTexture);
    EXPECT_EQ(m.values.colour[2], 30);
    EXPECT_EQ(m.values.isTextured, 1);
    EXPECT_STREQ(m.textureName, "skin");

    MemoryStream out;
    ASSERT_TRUE(WriteMaterialListSection(out, r));
    EXPECT_EQ(out.Data(), golden);
}

TEST(GeometryLayout, GoldenBinMeshBothWays) {
    std::vector<uint8_t> golden;
    AppendHeader(golden, kSectionBinMeshPlg, 52);
    for (uint32_t v : {0u, 2u, 6u, 3u, 0u, 2u, 1u, 0u, 3u, 1u, 0u, 2u, 3u})
        AppendU32(golden, v);

    MemoryStream in(golden.data(), golden.size());
    SectionCursor c;
    Enter(in, c, kSectionBinMeshPlg);
    BinMeshRecord r;
    ASSERT_EQ(ReadBinMeshPlg(c, 2, 2, &r), BinMeshReadResult::kOk);
    EXPECT_EQ(r.totalIndexCount, 6u);
    ASSERT_EQ(r.meshes.Count(), 2u);
    EXPECT_EQ(r.meshes[1].materialIndex, 1u);
    ASSERT_EQ(r.meshes[1].indices.Count(), 3u);
    EXPECT_EQ(r.meshes[1].indices[2], 3u);

    MemoryStream out;
    ASSERT_TRUE(WriteBinMeshSection(out, r));
    EXPECT_EQ(out.Data(), golden);
}
