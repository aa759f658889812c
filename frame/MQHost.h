// The host interface: shared value types, the matrix helpers and the table of
// host functions that MQInit binds by name from the host program.
#pragma once

#include <stdint.h>

#include "frame/HostTypes.h"

void IdentityMatrix4(Matrix4* m);
// out = a x b (a acts first on a row vector). out may alias a or b.
void MultiplyMatrix4(Matrix4* out, const Matrix4* a, const Matrix4* b);

// Matrix function codes of MQMatrix_FloatValue.
enum : int32_t {
    kMatrixGetScaling = 0x101,
    kMatrixGetRotation = 0x102,
    kMatrixGetTranslation = 0x103,
    kMatrixSetTransform = 0x204,
};

// Object and material attribute ids.
enum : int32_t {
    kObjectDepth = 0x101,
    kObjectColorType = 0x201, // int value
    kObjectColor = 0x201,     // float array
    kMaterialShader = 0x101,
    kMaterialVertexColor = 0x102,
};

// Texts the host hands out that may be file paths (a material's texture,
// alpha and bump map names, often absolute) are read through buffers of the
// platform's path length.
constexpr int32_t kHostPathSize = 260;

// Message kind of a user message between plug-ins.
enum : int32_t { kHostMessageUser = 101 };

// The host functions in binding order, each with the type the plug-ins call
// it by (every entry is checked against frame/HostPrototypes.h). C(ret, name,
// params) is one the simulated host implements (the plug-ins call it, or the
// host's own tools read with it; docs/host-interface.md lists the calls the
// plug-ins make), U(...) one that is only bound and answers zero there.
#define MQ_HOST_FUNCTIONS(C, U)                                                                    \
    C(HostWindow, MQ_GetWindowHandle, (void))                                                      \
    C(HostObject, MQ_CreateObject, (void))                                                         \
    C(HostMaterial, MQ_CreateMaterial, (void))                                                     \
    U(void, MQ_ShowFileDialog, (const char* title, MQFileDialogInfo* info))                        \
    U(void, MQ_ImportAxis, (MQFileDialogInfo * info, Point3 * pts, int32_t pts_count))             \
    U(void, MQ_ExportAxis, (MQFileDialogInfo * info, Point3 * pts, int32_t pts_count))             \
    C(HostBool, MQ_LoadImage,                                                                      \
      (const char* filename, void** header, void** buffer, uint32_t reserved))                     \
    U(HostBool, MQ_GetSystemPath, (char* buffer, int32_t type))                                    \
    U(void, MQ_RefreshView, (void* reserved))                                                      \
    U(void, MQ_StationCallback, (HostStationCallback proc, void* option))                          \
    C(HostBool, MQ_SendMessage, (int32_t message_type, UserMessageRecord * info))                  \
    C(int32_t, MQDoc_GetObjectCount, (HostDocument doc))                                           \
    C(HostObject, MQDoc_GetObject, (HostDocument doc, int32_t index))                              \
    U(int32_t, MQDoc_GetCurrentObjectIndex, (HostDocument doc))                                    \
    U(void, MQDoc_SetCurrentObjectIndex, (HostDocument doc, int32_t index))                        \
    C(int32_t, MQDoc_AddObject, (HostDocument doc, HostObject obj))                                \
    U(void, MQDoc_DeleteObject, (HostDocument doc, int32_t index))                                 \
    U(int32_t, MQDoc_GetObjectIndex, (HostDocument doc, HostObject obj))                           \
    C(int32_t, MQDoc_GetMaterialCount, (HostDocument doc))                                         \
    C(HostMaterial, MQDoc_GetMaterial, (HostDocument doc, int32_t index))                          \
    U(int32_t, MQDoc_GetCurrentMaterialIndex, (HostDocument doc))                                  \
    U(void, MQDoc_SetCurrentMaterialIndex, (HostDocument doc, int32_t index))                      \
    C(int32_t, MQDoc_AddMaterial, (HostDocument doc, HostMaterial mat))                            \
    U(void, MQDoc_DeleteMaterial, (HostDocument doc, int32_t index))                               \
    U(void, MQDoc_Compact, (HostDocument doc))                                                     \
    U(void, MQDoc_ClearSelect, (HostDocument doc, uint32_t flag))                                  \
    U(HostBool, MQDoc_AddSelectVertex, (HostDocument doc, int32_t objindex, int32_t vertindex))    \
    U(HostBool, MQDoc_DeleteSelectVertex, (HostDocument doc, int32_t objindex, int32_t vertindex)) \
    U(HostBool, MQDoc_IsSelectVertex, (HostDocument doc, int32_t objindex, int32_t vertindex))     \
    U(HostBool, MQDoc_AddSelectLine,                                                               \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t lineindex))                  \
    U(HostBool, MQDoc_DeleteSelectLine,                                                            \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t lineindex))                  \
    U(HostBool, MQDoc_IsSelectLine,                                                                \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t lineindex))                  \
    U(HostBool, MQDoc_AddSelectFace, (HostDocument doc, int32_t objindex, int32_t faceindex))      \
    U(HostBool, MQDoc_DeleteSelectFace, (HostDocument doc, int32_t objindex, int32_t faceindex))   \
    U(HostBool, MQDoc_IsSelectFace, (HostDocument doc, int32_t objindex, int32_t faceindex))       \
    U(HostBool, MQDoc_AddSelectUVVertex,                                                           \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t vertindex))                  \
    U(HostBool, MQDoc_DeleteSelectUVVertex,                                                        \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t vertindex))                  \
    U(HostBool, MQDoc_IsSelectUVVertex,                                                            \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t vertindex))                  \
    C(HostBool, MQDoc_FindMappingFile,                                                             \
      (HostDocument doc, char* out_path, const char* filename, uint32_t map_type))                 \
    U(HostScene, MQDoc_GetScene, (HostDocument doc, int32_t index))                                \
    U(HostObject, MQDoc_GetParentObject, (HostDocument doc, HostObject obj))                       \
    U(int32_t, MQDoc_GetChildObjectCount, (HostDocument doc, HostObject obj))                      \
    U(HostObject, MQDoc_GetChildObject, (HostDocument doc, HostObject obj, int32_t index))         \
    U(void, MQDoc_GetGlobalMatrix, (HostDocument doc, HostObject obj, float* matrix))              \
    U(void, MQDoc_GetGlobalInverseMatrix, (HostDocument doc, HostObject obj, float* matrix))       \
    U(int32_t, MQDoc_InsertObject, (HostDocument doc, HostObject obj, HostObject before))          \
    U(void, MQScene_InitSize, (HostScene scene, int32_t width, int32_t height))                    \
    U(void, MQScene_GetProjMatrix, (HostScene scene, float* matrix))                               \
    U(void, MQScene_GetViewMatrix, (HostScene scene, float* matrix))                               \
    U(void, MQScene_FloatValue, (HostScene scene, int32_t type_id, float* values))                 \
    U(HostBool, MQScene_GetVisibleFace, (HostScene scene, HostObject obj, HostBool * visible))     \
    C(void, MQObj_Delete, (HostObject obj))                                                        \
    C(HostObject, MQObj_Clone, (HostObject obj))                                                   \
    U(void, MQObj_Merge, (HostObject dest, HostObject source))                                     \
    U(void, MQObj_Freeze, (HostObject obj, uint32_t flag))                                         \
    C(void, MQObj_GetName, (HostObject obj, char* buffer, int32_t size))                           \
    C(int32_t, MQObj_GetVertexCount, (HostObject obj))                                             \
    C(void, MQObj_GetVertex, (HostObject obj, int32_t index, Point3 * pts))                        \
    C(void, MQObj_SetVertex, (HostObject obj, int32_t index, Point3 * pts))                        \
    U(void, MQObj_GetVertexArray, (HostObject obj, Point3 * ptsarray))                             \
    C(int32_t, MQObj_GetFaceCount, (HostObject obj))                                               \
    C(int32_t, MQObj_GetFacePointCount, (HostObject obj, int32_t face))                            \
    C(void, MQObj_GetFacePointArray, (HostObject obj, int32_t face, int32_t * vertex))             \
    C(void, MQObj_GetFaceCoordinateArray, (HostObject obj, int32_t face, TexCoord * uvarray))      \
    C(int32_t, MQObj_GetFaceMaterial, (HostObject obj, int32_t face))                              \
    U(uint32_t, MQObj_GetFaceUniqueID, (HostObject obj, int32_t face))                             \
    U(int32_t, MQObj_GetFaceIndexFromUniqueID, (HostObject obj, uint32_t unique_id))               \
    C(void, MQObj_SetName, (HostObject obj, const char* buffer))                                   \
    C(int32_t, MQObj_AddVertex, (HostObject obj, Point3 * p))                                      \
    U(HostBool, MQObj_DeleteVertex, (HostObject obj, int32_t index, HostBool del_face))            \
    C(int32_t, MQObj_GetVertexRefCount, (HostObject obj, int32_t index))                           \
    U(uint32_t, MQObj_GetVertexUniqueID, (HostObject obj, int32_t index))                          \
    U(int32_t, MQObj_GetVertexIndexFromUniqueID, (HostObject obj, uint32_t unique_id))             \
    U(float, MQObj_GetVertexWeight, (HostObject obj, int32_t index))                               \
    U(void, MQObj_SetVertexWeight, (HostObject obj, int32_t index, float value))                   \
    U(void, MQObj_CopyVertexAttribute,                                                             \
      (HostObject obj, int32_t vert1, HostObject obj2, int32_t vert2))                             \
    C(int32_t, MQObj_AddFace, (HostObject obj, int32_t count, int32_t * index))                    \
    U(HostBool, MQObj_DeleteFace, (HostObject obj, int32_t index, HostBool del_vert))              \
    U(HostBool, MQObj_InvertFace, (HostObject obj, int32_t index))                                 \
    C(void, MQObj_SetFaceMaterial, (HostObject obj, int32_t face, int32_t material))               \
    C(void, MQObj_SetFaceCoordinateArray, (HostObject obj, int32_t face, TexCoord * uvarray))      \
    C(uint32_t, MQObj_GetFaceVertexColor, (HostObject obj, int32_t face, int32_t vertex))          \
    C(void, MQObj_SetFaceVertexColor,                                                              \
      (HostObject obj, int32_t face, int32_t vertex, uint32_t color))                              \
    U(void, MQObj_OptimizeVertex, (HostObject obj, float distance, uint8_t* apply))                \
    C(void, MQObj_Compact, (HostObject obj))                                                       \
    C(uint32_t, MQObj_GetVisible, (HostObject obj))                                                \
    C(void, MQObj_SetVisible, (HostObject obj, uint32_t visible))                                  \
    U(uint32_t, MQObj_GetPatchType, (HostObject obj))                                              \
    C(void, MQObj_SetPatchType, (HostObject obj, uint32_t type))                                   \
    U(int32_t, MQObj_GetPatchSegment, (HostObject obj))                                            \
    U(void, MQObj_SetPatchSegment, (HostObject obj, int32_t segment))                              \
    C(int32_t, MQObj_GetShading, (HostObject obj))                                                 \
    C(void, MQObj_SetShading, (HostObject obj, int32_t type))                                      \
    C(float, MQObj_GetSmoothAngle, (HostObject obj))                                               \
    C(void, MQObj_SetSmoothAngle, (HostObject obj, float degree))                                  \
    U(int32_t, MQObj_GetMirrorType, (HostObject obj))                                              \
    C(void, MQObj_SetMirrorType, (HostObject obj, int32_t type))                                   \
    U(uint32_t, MQObj_GetMirrorAxis, (HostObject obj))                                             \
    U(void, MQObj_SetMirrorAxis, (HostObject obj, uint32_t axis))                                  \
    U(float, MQObj_GetMirrorDistance, (HostObject obj))                                            \
    U(void, MQObj_SetMirrorDistance, (HostObject obj, float dis))                                  \
    U(int32_t, MQObj_GetLatheType, (HostObject obj))                                               \
    C(void, MQObj_SetLatheType, (HostObject obj, int32_t type))                                    \
    U(uint32_t, MQObj_GetLatheAxis, (HostObject obj))                                              \
    U(void, MQObj_SetLatheAxis, (HostObject obj, uint32_t axis))                                   \
    U(int32_t, MQObj_GetLatheSegment, (HostObject obj))                                            \
    U(void, MQObj_SetLatheSegment, (HostObject obj, int32_t segment))                              \
    C(int32_t, MQObj_GetIntValue, (HostObject obj, int32_t type_id))                               \
    C(void, MQObj_GetFloatArray, (HostObject obj, int32_t type_id, float* array))                  \
    C(void, MQObj_SetIntValue, (HostObject obj, int32_t type_id, int32_t value))                   \
    C(void, MQObj_SetFloatArray, (HostObject obj, int32_t type_id, const float* array))            \
    C(void, MQMat_Delete, (HostMaterial mat))                                                      \
    C(int32_t, MQMat_GetIntValue, (HostMaterial mat, int32_t type_id))                             \
    U(void, MQMat_GetFloatArray, (HostMaterial mat, int32_t type_id, float* array))                \
    C(void, MQMat_GetName, (HostMaterial mat, char* buffer, int32_t size))                         \
    C(void, MQMat_GetColor, (HostMaterial mat, ColorRGB * color))                                  \
    C(float, MQMat_GetAlpha, (HostMaterial mat))                                                   \
    C(float, MQMat_GetDiffuse, (HostMaterial mat))                                                 \
    C(float, MQMat_GetAmbient, (HostMaterial mat))                                                 \
    C(float, MQMat_GetEmission, (HostMaterial mat))                                                \
    C(float, MQMat_GetSpecular, (HostMaterial mat))                                                \
    C(float, MQMat_GetPower, (HostMaterial mat))                                                   \
    C(void, MQMat_GetTextureName, (HostMaterial mat, char* buffer, int32_t size))                  \
    C(void, MQMat_GetAlphaName, (HostMaterial mat, char* buffer, int32_t size))                    \
    C(void, MQMat_GetBumpName, (HostMaterial mat, char* buffer, int32_t size))                     \
    C(void, MQMat_SetIntValue, (HostMaterial mat, int32_t type_id, int32_t value))                 \
    U(void, MQMat_SetFloatArray, (HostMaterial mat, int32_t type_id, const float* array))          \
    C(void, MQMat_SetName, (HostMaterial mat, const char* name))                                   \
    C(void, MQMat_SetColor, (HostMaterial mat, ColorRGB * color))                                  \
    C(void, MQMat_SetAlpha, (HostMaterial mat, float value))                                       \
    C(void, MQMat_SetDiffuse, (HostMaterial mat, float value))                                     \
    C(void, MQMat_SetAmbient, (HostMaterial mat, float value))                                     \
    C(void, MQMat_SetEmission, (HostMaterial mat, float value))                                    \
    C(void, MQMat_SetSpecular, (HostMaterial mat, float value))                                    \
    C(void, MQMat_SetPower, (HostMaterial mat, float value))                                       \
    C(void, MQMat_SetTextureName, (HostMaterial mat, const char* name))                            \
    C(void, MQMat_SetAlphaName, (HostMaterial mat, const char* name))                              \
    C(void, MQMat_SetBumpName, (HostMaterial mat, const char* name))                               \
    C(void, MQMatrix_FloatValue, (float* mtx, int32_t type_id, float* values))                     \
    U(void, MQXmlElem_Value, (HostXmlElement elem, int32_t type_id, void* values))

enum { kHostFunctionCount = 140 };

// One entry per host function, empty until MQInit binds it.
struct HostFunctionTable {
#define MQ_TABLE_ENTRY(ret, name, params) ret(MQAPI* name) params;
    MQ_HOST_FUNCTIONS(MQ_TABLE_ENTRY, MQ_TABLE_ENTRY)
#undef MQ_TABLE_ENTRY
};

static_assert(sizeof(HostFunctionTable) == kHostFunctionCount * sizeof(void*),
              "the table holds exactly the host functions");

// The table of this module (each DLL has its own).
extern HostFunctionTable g_host;

// The host function names in binding order.
extern const char* const kHostFunctionNames[kHostFunctionCount];
