// The host's functions as the modeller's plug-in SDK declares them (MQPlugin.h
// of SDK revision 4.56, which agrees with revision 3.11 on every function
// here), in the order MQInit binds them. Written from the SDK's declarations:
// its BOOL is HostBool, DWORD and UINT are uint32_t, int is int32_t, HWND is
// HostWindow, its object pointers are our 32-bit handles, MQPoint is Point3,
// MQColor ColorRGB, MQCoordinate TexCoord, MQBool uint8_t, MQSendMessageInfo
// UserMessageRecord. Const qualifiers are the SDK's, even where the host only
// reads.
//
// This list is the contract: the binding table (frame/MQHost.h) and the
// simulated host's exports are each checked against it at compile time, so
// neither side can change a type alone.
#pragma once

#include "frame/HostTypes.h"

#define MQ_HOST_PROTOTYPES(P)                                                                      \
    P(HostWindow, MQ_GetWindowHandle, (void))                                                      \
    P(HostObject, MQ_CreateObject, (void))                                                         \
    P(HostMaterial, MQ_CreateMaterial, (void))                                                     \
    P(void, MQ_ShowFileDialog, (const char* title, MQFileDialogInfo* info))                        \
    P(void, MQ_ImportAxis, (MQFileDialogInfo * info, Point3 * pts, int32_t pts_count))             \
    P(void, MQ_ExportAxis, (MQFileDialogInfo * info, Point3 * pts, int32_t pts_count))             \
    P(HostBool, MQ_LoadImage,                                                                      \
      (const char* filename, void** header, void** buffer, uint32_t reserved))                     \
    P(HostBool, MQ_GetSystemPath, (char* buffer, int32_t type))                                    \
    P(void, MQ_RefreshView, (void* reserved))                                                      \
    P(void, MQ_StationCallback, (HostStationCallback proc, void* option))                          \
    P(HostBool, MQ_SendMessage, (int32_t message_type, UserMessageRecord * info))                  \
    P(int32_t, MQDoc_GetObjectCount, (HostDocument doc))                                           \
    P(HostObject, MQDoc_GetObject, (HostDocument doc, int32_t index))                              \
    P(int32_t, MQDoc_GetCurrentObjectIndex, (HostDocument doc))                                    \
    P(void, MQDoc_SetCurrentObjectIndex, (HostDocument doc, int32_t index))                        \
    P(int32_t, MQDoc_AddObject, (HostDocument doc, HostObject obj))                                \
    P(void, MQDoc_DeleteObject, (HostDocument doc, int32_t index))                                 \
    P(int32_t, MQDoc_GetObjectIndex, (HostDocument doc, HostObject obj))                           \
    P(int32_t, MQDoc_GetMaterialCount, (HostDocument doc))                                         \
    P(HostMaterial, MQDoc_GetMaterial, (HostDocument doc, int32_t index))                          \
    P(int32_t, MQDoc_GetCurrentMaterialIndex, (HostDocument doc))                                  \
    P(void, MQDoc_SetCurrentMaterialIndex, (HostDocument doc, int32_t index))                      \
    P(int32_t, MQDoc_AddMaterial, (HostDocument doc, HostMaterial mat))                            \
    P(void, MQDoc_DeleteMaterial, (HostDocument doc, int32_t index))                               \
    P(void, MQDoc_Compact, (HostDocument doc))                                                     \
    P(void, MQDoc_ClearSelect, (HostDocument doc, uint32_t flag))                                  \
    P(HostBool, MQDoc_AddSelectVertex, (HostDocument doc, int32_t objindex, int32_t vertindex))    \
    P(HostBool, MQDoc_DeleteSelectVertex, (HostDocument doc, int32_t objindex, int32_t vertindex)) \
    P(HostBool, MQDoc_IsSelectVertex, (HostDocument doc, int32_t objindex, int32_t vertindex))     \
    P(HostBool, MQDoc_AddSelectLine,                                                               \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t lineindex))                  \
    P(HostBool, MQDoc_DeleteSelectLine,                                                            \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t lineindex))                  \
    P(HostBool, MQDoc_IsSelectLine,                                                                \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t lineindex))                  \
    P(HostBool, MQDoc_AddSelectFace, (HostDocument doc, int32_t objindex, int32_t faceindex))      \
    P(HostBool, MQDoc_DeleteSelectFace, (HostDocument doc, int32_t objindex, int32_t faceindex))   \
    P(HostBool, MQDoc_IsSelectFace, (HostDocument doc, int32_t objindex, int32_t faceindex))       \
    P(HostBool, MQDoc_AddSelectUVVertex,                                                           \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t vertindex))                  \
    P(HostBool, MQDoc_DeleteSelectUVVertex,                                                        \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t vertindex))                  \
    P(HostBool, MQDoc_IsSelectUVVertex,                                                            \
      (HostDocument doc, int32_t objindex, int32_t faceindex, int32_t vertindex))                  \
    P(HostBool, MQDoc_FindMappingFile,                                                             \
      (HostDocument doc, char* out_path, const char* filename, uint32_t map_type))                 \
    P(HostScene, MQDoc_GetScene, (HostDocument doc, int32_t index))                                \
    P(HostObject, MQDoc_GetParentObject, (HostDocument doc, HostObject obj))                       \
    P(int32_t, MQDoc_GetChildObjectCount, (HostDocument doc, HostObject obj))                      \
    P(HostObject, MQDoc_GetChildObject, (HostDocument doc, HostObject obj, int32_t index))         \
    P(void, MQDoc_GetGlobalMatrix, (HostDocument doc, HostObject obj, float* matrix))              \
    P(void, MQDoc_GetGlobalInverseMatrix, (HostDocument doc, HostObject obj, float* matrix))       \
    P(int32_t, MQDoc_InsertObject, (HostDocument doc, HostObject obj, HostObject before))          \
    P(void, MQScene_InitSize, (HostScene scene, int32_t width, int32_t height))                    \
    P(void, MQScene_GetProjMatrix, (HostScene scene, float* matrix))                               \
    P(void, MQScene_GetViewMatrix, (HostScene scene, float* matrix))                               \
    P(void, MQScene_FloatValue, (HostScene scene, int32_t type_id, float* values))                 \
    P(HostBool, MQScene_GetVisibleFace, (HostScene scene, HostObject obj, HostBool * visible))     \
    P(void, MQObj_Delete, (HostObject obj))                                                        \
    P(HostObject, MQObj_Clone, (HostObject obj))                                                   \
    P(void, MQObj_Merge, (HostObject dest, HostObject source))                                     \
    P(void, MQObj_Freeze, (HostObject obj, uint32_t flag))                                         \
    P(void, MQObj_GetName, (HostObject obj, char* buffer, int32_t size))                           \
    P(int32_t, MQObj_GetVertexCount, (HostObject obj))                                             \
    P(void, MQObj_GetVertex, (HostObject obj, int32_t index, Point3 * pts))                        \
    P(void, MQObj_SetVertex, (HostObject obj, int32_t index, Point3 * pts))                        \
    P(void, MQObj_GetVertexArray, (HostObject obj, Point3 * ptsarray))                             \
    P(int32_t, MQObj_GetFaceCount, (HostObject obj))                                               \
    P(int32_t, MQObj_GetFacePointCount, (HostObject obj, int32_t face))                            \
    P(void, MQObj_GetFacePointArray, (HostObject obj, int32_t face, int32_t * vertex))             \
    P(void, MQObj_GetFaceCoordinateArray, (HostObject obj, int32_t face, TexCoord * uvarray))      \
    P(int32_t, MQObj_GetFaceMaterial, (HostObject obj, int32_t face))                              \
    P(uint32_t, MQObj_GetFaceUniqueID, (HostObject obj, int32_t face))                             \
    P(int32_t, MQObj_GetFaceIndexFromUniqueID, (HostObject obj, uint32_t unique_id))               \
    P(void, MQObj_SetName, (HostObject obj, const char* buffer))                                   \
    P(int32_t, MQObj_AddVertex, (HostObject obj, Point3 * p))                                      \
    P(HostBool, MQObj_DeleteVertex, (HostObject obj, int32_t index, HostBool del_face))            \
    P(int32_t, MQObj_GetVertexRefCount, (HostObject obj, int32_t index))                           \
    P(uint32_t, MQObj_GetVertexUniqueID, (HostObject obj, int32_t index))                          \
    P(int32_t, MQObj_GetVertexIndexFromUniqueID, (HostObject obj, uint32_t unique_id))             \
    P(float, MQObj_GetVertexWeight, (HostObject obj, int32_t index))                               \
    P(void, MQObj_SetVertexWeight, (HostObject obj, int32_t index, float value))                   \
    P(void, MQObj_CopyVertexAttribute,                                                             \
      (HostObject obj, int32_t vert1, HostObject obj2, int32_t vert2))                             \
    P(int32_t, MQObj_AddFace, (HostObject obj, int32_t count, int32_t * index))                    \
    P(HostBool, MQObj_DeleteFace, (HostObject obj, int32_t index, HostBool del_vert))              \
    P(HostBool, MQObj_InvertFace, (HostObject obj, int32_t index))                                 \
    P(void, MQObj_SetFaceMaterial, (HostObject obj, int32_t face, int32_t material))               \
    P(void, MQObj_SetFaceCoordinateArray, (HostObject obj, int32_t face, TexCoord * uvarray))      \
    P(uint32_t, MQObj_GetFaceVertexColor, (HostObject obj, int32_t face, int32_t vertex))          \
    P(void, MQObj_SetFaceVertexColor,                                                              \
      (HostObject obj, int32_t face, int32_t vertex, uint32_t color))                              \
    P(void, MQObj_OptimizeVertex, (HostObject obj, float distance, uint8_t* apply))                \
    P(void, MQObj_Compact, (HostObject obj))                                                       \
    P(uint32_t, MQObj_GetVisible, (HostObject obj))                                                \
    P(void, MQObj_SetVisible, (HostObject obj, uint32_t visible))                                  \
    P(uint32_t, MQObj_GetPatchType, (HostObject obj))                                              \
    P(void, MQObj_SetPatchType, (HostObject obj, uint32_t type))                                   \
    P(int32_t, MQObj_GetPatchSegment, (HostObject obj))                                            \
    P(void, MQObj_SetPatchSegment, (HostObject obj, int32_t segment))                              \
    P(int32_t, MQObj_GetShading, (HostObject obj))                                                 \
    P(void, MQObj_SetShading, (HostObject obj, int32_t type))                                      \
    P(float, MQObj_GetSmoothAngle, (HostObject obj))                                               \
    P(void, MQObj_SetSmoothAngle, (HostObject obj, float degree))                                  \
    P(int32_t, MQObj_GetMirrorType, (HostObject obj))                                              \
    P(void, MQObj_SetMirrorType, (HostObject obj, int32_t type))                                   \
    P(uint32_t, MQObj_GetMirrorAxis, (HostObject obj))                                             \
    P(void, MQObj_SetMirrorAxis, (HostObject obj, uint32_t axis))                                  \
    P(float, MQObj_GetMirrorDistance, (HostObject obj))                                            \
    P(void, MQObj_SetMirrorDistance, (HostObject obj, float dis))                                  \
    P(int32_t, MQObj_GetLatheType, (HostObject obj))                                               \
    P(void, MQObj_SetLatheType, (HostObject obj, int32_t type))                                    \
    P(uint32_t, MQObj_GetLatheAxis, (HostObject obj))                                              \
    P(void, MQObj_SetLatheAxis, (HostObject obj, uint32_t axis))                                   \
    P(int32_t, MQObj_GetLatheSegment, (HostObject obj))                                            \
    P(void, MQObj_SetLatheSegment, (HostObject obj, int32_t segment))                              \
    P(int32_t, MQObj_GetIntValue, (HostObject obj, int32_t type_id))                               \
    P(void, MQObj_GetFloatArray, (HostObject obj, int32_t type_id, float* array))                  \
    P(void, MQObj_SetIntValue, (HostObject obj, int32_t type_id, int32_t value))                   \
    P(void, MQObj_SetFloatArray, (HostObject obj, int32_t type_id, const float* array))            \
    P(void, MQMat_Delete, (HostMaterial mat))                                                      \
    P(int32_t, MQMat_GetIntValue, (HostMaterial mat, int32_t type_id))                             \
    P(void, MQMat_GetFloatArray, (HostMaterial mat, int32_t type_id, float* array))                \
    P(void, MQMat_GetName, (HostMaterial mat, char* buffer, int32_t size))                         \
    P(void, MQMat_GetColor, (HostMaterial mat, ColorRGB * color))                                  \
    P(float, MQMat_GetAlpha, (HostMaterial mat))                                                   \
    P(float, MQMat_GetDiffuse, (HostMaterial mat))                                                 \
    P(float, MQMat_GetAmbient, (HostMaterial mat))                                                 \
    P(float, MQMat_GetEmission, (HostMaterial mat))                                                \
    P(float, MQMat_GetSpecular, (HostMaterial mat))                                                \
    P(float, MQMat_GetPower, (HostMaterial mat))                                                   \
    P(void, MQMat_GetTextureName, (HostMaterial mat, char* buffer, int32_t size))                  \
    P(void, MQMat_GetAlphaName, (HostMaterial mat, char* buffer, int32_t size))                    \
    P(void, MQMat_GetBumpName, (HostMaterial mat, char* buffer, int32_t size))                     \
    P(void, MQMat_SetIntValue, (HostMaterial mat, int32_t type_id, int32_t value))                 \
    P(void, MQMat_SetFloatArray, (HostMaterial mat, int32_t type_id, const float* array))          \
    P(void, MQMat_SetName, (HostMaterial mat, const char* name))                                   \
    P(void, MQMat_SetColor, (HostMaterial mat, ColorRGB * color))                                  \
    P(void, MQMat_SetAlpha, (HostMaterial mat, float value))                                       \
    P(void, MQMat_SetDiffuse, (HostMaterial mat, float value))                                     \
    P(void, MQMat_SetAmbient, (HostMaterial mat, float value))                                     \
    P(void, MQMat_SetEmission, (HostMaterial mat, float value))                                    \
    P(void, MQMat_SetSpecular, (HostMaterial mat, float value))                                    \
    P(void, MQMat_SetPower, (HostMaterial mat, float value))                                       \
    P(void, MQMat_SetTextureName, (HostMaterial mat, const char* name))                            \
    P(void, MQMat_SetAlphaName, (HostMaterial mat, const char* name))                              \
    P(void, MQMat_SetBumpName, (HostMaterial mat, const char* name))                               \
    P(void, MQMatrix_FloatValue, (float* mtx, int32_t type_id, float* values))                     \
    P(void, MQXmlElem_Value, (HostXmlElement elem, int32_t type_id, void* values))

// One function type per host function: HostPrototype::MQObj_SetIntValue and
// so on.
namespace HostPrototype {
#define MQ_PROTOTYPE_TYPEDEF(ret, name, params) typedef ret(MQAPI name) params;
MQ_HOST_PROTOTYPES(MQ_PROTOTYPE_TYPEDEF)
#undef MQ_PROTOTYPE_TYPEDEF
} // namespace HostPrototype

// The fourteen entry points a plug-in exports, as the SDK declares them
// (plain C calling convention, undecorated names).
namespace PluginPrototype {
typedef uint32_t(MQCheckVersion)(uint32_t exe_version);
typedef HostBool(MQInit)(const char* exe_name);
typedef const char*(MQGetPlugInName)(void);
typedef void(MQGetPlugInID)(uint32_t* product, uint32_t* id);
typedef int32_t(MQGetPlugInType)(void);
typedef const char*(MQEnumString)(int32_t index);
typedef const char*(MQEnumFileType)(int32_t index);
typedef const char*(MQEnumFileExt)(int32_t index);
typedef HostBool(MQExportFile)(int32_t index, const char* filename, HostDocument doc);
typedef HostBool(MQImportFile)(int32_t index, const char* filename, HostDocument doc);
typedef HostBool(MQCreate)(int32_t index, HostDocument doc);
typedef HostBool(MQModifyObject)(int32_t index, HostDocument doc);
typedef HostBool(MQModifySelect)(int32_t index, HostDocument doc);
typedef HostBool(MQOnEvent)(HostDocument doc, int32_t event_type, void* option);
} // namespace PluginPrototype
