#include <string.h>

#include "tests/hostsim/HostSimFixture.h"

namespace {

using ObjectTest = HostSimFixture;

Point3 VertexOf(HostObject obj, int32_t index) {
    Point3 p;
    MQObj_GetVertex(obj, index, &p);
    return p;
}

std::vector<int32_t> PointsOf(HostObject obj, int32_t face) {
    std::vector<int32_t> points(MQObj_GetFacePointCount(obj, face));
    MQObj_GetFacePointArray(obj, face, points.data());
    return points;
}

TEST_F(ObjectTest, AddVertexReturnsTheNextIndexAndKeepsPositions) {
    HostObject obj = MQ_CreateObject();
    for (int i = 0; i < 5; ++i) {
        Point3 p = {static_cast<float>(i), 2.0f * i, -3.0f * i};
        EXPECT_EQ(MQObj_AddVertex(obj, &p), i);
    }
    EXPECT_EQ(MQObj_GetVertexCount(obj), 5);
    Point3 moved = {7.5f, -1.0f, 0.25f};
    MQObj_SetVertex(obj, 3, &moved);
    EXPECT_EQ(VertexOf(obj, 3).x, 7.5f);
    EXPECT_EQ(VertexOf(obj, 3).z, 0.25f);
    EXPECT_EQ(VertexOf(obj, 4).y, 8.0f);
}

TEST_F(ObjectTest, AddFaceTakesAnyNumberOfExistingPoints) {
    ExpectBreaches();
    HostObject obj = MakeObject({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {-1, 1, 0}});
    EXPECT_EQ(AddFace(obj, {0, 1, 2}), 0);
    EXPECT_EQ(AddFace(obj, {2, 3}), 1);
    EXPECT_EQ(AddFace(obj, {3}), 2);
    EXPECT_EQ(AddFace(obj, {0, 1, 2, 3}), 3);
    EXPECT_EQ(AddFace(obj, {0, 1, 2, 3, 4}), 4);
    EXPECT_EQ(AddFace(obj, {0, 1, 2, 3, 4, 1, 2}), 5);
    EXPECT_BREACH(EXPECT_EQ(AddFace(obj, {0, 1, 5}), -1));  // no vertex 5
    EXPECT_BREACH(EXPECT_EQ(AddFace(obj, {0, -1, 2}), -1)); // no vertex -1
    EXPECT_EQ(MQObj_AddFace(obj, 0, nullptr), -1);
    EXPECT_EQ(MQObj_GetFaceCount(obj), 6);
    EXPECT_EQ(PointsOf(obj, 1), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(PointsOf(obj, 3), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(PointsOf(obj, 5), (std::vector<int32_t>{0, 1, 2, 3, 4, 1, 2}));
    // Every corner of a large face keeps its own coordinate and colour.
    TexCoord uv[7];
    for (int i = 0; i < 7; ++i) {
        uv[i] = TexCoord{i * 0.1f, 1.0f - i * 0.1f};
    }
    MQObj_SetFaceCoordinateArray(obj, 5, uv);
    MQObj_SetFaceVertexColor(obj, 5, 6, 0x11223344u);
    TexCoord back[7] = {};
    MQObj_GetFaceCoordinateArray(obj, 5, back);
    EXPECT_EQ(memcmp(back, uv, sizeof uv), 0);
    EXPECT_EQ(MQObj_GetFaceVertexColor(obj, 5, 6), 0x11223344u);
    EXPECT_EQ(MQObj_GetFaceVertexColor(obj, 5, 5), 0xFFFFFFFFu);
    // A copy of the object copies its large faces.
    HostObject copy = MQObj_Clone(obj);
    MQObj_SetFaceVertexColor(obj, 5, 6, 0u);
    EXPECT_EQ(PointsOf(copy, 5), (std::vector<int32_t>{0, 1, 2, 3, 4, 1, 2}));
    EXPECT_EQ(MQObj_GetFaceVertexColor(copy, 5, 6), 0x11223344u);
}

TEST_F(ObjectTest, FaceMaterialCoordinatesAndColoursRoundTrip) {
    ExpectBreaches();
    HostObject obj = MakeObject({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    int32_t face = AddFace(obj, {0, 1, 2});
    EXPECT_EQ(MQObj_GetFaceMaterial(obj, face), -1);
    MQObj_SetFaceMaterial(obj, face, 2);
    EXPECT_EQ(MQObj_GetFaceMaterial(obj, face), 2);

    TexCoord uv[3] = {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}};
    MQObj_SetFaceCoordinateArray(obj, face, uv);
    TexCoord back[4] = {};
    MQObj_GetFaceCoordinateArray(obj, face, back);
    EXPECT_EQ(memcmp(back, uv, sizeof uv), 0);
    EXPECT_EQ(back[3].u, 0.0f); // only the face's corners are written

    EXPECT_EQ(MQObj_GetFaceVertexColor(obj, face, 1), 0xFFFFFFFFu);
    EXPECT_FALSE(HostSimFindObject(obj)->faces[0].hasColors);
    MQObj_SetFaceVertexColor(obj, face, 1, 0x80FF2010u);
    EXPECT_BREACH(MQObj_SetFaceVertexColor(obj, face, 3, 0x12345678u)); // no corner 3
    EXPECT_EQ(MQObj_GetFaceVertexColor(obj, face, 1), 0x80FF2010u);
    EXPECT_BREACH(EXPECT_EQ(MQObj_GetFaceVertexColor(obj, face, 3), 0u));
    EXPECT_TRUE(HostSimFindObject(obj)->faces[0].hasColors);
}

TEST_F(ObjectTest, RefCountCountsFacesUsingTheVertex) {
    HostObject obj = MakeObject({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
    AddFace(obj, {0, 1, 2});
    AddFace(obj, {0, 2, 0}); // uses vertex 0 twice: still one face
    AddFace(obj, {0, 1});
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 0), 3);
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 1), 2);
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 2), 2);
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 3), 0);
}

TEST_F(ObjectTest, CompactDropsUnusedVerticesAndRenumbersFaces) {
    HostObject obj = MakeObject({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}});
    AddFace(obj, {1, 3, 5});
    AddFace(obj, {5, 3});
    int32_t face = AddFace(obj, {3, 5, 1, 4});
    MQObj_SetFaceMaterial(obj, face, 1);
    MQObj_Compact(obj);

    ASSERT_EQ(MQObj_GetVertexCount(obj), 4);
    const float expectedX[4] = {1, 3, 4, 5}; // order kept
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(VertexOf(obj, i).x, expectedX[i]);
    }
    EXPECT_EQ(PointsOf(obj, 0), (std::vector<int32_t>{0, 1, 3}));
    EXPECT_EQ(PointsOf(obj, 1), (std::vector<int32_t>{3, 1}));
    EXPECT_EQ(PointsOf(obj, 2), (std::vector<int32_t>{1, 3, 0, 2}));
    EXPECT_EQ(MQObj_GetFaceMaterial(obj, 2), 1);
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 0), 2);
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 1), 3);
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 2), 1);
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 3), 3);
}

TEST_F(ObjectTest, CloneIsAnIndependentUnownedCopy) {
    ExpectBreaches();
    HostObject obj = MakeObject({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {9, 9, 9}});
    MQObj_SetName(obj, "sdef:body");
    AddFace(obj, {0, 1, 2});
    MQDoc_AddObject(doc, obj);

    HostObject copy = MQObj_Clone(obj);
    ASSERT_NE(copy, 0u);
    EXPECT_NE(copy, obj);
    EXPECT_EQ(HostSimUnownedObjectCount(), 1);
    char name[64];
    MQObj_GetName(copy, name, sizeof name);
    EXPECT_STREQ(name, "sdef:body");

    Point3 p = {5, 5, 5};
    MQObj_SetVertex(copy, 0, &p);
    MQObj_Compact(copy);
    AddFace(copy, {0, 1});
    EXPECT_EQ(MQObj_GetVertexCount(copy), 3);
    EXPECT_EQ(MQObj_GetVertexCount(obj), 4);
    EXPECT_EQ(MQObj_GetFaceCount(obj), 1);
    EXPECT_EQ(VertexOf(obj, 0).x, 0.0f);

    MQObj_Delete(copy);
    EXPECT_EQ(HostSimUnownedObjectCount(), 0);
    EXPECT_EQ(MQObj_GetVertexCount(copy), 0);
    EXPECT_EQ(MQObj_GetVertexCount(obj), 4);
}

TEST_F(ObjectTest, DeleteLeavesObjectsOfTheDocumentAlone) {
    HostObject obj = MakeObject({{1, 2, 3}});
    MQDoc_AddObject(doc, obj);
    MQObj_Delete(obj);
    EXPECT_EQ(MQDoc_GetObject(doc, 0), obj);
    EXPECT_EQ(MQObj_GetVertexCount(obj), 1);
}

TEST_F(ObjectTest, PropertiesRoundTrip) {
    HostObject obj = MQ_CreateObject();
    MQObj_SetVisible(obj, -1);
    MQObj_SetShading(obj, 0);
    MQObj_SetSmoothAngle(obj, 180.0f);
    MQObj_SetPatchType(obj, 2);
    MQObj_SetMirrorType(obj, 1);
    MQObj_SetLatheType(obj, 3);
    EXPECT_EQ(MQObj_GetVisible(obj), 0xFFFFFFFFu);
    EXPECT_EQ(MQObj_GetShading(obj), 0);
    EXPECT_EQ(MQObj_GetSmoothAngle(obj), 180.0f);
    const HostSimObject* record = HostSimFindObject(obj);
    EXPECT_EQ(record->patchType, 2);
    EXPECT_EQ(record->mirrorType, 1);
    EXPECT_EQ(record->latheType, 3);
}

TEST_F(ObjectTest, AttributeValuesByIdentifier) {
    HostObject obj = MQ_CreateObject();
    MQObj_SetIntValue(obj, kObjectDepth, 2);
    MQObj_SetIntValue(obj, kObjectColorType, 1);
    EXPECT_EQ(MQObj_GetIntValue(obj, kObjectDepth), 2);
    EXPECT_EQ(MQObj_GetIntValue(obj, kObjectColorType), 1);

    const float color[3] = {1.0f, 0.7f, 0.2f};
    MQObj_SetFloatArray(obj, kObjectColor, color);
    float back[3] = {};
    MQObj_GetFloatArray(obj, kObjectColor, back);
    EXPECT_EQ(memcmp(back, color, sizeof color), 0);
}

TEST_F(ObjectTest, NameIsCopiedAndReadIntoBoundedBuffers) {
    HostObject obj = MQ_CreateObject();
    char source[] = "bone:player";
    MQObj_SetName(obj, source);
    source[0] = 'X'; // the host keeps its own copy
    char buffer[8];
    memset(buffer, '#', sizeof buffer);
    MQObj_GetName(obj, buffer, 5);
    EXPECT_STREQ(buffer, "bone");
    EXPECT_EQ(buffer[5], '#');
    MQObj_GetName(obj, buffer, 1);
    EXPECT_STREQ(buffer, "");
    char full[64];
    MQObj_GetName(obj, full, sizeof full);
    EXPECT_STREQ(full, "bone:player");
}

} // namespace
