// The host interface: shared value types, the matrix helpers and the table of
// host functions that MQInit binds by name from the host program.
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#define MQAPI __stdcall
#else
#define MQAPI
#endif

// Opaque host handles. They are 32-bit values in every build so that records
// laid out with 32-bit fields (the Keynote skeleton document) can carry them.
typedef uint32_t HostDocument;
typedef uint32_t HostObject;
typedef uint32_t HostMaterial;
typedef uint32_t HostScene;
typedef uint32_t HostXmlElement;
typedef void* HostWindow;
typedef int32_t HostBool;

struct Point3 {
    float x, y, z;
};

struct TexCoord {
    float u, v;
};

struct ColorRGB {
    float r, g, b;
};

// Sixteen floats, row-major, used with row vectors: rows 0..2 are the axes,
// row 3 (elements 12..14) the translation, fourth column (0, 0, 0, 1).
struct Matrix4 {
    float m[16];
};

static_assert(sizeof(Point3) == 12, "Point3 mirrors three floats");
static_assert(sizeof(TexCoord) == 8, "TexCoord mirrors two floats");
static_assert(sizeof(Matrix4) == 64, "Matrix4 mirrors sixteen floats");

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

// Message kind of a user message between plug-ins.
enum : int32_t { kHostMessageUser = 101 };

// A function the plug-ins bind but never call.
typedef int32_t(MQAPI* HostUnusedFunction)(void);

// The host functions in binding order. C(ret, name, params) is a function the
// plug-ins call (typed); U(name) one they only bind.
#define MQ_HOST_FUNCTIONS(C, U)                                                                    \
    C(HostWindow, MQ_GetWindowHandle, (void))                                                      \
    C(HostObject, MQ_CreateObject, (void))                                                         \
    C(HostMaterial, MQ_CreateMaterial, (void))                                                     \
    U(MQ_ShowFileDialog)                                                                           \
    U(MQ_ImportAxis)                                                                               \
    U(MQ_ExportAxis)                                                                               \
    C(HostBool, MQ_LoadImage, (const char* path, void** header, void** pixels, int32_t reserved))  \
    U(MQ_GetSystemPath)                                                                            \
    U(MQ_RefreshView)                                                                              \
    U(MQ_StationCallback)                                                                          \
    C(HostBool, MQ_SendMessage, (int32_t kind, void* record))                                      \
    C(int32_t, MQDoc_GetObjectCount, (HostDocument doc))                                           \
    C(HostObject, MQDoc_GetObject, (HostDocument doc, int32_t index))                              \
    U(MQDoc_GetCurrentObjectIndex)                                                                 \
    U(MQDoc_SetCurrentObjectIndex)                                                                 \
    C(int32_t, MQDoc_AddObject, (HostDocument doc, HostObject obj))                                \
    U(MQDoc_DeleteObject)                                                                          \
    U(MQDoc_GetObjectIndex)                                                                        \
    C(int32_t, MQDoc_GetMaterialCount, (HostDocument doc))                                         \
    C(HostMaterial, MQDoc_GetMaterial, (HostDocument doc, int32_t index))                          \
    U(MQDoc_GetCurrentMaterialIndex)                                                               \
    U(MQDoc_SetCurrentMaterialIndex)                                                               \
    C(int32_t, MQDoc_AddMaterial, (HostDocument doc, HostMaterial mat))                            \
    U(MQDoc_DeleteMaterial)                                                                        \
    U(MQDoc_Compact)                                                                               \
    U(MQDoc_ClearSelect)                                                                           \
    U(MQDoc_AddSelectVertex)                                                                       \
    U(MQDoc_DeleteSelectVertex)                                                                    \
    U(MQDoc_IsSelectVertex)                                                                        \
    U(MQDoc_AddSelectLine)                                                                         \
    U(MQDoc_DeleteSelectLine)                                                                      \
    U(MQDoc_IsSelectLine)                                                                          \
    U(MQDoc_AddSelectFace)                                                                         \
    U(MQDoc_DeleteSelectFace)                                                                      \
    U(MQDoc_IsSelectFace)                                                                          \
    U(MQDoc_AddSelectUVVertex)                                                                     \
    U(MQDoc_DeleteSelectUVVertex)                                                                  \
    U(MQDoc_IsSelectUVVertex)                                                                      \
    C(HostBool, MQDoc_FindMappingFile,                                                             \
      (HostDocument doc, char* outPath, const char* name, int32_t kind))                           \
    U(MQDoc_GetScene)                                                                              \
    U(MQDoc_GetParentObject)                                                                       \
    U(MQDoc_GetChildObjectCount)                                                                   \
    U(MQDoc_GetChildObject)                                                                        \
    U(MQDoc_GetGlobalMatrix)                                                                       \
    U(MQDoc_GetGlobalInverseMatrix)                                                                \
    U(MQDoc_InsertObject)                                                                          \
    U(MQScene_InitSize)                                                                            \
    U(MQScene_GetProjMatrix)                                                                       \
    U(MQScene_GetViewMatrix)                                                                       \
    U(MQScene_FloatValue)                                                                          \
    U(MQScene_GetVisibleFace)                                                                      \
    C(void, MQObj_Delete, (HostObject obj))                                                        \
    C(HostObject, MQObj_Clone, (HostObject obj))                                                   \
    U(MQObj_Merge)                                                                                 \
    U(MQObj_Freeze)                                                                                \
    C(void, MQObj_GetName, (HostObject obj, char* buffer, int32_t size))                           \
    C(int32_t, MQObj_GetVertexCount, (HostObject obj))                                             \
    C(void, MQObj_GetVertex, (HostObject obj, int32_t index, Point3 * out))                        \
    C(void, MQObj_SetVertex, (HostObject obj, int32_t index, const Point3* p))                     \
    U(MQObj_GetVertexArray)                                                                        \
    C(int32_t, MQObj_GetFaceCount, (HostObject obj))                                               \
    C(int32_t, MQObj_GetFacePointCount, (HostObject obj, int32_t face))                            \
    C(void, MQObj_GetFacePointArray, (HostObject obj, int32_t face, int32_t * points))             \
    C(void, MQObj_GetFaceCoordinateArray, (HostObject obj, int32_t face, TexCoord * uv))           \
    C(int32_t, MQObj_GetFaceMaterial, (HostObject obj, int32_t face))                              \
    U(MQObj_GetFaceUniqueID)                                                                       \
    U(MQObj_GetFaceIndexFromUniqueID)                                                              \
    C(void, MQObj_SetName, (HostObject obj, const char* name))                                     \
    C(int32_t, MQObj_AddVertex, (HostObject obj, const Point3* p))                                 \
    U(MQObj_DeleteVertex)                                                                          \
    C(int32_t, MQObj_GetVertexRefCount, (HostObject obj, int32_t index))                           \
    U(MQObj_GetVertexUniqueID)                                                                     \
    U(MQObj_GetVertexIndexFromUniqueID)                                                            \
    U(MQObj_GetVertexWeight)                                                                       \
    U(MQObj_SetVertexWeight)                                                                       \
    U(MQObj_CopyVertexAttribute)                                                                   \
    C(int32_t, MQObj_AddFace, (HostObject obj, int32_t count, const int32_t* points))              \
    U(MQObj_DeleteFace)                                                                            \
    U(MQObj_InvertFace)                                                                            \
    C(void, MQObj_SetFaceMaterial, (HostObject obj, int32_t face, int32_t material))               \
    C(void, MQObj_SetFaceCoordinateArray, (HostObject obj, int32_t face, const TexCoord* uv))      \
    C(uint32_t, MQObj_GetFaceVertexColor, (HostObject obj, int32_t face, int32_t corner))          \
    C(void, MQObj_SetFaceVertexColor,                                                              \
      (HostObject obj, int32_t face, int32_t corner, uint32_t color))                              \
    U(MQObj_OptimizeVertex)                                                                        \
    C(void, MQObj_Compact, (HostObject obj))                                                       \
    C(int32_t, MQObj_GetVisible, (HostObject obj))                                                 \
    C(void, MQObj_SetVisible, (HostObject obj, int32_t visible))                                   \
    U(MQObj_GetPatchType)                                                                          \
    C(void, MQObj_SetPatchType, (HostObject obj, int32_t type))                                    \
    U(MQObj_GetPatchSegment)                                                                       \
    U(MQObj_SetPatchSegment)                                                                       \
    C(int32_t, MQObj_GetShading, (HostObject obj))                                                 \
    C(void, MQObj_SetShading, (HostObject obj, int32_t shading))                                   \
    C(float, MQObj_GetSmoothAngle, (HostObject obj))                                               \
    C(void, MQObj_SetSmoothAngle, (HostObject obj, float degrees))                                 \
    U(MQObj_GetMirrorType)                                                                         \
    C(void, MQObj_SetMirrorType, (HostObject obj, int32_t type))                                   \
    U(MQObj_GetMirrorAxis)                                                                         \
    U(MQObj_SetMirrorAxis)                                                                         \
    U(MQObj_GetMirrorDistance)                                                                     \
    U(MQObj_SetMirrorDistance)                                                                     \
    U(MQObj_GetLatheType)                                                                          \
    C(void, MQObj_SetLatheType, (HostObject obj, int32_t type))                                    \
    U(MQObj_GetLatheAxis)                                                                          \
    U(MQObj_SetLatheAxis)                                                                          \
    U(MQObj_GetLatheSegment)                                                                       \
    U(MQObj_SetLatheSegment)                                                                       \
    C(HostBool, MQObj_GetIntValue, (HostObject obj, int32_t id, int32_t * values))                 \
    C(HostBool, MQObj_GetFloatArray, (HostObject obj, int32_t id, float* values))                  \
    C(HostBool, MQObj_SetIntValue, (HostObject obj, int32_t id, const int32_t* values))            \
    C(HostBool, MQObj_SetFloatArray, (HostObject obj, int32_t id, const float* values))            \
    C(void, MQMat_Delete, (HostMaterial mat))                                                      \
    C(HostBool, MQMat_GetIntValue, (HostMaterial mat, int32_t id, int32_t * values))               \
    U(MQMat_GetFloatArray)                                                                         \
    C(void, MQMat_GetName, (HostMaterial mat, char* buffer, int32_t size))                         \
    C(void, MQMat_GetColor, (HostMaterial mat, ColorRGB * out))                                    \
    C(float, MQMat_GetAlpha, (HostMaterial mat))                                                   \
    C(float, MQMat_GetDiffuse, (HostMaterial mat))                                                 \
    C(float, MQMat_GetAmbient, (HostMaterial mat))                                                 \
    C(float, MQMat_GetEmission, (HostMaterial mat))                                                \
    C(float, MQMat_GetSpecular, (HostMaterial mat))                                                \
    C(float, MQMat_GetPower, (HostMaterial mat))                                                   \
    C(void, MQMat_GetTextureName, (HostMaterial mat, char* buffer, int32_t size))                  \
    C(void, MQMat_GetAlphaName, (HostMaterial mat, char* buffer, int32_t size))                    \
    C(void, MQMat_GetBumpName, (HostMaterial mat, char* buffer, int32_t size))                     \
    C(HostBool, MQMat_SetIntValue, (HostMaterial mat, int32_t id, const int32_t* values))          \
    U(MQMat_SetFloatArray)                                                                         \
    C(void, MQMat_SetName, (HostMaterial mat, const char* name))                                   \
    C(void, MQMat_SetColor, (HostMaterial mat, const ColorRGB* color))                             \
    C(void, MQMat_SetAlpha, (HostMaterial mat, float value))                                       \
    C(void, MQMat_SetDiffuse, (HostMaterial mat, float value))                                     \
    C(void, MQMat_SetAmbient, (HostMaterial mat, float value))                                     \
    C(void, MQMat_SetEmission, (HostMaterial mat, float value))                                    \
    C(void, MQMat_SetSpecular, (HostMaterial mat, float value))                                    \
    C(void, MQMat_SetPower, (HostMaterial mat, float value))                                       \
    C(void, MQMat_SetTextureName, (HostMaterial mat, const char* name))                            \
    C(void, MQMat_SetAlphaName, (HostMaterial mat, const char* name))                              \
    C(void, MQMat_SetBumpName, (HostMaterial mat, const char* name))                               \
    C(void, MQMatrix_FloatValue, (Matrix4 * matrix, int32_t id, float* values))                    \
    U(MQXmlElem_Value)

enum { kHostFunctionCount = 140 };

// One entry per host function, empty until MQInit binds it.
struct HostFunctionTable {
#define MQ_TABLE_TYPED(ret, name, params) ret(MQAPI* name) params;
#define MQ_TABLE_UNUSED(name) HostUnusedFunction name;
    MQ_HOST_FUNCTIONS(MQ_TABLE_TYPED, MQ_TABLE_UNUSED)
#undef MQ_TABLE_TYPED
#undef MQ_TABLE_UNUSED
};

static_assert(sizeof(HostFunctionTable) == kHostFunctionCount * sizeof(void*),
              "the table holds exactly the host functions");

// The table of this module (each DLL has its own).
extern HostFunctionTable g_host;

// The host function names in binding order.
extern const char* const kHostFunctionNames[kHostFunctionCount];
