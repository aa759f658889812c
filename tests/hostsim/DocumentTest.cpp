#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "tests/hostsim/HostSimFixture.h"

namespace {

using DocumentTest = HostSimFixture;

TEST_F(DocumentTest, AddCallsReturnIndicesInOrderAndTakeOwnership) {
    HostMaterial m0 = MQ_CreateMaterial(), m1 = MQ_CreateMaterial();
    HostObject o0 = MQ_CreateObject(), o1 = MQ_CreateObject();
    EXPECT_EQ(HostSimUnownedObjectCount(), 2);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 2);

    EXPECT_EQ(MQDoc_AddMaterial(doc, m0), 0);
    EXPECT_EQ(MQDoc_AddMaterial(doc, m1), 1);
    EXPECT_EQ(MQDoc_AddObject(doc, o1), 0);
    EXPECT_EQ(MQDoc_AddObject(doc, o0), 1);
    EXPECT_EQ(MQDoc_AddObject(doc, o0), -1); // already owned
    EXPECT_EQ(MQDoc_AddMaterial(doc, m1), -1);

    EXPECT_EQ(MQDoc_GetMaterialCount(doc), 2);
    EXPECT_EQ(MQDoc_GetObjectCount(doc), 2);
    EXPECT_EQ(MQDoc_GetMaterial(doc, 1), m1);
    EXPECT_EQ(MQDoc_GetObject(doc, 0), o1);
    EXPECT_EQ(MQDoc_GetObject(doc, 2), 0u);
    EXPECT_EQ(MQDoc_GetMaterial(doc, -1), 0u);
    EXPECT_EQ(HostSimUnownedObjectCount(), 0);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 0);
}

TEST_F(DocumentTest, HandlesAreDistinctNonZeroAndKindChecked) {
    HostObject obj = MQ_CreateObject();
    HostMaterial mat = MQ_CreateMaterial();
    EXPECT_NE(obj, 0u);
    EXPECT_NE(mat, 0u);
    EXPECT_NE(obj, mat);
    EXPECT_NE(obj, doc);
    EXPECT_EQ(HostSimFindObject(mat), nullptr);
    EXPECT_EQ(HostSimFindMaterial(obj), nullptr);
    EXPECT_EQ(MQDoc_AddObject(doc, mat), -1);
    EXPECT_EQ(MQDoc_AddMaterial(obj, mat), -1);
}

TEST_F(DocumentTest, DestroyReleasesOwnedObjectsAndMaterials) {
    HostObject obj = MQ_CreateObject();
    HostMaterial mat = MQ_CreateMaterial();
    MQDoc_AddObject(doc, obj);
    MQDoc_AddMaterial(doc, mat);
    HostSimDestroyDocument(doc);
    EXPECT_EQ(HostSimFindDocument(doc), nullptr);
    EXPECT_EQ(HostSimFindObject(obj), nullptr);
    EXPECT_EQ(HostSimFindMaterial(mat), nullptr);
    EXPECT_EQ(MQDoc_GetObjectCount(doc), 0);
}

TEST_F(DocumentTest, MappingFilesResolveAgainstTheDocumentFolder) {
    char path[260];
    MQDoc_FindMappingFile(doc, path, "skin.png", 1);
    EXPECT_STREQ(path, "/models/skin.png");
    MQDoc_FindMappingFile(doc, path, "tex\\sub\\skin.png", 1);
    EXPECT_STREQ(path, "/models/tex/sub/skin.png");
    MQDoc_FindMappingFile(doc, path, "/abs/skin.png", 2);
    EXPECT_STREQ(path, "/abs/skin.png");

    std::string tooLong(300, 'a');
    strcpy(path, "old");
    EXPECT_EQ(MQDoc_FindMappingFile(doc, path, tooLong.c_str(), 1), 0);
    EXPECT_STREQ(path, "");
    std::string fits(260 - 1 - strlen("/models/"), 'b');
    MQDoc_FindMappingFile(doc, path, fits.c_str(), 1);
    EXPECT_EQ(strlen(path), 259u);
}

TEST_F(DocumentTest, MappingFileIsFoundWhenItExists) {
    char folder[] = "/tmp/hostsim_mapXXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string file = std::string(folder) + "/skin.png";
    FILE* f = fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fclose(f);
    HostDocument here = HostSimCreateDocument((std::string(folder) + "/").c_str());
    char path[260];
    EXPECT_EQ(MQDoc_FindMappingFile(here, path, "skin.png", 1), 1);
    EXPECT_EQ(file, path);
    EXPECT_EQ(MQDoc_FindMappingFile(here, path, "other.png", 1), 0);
    remove(file.c_str());
    rmdir(folder);
}

struct MessageLog {
    int calls = 0;
    void* record = nullptr;
};

HostBool RecordMessage(void* user, void* record) {
    MessageLog* log = static_cast<MessageLog*>(user);
    ++log->calls;
    log->record = record;
    return 1;
}

TEST_F(DocumentTest, UserMessagesReachTheInstalledHandler) {
    uint32_t record[4] = {1, 2, 0, 0};
    EXPECT_EQ(MQ_SendMessage(kHostMessageUser, record), 0); // nobody listening
    EXPECT_EQ(record[0], 1u);

    MessageLog log;
    HostSimSetUserMessageHandler(RecordMessage, &log);
    EXPECT_EQ(MQ_SendMessage(kHostMessageUser, record), 1);
    EXPECT_EQ(log.calls, 1);
    EXPECT_EQ(log.record, static_cast<void*>(record));
    EXPECT_EQ(MQ_SendMessage(100, record), 0); // not a user message
    EXPECT_EQ(log.calls, 1);

    HostSimReset();
    EXPECT_EQ(MQ_SendMessage(kHostMessageUser, record), 0);
    EXPECT_EQ(log.calls, 1);
}

TEST_F(DocumentTest, WindowAndImageLoader) {
    EXPECT_NE(MQ_GetWindowHandle(), nullptr);
    int marker = 0;
    void* header = &marker;
    void* pixels = &marker;
    EXPECT_EQ(MQ_LoadImage("/models/skin.png", &header, &pixels, 0), 0);
    EXPECT_EQ(header, nullptr);
    EXPECT_EQ(pixels, nullptr);
}

// Every typed call with handles that name nothing: no crash, neutral answers.
TEST_F(DocumentTest, InvalidHandlesAndIndicesAreHarmless) {
    HostObject staleObject = MQ_CreateObject();
    MQObj_Delete(staleObject);
    HostMaterial staleMaterial = MQ_CreateMaterial();
    MQMat_Delete(staleMaterial);
    HostMaterial material = MQ_CreateMaterial();
    HostObject object = MQ_CreateObject();
    const HostObject badObjects[] = {0u, staleObject, material, 0xFFFFFFFFu};
    const HostMaterial badMaterials[] = {0u, staleMaterial, object, 0xFFFFFFFFu};
    Point3 p = {1, 2, 3};
    int32_t points[4] = {0, 0, 0, 0};
    TexCoord uv[4] = {};
    int32_t value = 5;
    float values[9] = {};
    char name[8] = "keep";
    for (HostObject obj : badObjects) {
        EXPECT_EQ(MQDoc_GetObjectCount(obj), 0);
        EXPECT_EQ(MQDoc_GetObject(obj, 0), 0u);
        EXPECT_EQ(MQDoc_AddObject(obj, object), -1);
        EXPECT_EQ(MQDoc_FindMappingFile(obj, name, "a.png", 1), 0);
        EXPECT_EQ(MQObj_Clone(obj), 0u);
        MQObj_Compact(obj);
        MQObj_Delete(obj);
        EXPECT_EQ(MQObj_AddVertex(obj, &p), -1);
        MQObj_GetVertex(obj, 0, &p);
        EXPECT_EQ(p.x, 0.0f);
        MQObj_SetVertex(obj, 0, &p);
        EXPECT_EQ(MQObj_GetVertexRefCount(obj, 0), 0);
        EXPECT_EQ(MQObj_AddFace(obj, 3, points), -1);
        EXPECT_EQ(MQObj_GetFacePointCount(obj, 0), 0);
        MQObj_GetFacePointArray(obj, 0, points);
        MQObj_GetFaceCoordinateArray(obj, 0, uv);
        MQObj_SetFaceCoordinateArray(obj, 0, uv);
        EXPECT_EQ(MQObj_GetFaceMaterial(obj, 0), -1);
        MQObj_SetFaceMaterial(obj, 0, 1);
        EXPECT_EQ(MQObj_GetFaceVertexColor(obj, 0, 0), 0u);
        MQObj_SetFaceVertexColor(obj, 0, 0, 1);
        MQObj_SetName(obj, "x");
        MQObj_GetName(obj, name, sizeof name);
        EXPECT_STREQ(name, "");
        EXPECT_EQ(MQObj_GetIntValue(obj, kObjectDepth, &value), 0);
        EXPECT_EQ(MQObj_SetIntValue(obj, kObjectDepth, &value), 0);
        EXPECT_EQ(MQObj_GetFloatArray(obj, kObjectColor, values), 0);
        EXPECT_EQ(MQObj_SetFloatArray(obj, kObjectColor, values), 0);
        EXPECT_EQ(MQObj_GetShading(obj), 0);
        EXPECT_EQ(MQObj_GetVisible(obj), 0);
        EXPECT_EQ(MQObj_GetSmoothAngle(obj), 0.0f);
    }
    for (HostMaterial mat : badMaterials) {
        EXPECT_EQ(MQDoc_AddMaterial(doc, mat), -1);
        EXPECT_EQ(MQMat_GetAlpha(mat), 0.0f);
        EXPECT_EQ(MQMat_GetPower(mat), 0.0f);
        EXPECT_EQ(MQMat_GetIntValue(mat, kMaterialShader, &value), 0);
        EXPECT_EQ(MQMat_SetIntValue(mat, kMaterialShader, &value), 0);
        ColorRGB color = {1, 1, 1};
        MQMat_GetColor(mat, &color);
        EXPECT_EQ(color.r, 0.0f);
        MQMat_SetColor(mat, &color);
        MQMat_SetTextureName(mat, "x");
        MQMat_GetTextureName(mat, name, sizeof name);
        EXPECT_STREQ(name, "");
        MQMat_Delete(mat);
    }
    EXPECT_EQ(value, 5);
    // Nothing was changed or released through a handle of the wrong kind.
    EXPECT_EQ(HostSimFindObject(object)->name, "");
    EXPECT_EQ(HostSimFindObject(object)->vertices.size(), 0u);
    EXPECT_EQ(HostSimFindMaterial(material)->textureName, "");
    EXPECT_EQ(HostSimUnownedObjectCount(), 1);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 1);

    // Valid object, bad indices and null buffers.
    HostObject obj = MakeObject({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    AddFace(obj, {0, 1, 2});
    MQObj_SetVertex(obj, 3, &p);
    MQObj_SetVertex(obj, -1, &p);
    MQObj_SetFaceMaterial(obj, 1, 0);
    EXPECT_EQ(MQObj_GetFacePointCount(obj, -1), 0);
    EXPECT_EQ(MQObj_GetVertexRefCount(obj, 3), 0);
    MQObj_GetVertex(obj, 0, nullptr);
    MQObj_GetFacePointArray(obj, 0, nullptr);
    MQObj_GetName(obj, nullptr, 64);
    MQMatrix_FloatValue(nullptr, kMatrixSetTransform, values);
    EXPECT_EQ(MQObj_GetVertexCount(obj), 3);
    EXPECT_EQ(MQObj_GetFaceCount(obj), 1);
}

} // namespace
