#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "scene/FixedText.h"
#include "scene/MqoWriter.h"
#include "tests/hostsim/HostSimFixture.h"

namespace {

using MqoWriterTest = HostSimFixture;

std::string Fixed(float value, int decimals) {
    std::string out;
    AppendFixed(out, value, decimals);
    return out;
}

TEST(FixedTextTest, PlainDecimalsWithoutNegativeZeroOrExponent) {
    EXPECT_EQ(Fixed(1.5f, 4), "1.5000");
    EXPECT_EQ(Fixed(-1.23456f, 4), "-1.2346");
    EXPECT_EQ(Fixed(-0.00004f, 4), "0.0000");
    EXPECT_EQ(Fixed(-0.0f, 3), "0.000");
    EXPECT_EQ(Fixed(0.00001f, 5), "0.00001");
    EXPECT_EQ(Fixed(0.9996f, 3), "1.000");
    EXPECT_EQ(Fixed(123456792.0f, 4), "123456792.0000");
    EXPECT_EQ(Fixed(-1e20f, 2), "-100000002004087734272.00");
    EXPECT_EQ(Fixed(7.0f, 0), "7");
    EXPECT_EQ(Fixed(NAN, 3), "0.000");
    EXPECT_EQ(Fixed(-INFINITY, 1), "0.0");
}

// A value exactly halfway between two texts is rounded away from zero, not
// to the even digit.
TEST(FixedTextTest, TiesRoundAwayFromZero) {
    EXPECT_EQ(Fixed(0.03125f, 4), "0.0313");
    EXPECT_EQ(Fixed(-0.03125f, 4), "-0.0313");
    EXPECT_EQ(Fixed(0.015625f, 5), "0.01563");
    EXPECT_EQ(Fixed(2.5f, 0), "3");
    EXPECT_EQ(Fixed(-0.5f, 0), "-1");
    EXPECT_EQ(Fixed(0.125f, 2), "0.13");
    EXPECT_EQ(Fixed(0.0000049999997f, 5), "0.00000");
}

// A bone-like material whose name is Shift-JIS bytes.
const char kSjisName[] = "\x83\x7B\x81\x5B\x83\x93";

void BuildTinyDocument(HostDocument doc) {
    HostMaterial body = MQ_CreateMaterial();
    MQMat_SetName(body, "body");
    ColorRGB color = {1.0f, 0.5f, 0.25f};
    MQMat_SetColor(body, &color);
    MQMat_SetIntValue(body, kMaterialVertexColor, 1);
    MQMat_SetTextureName(body, "skin.png");
    MQDoc_AddMaterial(doc, body);

    HostMaterial bone = MQ_CreateMaterial();
    MQMat_SetName(bone, kSjisName);
    MQMat_SetIntValue(bone, kMaterialShader, 1);
    MQMat_SetAlpha(bone, 0.49f);
    MQMat_SetDiffuse(bone, 0.0f);
    MQMat_SetAmbient(bone, 0.0f);
    MQMat_SetEmission(bone, 1.0f);
    MQMat_SetBumpName(bone, "1:2:0");
    MQDoc_AddMaterial(doc, bone);

    HostObject mesh = MQ_CreateObject();
    MQObj_SetName(mesh, "sdef:player");
    MQObj_SetSmoothAngle(mesh, 180.0f);
    Point3 points[3] = {{0, 0, 0}, {1.5f, -0.00001f, 2.25f}, {-3, 12345.678f, 0.00006f}};
    for (Point3 p : points) {
        MQObj_AddVertex(mesh, &p);
    }
    int32_t triangle[3] = {0, 1, 2};
    int32_t face = MQObj_AddFace(mesh, 3, triangle);
    MQObj_SetFaceMaterial(mesh, face, 0);
    TexCoord uv[3] = {{0, 1}, {0.5f, 0.25f}, {1, 0}};
    MQObj_SetFaceCoordinateArray(mesh, face, uv);
    MQObj_SetFaceVertexColor(mesh, face, 1, 0x80FF2010u);
    int32_t line[2] = {2, 0};
    MQObj_AddFace(mesh, 2, line);
    MQDoc_AddObject(doc, mesh);

    HostObject bones = MQ_CreateObject();
    MQObj_SetName(bones, "bone:player");
    MQObj_SetVisible(bones, -1);
    MQObj_SetShading(bones, 0);
    MQDoc_AddObject(doc, bones);
    MQObj_SetIntValue(bones, kObjectColorType, 1);
    const float boneColor[3] = {1.0f, 0.7f, 0.2f};
    MQObj_SetFloatArray(bones, kObjectColor, boneColor);
}

const char kTinyDocument[] =
    "Metasequoia Document\r\n"
    "Format Text Ver 1.0\r\n"
    "\r\n"
    "Scene {\r\n"
    "\tpos 0.0000 0.0000 1500.0000\r\n"
    "\tlookat 0.0000 0.0000 0.0000\r\n"
    "\thead -0.5236\r\n"
    "\tpich 0.5236\r\n"
    "\tortho 0\r\n"
    "\tzoom2 5.0000\r\n"
    "\tamb 0.250 0.250 0.250\r\n"
    "}\r\n"
    "Material 2 {\r\n"
    "\t\"body\" shader(3) vcol(1) col(1.000 0.500 0.250 1.000) dif(0.800) amb(0.600) emi(0.000)"
    " spc(0.000) power(5.00) tex(\"skin.png\")\r\n"
    "\t\"\x83\x7B\x81\x5B\x83\x93\" shader(1) vcol(0) col(1.000 1.000 1.000 0.490) dif(0.000)"
    " amb(0.000) emi(1.000) spc(0.000) power(5.00) bump(\"1:2:0\")\r\n"
    "}\r\n"
    "Object \"sdef:player\" {\r\n"
    "\tdepth 0\r\n"
    "\tvisible 15\r\n"
    "\tlocking 0\r\n"
    "\tshading 1\r\n"
    "\tfacet 180.0\r\n"
    "\tcolor 0.898 0.498 0.698\r\n"
    "\tcolor_type 0\r\n"
    "\tmirror 0\r\n"
    "\tlathe 0\r\n"
    "\tvertex 3 {\r\n"
    "\t\t0.0000 0.0000 0.0000\r\n"
    "\t\t1.5000 0.0000 2.2500\r\n"
    "\t\t-3.0000 12345.6777 0.0001\r\n"
    "\t}\r\n"
    "\tface 2 {\r\n"
    "\t\t3 V(0 1 2) M(0) UV(0.00000 1.00000 0.50000 0.25000 1.00000 0.00000)"
    " COL(4294967295 2164203536 4294967295)\r\n"
    "\t\t2 V(2 0) UV(0.00000 0.00000 0.00000 0.00000)\r\n"
    "\t}\r\n"
    "}\r\n"
    "Object \"bone:player\" {\r\n"
    "\tdepth 0\r\n"
    "\tvisible 15\r\n"
    "\tlocking 0\r\n"
    "\tshading 0\r\n"
    "\tfacet 59.5\r\n"
    "\tcolor 1.000 0.700 0.200\r\n"
    "\tcolor_type 1\r\n"
    "\tmirror 0\r\n"
    "\tlathe 0\r\n"
    "\tvertex 0 {\r\n"
    "\t}\r\n"
    "\tface 0 {\r\n"
    "\t}\r\n"
    "}\r\n"
    "Eof\r\n";

TEST_F(MqoWriterTest, TinyDocumentGivesTheExpectedText) {
    BuildTinyDocument(doc);
    EXPECT_EQ(HostSimMqoText(doc), kTinyDocument);
}

TEST_F(MqoWriterTest, DocumentWithoutMaterialsHasNoMaterialChunk) {
    HostObject obj = MQ_CreateObject();
    MQObj_SetName(obj, "empty");
    MQDoc_AddObject(doc, obj);
    std::string text = HostSimMqoText(doc);
    EXPECT_EQ(text.find("Material"), std::string::npos);
    EXPECT_NE(text.find("}\r\nObject \"empty\" {\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 5), "Eof\r\n");
}

// Texture coordinates come back from recently written text: values that share
// a place in it, repeated and interleaved, must each keep their own text.
TEST_F(MqoWriterTest, EveryTextureCoordinateKeepsItsOwnText) {
    HostObject mesh = MQ_CreateObject();
    Point3 p = {0, 0, 0};
    MQObj_AddVertex(mesh, &p);
    std::string expected;
    uint32_t seed = 1;
    for (int f = 0; f < 20000; ++f) {
        int32_t corners[3] = {0, 0, 0};
        int32_t face = MQObj_AddFace(mesh, 3, corners);
        TexCoord uv[3];
        for (TexCoord& c : uv) {
            seed = seed * 1103515245u + 12345u;
            c.u = static_cast<float>(seed >> 20) / 4096.0f - 0.5f; // 4096 values, often repeated
            c.v = f % 3 == 0 ? 3.0e9f : static_cast<float>(f % 97) * 0.37f;
        }
        MQObj_SetFaceCoordinateArray(mesh, face, uv);
        expected += "\t\t3 V(0 0 0) UV(";
        for (int i = 0; i < 3; ++i) {
            expected += i > 0 ? " " : "";
            AppendFixed(expected, uv[i].u, 5);
            expected += ' ';
            AppendFixed(expected, uv[i].v, 5);
        }
        expected += ")\r\n";
    }
    MQDoc_AddObject(doc, mesh);
    std::string text = HostSimMqoText(doc);
    size_t begin = text.find("\tface 20000 {\r\n");
    ASSERT_NE(begin, std::string::npos);
    begin += strlen("\tface 20000 {\r\n");
    EXPECT_EQ(text.substr(begin, expected.size()), expected);
}

std::string ReadBack(const char* path) {
    std::string bytes;
    FILE* file = fopen(path, "rb");
    if (file == nullptr) {
        return bytes;
    }
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0) {
        bytes.append(block, got);
    }
    fclose(file);
    return bytes;
}

// The file gets the same text, also when it goes there in several pieces.
TEST_F(MqoWriterTest, SaveWritesTheSameBytesToAFile) {
    BuildTinyDocument(doc);
    char path[] = "/tmp/hostsim_mqoXXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    ASSERT_TRUE(HostSimSaveMqo(doc, path));
    EXPECT_EQ(ReadBack(path), kTinyDocument);

    HostObject mesh = MQ_CreateObject();
    for (int i = 0; i < 20000; ++i) {
        Point3 p = {i * 0.5f, -i * 0.25f, 1.0f};
        MQObj_AddVertex(mesh, &p);
        int32_t corners[3] = {i, i / 2, i / 3};
        MQObj_AddFace(mesh, 3, corners);
    }
    MQDoc_AddObject(doc, mesh);
    ASSERT_TRUE(HostSimSaveMqo(doc, path));
    const std::string text = HostSimMqoText(doc);
    EXPECT_GT(text.size(), 1000000u);
    EXPECT_TRUE(ReadBack(path) == text);
    remove(path);

    EXPECT_FALSE(HostSimSaveMqo(doc, "/nonexistent-folder/out.mqo"));
    EXPECT_FALSE(HostSimSaveMqo(0, path));
}

} // namespace
