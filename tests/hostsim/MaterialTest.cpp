#include <string.h>

#include <string>

#include "tests/hostsim/HostSimFixture.h"

namespace {

using MaterialTest = HostSimFixture;

TEST_F(MaterialTest, SurfaceValuesRoundTrip) {
    HostMaterial mat = MQ_CreateMaterial();
    ColorRGB color = {0.25f, 0.5f, 0.75f};
    MQMat_SetColor(mat, &color);
    MQMat_SetAlpha(mat, 0.49f);
    MQMat_SetDiffuse(mat, 0.1f);
    MQMat_SetAmbient(mat, 0.2f);
    MQMat_SetEmission(mat, 0.3f);
    MQMat_SetSpecular(mat, 0.4f);
    MQMat_SetPower(mat, 12.5f);
    ColorRGB back = {};
    MQMat_GetColor(mat, &back);
    EXPECT_EQ(back.r, 0.25f);
    EXPECT_EQ(back.g, 0.5f);
    EXPECT_EQ(back.b, 0.75f);
    EXPECT_EQ(MQMat_GetAlpha(mat), 0.49f);
    EXPECT_EQ(MQMat_GetDiffuse(mat), 0.1f);
    EXPECT_EQ(MQMat_GetAmbient(mat), 0.2f);
    EXPECT_EQ(MQMat_GetEmission(mat), 0.3f);
    EXPECT_EQ(MQMat_GetSpecular(mat), 0.4f);
    EXPECT_EQ(MQMat_GetPower(mat), 12.5f);
}

TEST_F(MaterialTest, NamesAreCopiedAndReadIntoBoundedBuffers) {
    HostMaterial mat = MQ_CreateMaterial();
    MQMat_SetName(mat, "player_0");
    MQMat_SetTextureName(mat, "skin.png");
    MQMat_SetAlphaName(mat, "skin_a.png");
    MQMat_SetBumpName(mat, "3:12:0");
    char buffer[64];
    MQMat_GetName(mat, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "player_0");
    MQMat_GetTextureName(mat, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "skin.png");
    MQMat_GetAlphaName(mat, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "skin_a.png");
    MQMat_GetBumpName(mat, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "3:12:0");

    std::string longName(100, 'n');
    MQMat_SetTextureName(mat, longName.c_str());
    char bounded[70];
    memset(bounded, '#', sizeof bounded);
    MQMat_GetTextureName(mat, bounded, 64);
    EXPECT_EQ(strlen(bounded), 63u);
    EXPECT_EQ(bounded[64], '#');

    MQMat_SetTextureName(mat, nullptr);
    MQMat_GetTextureName(mat, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, ""); // no texture reads as empty
    buffer[0] = 'k';
    MQMat_GetName(mat, buffer, 0); // no room: untouched
    EXPECT_EQ(buffer[0], 'k');
}

TEST_F(MaterialTest, ShaderAndVertexColourAttributes) {
    HostMaterial mat = MQ_CreateMaterial();
    EXPECT_EQ(MQMat_GetIntValue(mat, kMaterialShader), 3);
    MQMat_SetIntValue(mat, kMaterialShader, 1);
    MQMat_SetIntValue(mat, kMaterialVertexColor, 1);
    EXPECT_EQ(MQMat_GetIntValue(mat, kMaterialShader), 1);
    EXPECT_EQ(MQMat_GetIntValue(mat, kMaterialVertexColor), 1);
    MQMat_SetIntValue(mat, kMaterialShader, 4);
    EXPECT_EQ(MQMat_GetIntValue(mat, kMaterialShader), 4);
}

TEST_F(MaterialTest, DeleteReleasesOnlyUnownedMaterials) {
    HostMaterial kept = MQ_CreateMaterial();
    HostMaterial dropped = MQ_CreateMaterial();
    EXPECT_EQ(HostSimUnownedMaterialCount(), 2);
    MQDoc_AddMaterial(doc, kept);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 1);
    MQMat_Delete(dropped);
    MQMat_Delete(kept);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 0);
    EXPECT_EQ(HostSimFindMaterial(dropped), nullptr);
    EXPECT_EQ(MQDoc_GetMaterial(doc, 0), kept);
    EXPECT_NE(HostSimFindMaterial(kept), nullptr);
}

} // namespace
