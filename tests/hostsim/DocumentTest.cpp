#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "frame/UserMessage.h"
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
    ExpectBreaches();
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
    ExpectBreaches();
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
    UserMessageRecord message = {1, 2, 0, nullptr};
    UserMessageRecord* record = &message;
    EXPECT_EQ(MQ_SendMessage(kHostMessageUser, record), 0); // nobody listening
    EXPECT_EQ(message.senderProduct, 1u);

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

// Every call with handles that name nothing, or indices past the object, is a
// breach of the host's contract that changes nothing.
TEST_F(DocumentTest, InvalidHandlesAndIndicesAreBreaches) {
    ExpectBreaches();
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
    float values[9] = {};
    char name[8] = "keep";
    for (HostObject obj : badObjects) {
        EXPECT_BREACH(EXPECT_EQ(MQDoc_GetObjectCount(obj), 0));
        EXPECT_BREACH(EXPECT_EQ(MQDoc_GetObject(obj, 0), 0u));
        EXPECT_EQ(MQDoc_AddObject(obj, object), -1);
        EXPECT_BREACH(EXPECT_EQ(MQDoc_FindMappingFile(obj, name, "a.png", 1), 0));
        EXPECT_BREACH(EXPECT_EQ(MQObj_Clone(obj), 0u));
        EXPECT_BREACH(MQObj_Compact(obj));
        EXPECT_BREACH(MQObj_Delete(obj));
        EXPECT_BREACH(EXPECT_EQ(MQObj_AddVertex(obj, &p), -1));
        EXPECT_BREACH(MQObj_GetVertex(obj, 0, &p));
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_BREACH(MQObj_SetVertex(obj, 0, &p));
        EXPECT_BREACH(EXPECT_EQ(MQObj_GetVertexRefCount(obj, 0), 0));
        EXPECT_BREACH(EXPECT_EQ(MQObj_AddFace(obj, 3, points), -1));
        EXPECT_BREACH(EXPECT_EQ(MQObj_GetFacePointCount(obj, 0), 0));
        EXPECT_BREACH(MQObj_GetFacePointArray(obj, 0, points));
        EXPECT_BREACH(MQObj_GetFaceCoordinateArray(obj, 0, uv));
        EXPECT_BREACH(MQObj_SetFaceCoordinateArray(obj, 0, uv));
        EXPECT_BREACH(EXPECT_EQ(MQObj_GetFaceMaterial(obj, 0), -1));
        EXPECT_BREACH(MQObj_SetFaceMaterial(obj, 0, 1));
        EXPECT_BREACH(EXPECT_EQ(MQObj_GetFaceVertexColor(obj, 0, 0), 0u));
        EXPECT_BREACH(MQObj_SetFaceVertexColor(obj, 0, 0, 1));
        EXPECT_BREACH(MQObj_SetName(obj, "x"));
        EXPECT_BREACH(MQObj_GetName(obj, name, sizeof name));
        EXPECT_STREQ(name, "");
        EXPECT_BREACH(EXPECT_EQ(MQObj_GetIntValue(obj, kObjectDepth), 0));
        EXPECT_BREACH(MQObj_SetIntValue(obj, kObjectDepth, 5));
        EXPECT_BREACH(MQObj_GetFloatArray(obj, kObjectColor, values));
        EXPECT_BREACH(MQObj_SetFloatArray(obj, kObjectColor, values));
        EXPECT_BREACH(EXPECT_EQ(MQObj_GetShading(obj), 0));
        EXPECT_BREACH(EXPECT_EQ(MQObj_GetVisible(obj), 0u));
        EXPECT_BREACH(EXPECT_EQ(MQObj_GetSmoothAngle(obj), 0.0f));
    }
    for (HostMaterial mat : badMaterials) {
        EXPECT_BREACH(EXPECT_EQ(MQDoc_AddMaterial(doc, mat), -1));
        EXPECT_BREACH(EXPECT_EQ(MQMat_GetAlpha(mat), 0.0f));
        EXPECT_BREACH(EXPECT_EQ(MQMat_GetPower(mat), 0.0f));
        EXPECT_BREACH(EXPECT_EQ(MQMat_GetIntValue(mat, kMaterialShader), 0));
        EXPECT_BREACH(MQMat_SetIntValue(mat, kMaterialShader, 2));
        ColorRGB color = {1, 1, 1};
        EXPECT_BREACH(MQMat_GetColor(mat, &color));
        EXPECT_EQ(color.r, 0.0f);
        EXPECT_BREACH(MQMat_SetColor(mat, &color));
        EXPECT_BREACH(MQMat_SetTextureName(mat, "x"));
        EXPECT_BREACH(MQMat_GetTextureName(mat, name, sizeof name));
        EXPECT_STREQ(name, "");
        EXPECT_BREACH(MQMat_Delete(mat));
    }
    // Nothing was changed or released through a handle of the wrong kind.
    EXPECT_EQ(HostSimFindObject(object)->name, "");
    EXPECT_EQ(HostSimFindObject(object)->vertices.size(), 0u);
    EXPECT_EQ(HostSimFindMaterial(material)->textureName, "");
    EXPECT_EQ(HostSimUnownedObjectCount(), 1);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 1);

    // Valid object, bad indices and values, null buffers.
    HostObject obj = MakeObject({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    AddFace(obj, {0, 1, 2});
    EXPECT_BREACH(MQObj_SetVertex(obj, 3, &p));
    EXPECT_BREACH(MQObj_SetVertex(obj, -1, &p));
    EXPECT_BREACH(MQObj_SetFaceMaterial(obj, 1, 0));
    EXPECT_BREACH(MQObj_SetFaceMaterial(obj, 0, -2));
    EXPECT_BREACH(MQObj_SetFaceVertexColor(obj, 0, 3, 0));
    EXPECT_BREACH(EXPECT_EQ(MQObj_GetFacePointCount(obj, -1), 0));
    EXPECT_BREACH(EXPECT_EQ(MQObj_GetVertexRefCount(obj, 3), 0));
    EXPECT_BREACH(EXPECT_EQ(AddFace(obj, {0, 1, 7}), -1));
    EXPECT_BREACH(EXPECT_EQ(MQObj_AddFace(obj, 0, points), -1));
    MQObj_GetVertex(obj, 0, nullptr);
    MQObj_GetFacePointArray(obj, 0, nullptr);
    MQObj_GetName(obj, nullptr, 64);
    MQMatrix_FloatValue(nullptr, kMatrixSetTransform, values);
    EXPECT_EQ(MQObj_GetVertexCount(obj), 3);
    EXPECT_EQ(MQObj_GetFaceCount(obj), 1);
}

// Values the real host would misread are refused, and the stored ones stay.
TEST_F(DocumentTest, ValuesOutsideTheHostsRangesAreBreaches) {
    ExpectBreaches();
    HostObject obj = MakeObject({{0, 0, 0}});
    HostMaterial mat = MQ_CreateMaterial();
    int32_t onStack = 0;
    int32_t address = static_cast<int32_t>(reinterpret_cast<uintptr_t>(&onStack));
    EXPECT_BREACH(MQMat_SetIntValue(mat, kMaterialShader, 5));
    EXPECT_BREACH(MQMat_SetIntValue(mat, kMaterialShader, address));
    EXPECT_BREACH(MQMat_SetIntValue(mat, kMaterialVertexColor, 2));
    EXPECT_BREACH(MQMat_SetIntValue(mat, 0x999, 0));
    EXPECT_BREACH(MQObj_SetIntValue(obj, kObjectDepth, -1));
    EXPECT_BREACH(MQObj_SetIntValue(obj, kObjectDepth, 256));
    EXPECT_BREACH(MQObj_SetIntValue(obj, kObjectColorType, 2));
    EXPECT_BREACH(MQObj_SetIntValue(obj, 0x999, 0));
    EXPECT_BREACH(MQObj_SetShading(obj, 2));
    EXPECT_BREACH(MQObj_SetPatchType(obj, 5));
    EXPECT_BREACH(MQObj_SetMirrorType(obj, 3));
    EXPECT_BREACH(MQObj_SetLatheType(obj, 4));
    EXPECT_BREACH(MQObj_SetSmoothAngle(obj, 181.0f));
    float values[9] = {};
    EXPECT_BREACH(MQObj_SetFloatArray(obj, 0x101, values));
    char path[260];
    EXPECT_BREACH(MQDoc_FindMappingFile(doc, path, "a.png", 4));
    Matrix4 m;
    EXPECT_BREACH(MQMatrix_FloatValue(m.m, 0x999, values));
    EXPECT_EQ(MQMat_GetIntValue(mat, kMaterialShader), 3);
    EXPECT_EQ(MQMat_GetIntValue(mat, kMaterialVertexColor), 0);
    EXPECT_EQ(MQObj_GetIntValue(obj, kObjectDepth), 0);
    EXPECT_EQ(MQObj_GetShading(obj), 1);
}

} // namespace
