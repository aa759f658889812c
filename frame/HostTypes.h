// The value and handle types that cross the host interface, and its calling
// convention.
#pragma once

#include <stdint.h>

// Host functions are stdcall on 32-bit Windows (the callee removes the
// arguments); 64-bit Windows and the native build have one convention.
#if defined(_WIN32)
#define MQAPI __stdcall
#else
#define MQAPI
#endif

// Opaque host handles (the host's MQDocument, MQObject, MQMaterial, MQScene
// and MQXmlElement pointers). They are 32-bit values in every build so that
// records laid out with 32-bit fields (the Keynote skeleton document) can
// carry them; on 32-bit Windows they pass exactly as the host's pointers do.
typedef uint32_t HostDocument;
typedef uint32_t HostObject;
typedef uint32_t HostMaterial;
typedef uint32_t HostScene;
typedef uint32_t HostXmlElement;
typedef void* HostWindow;
// The host's BOOL (int) and DWORD (32 bits unsigned).
typedef int32_t HostBool;
typedef uint32_t HostDword;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(HostDocument) == sizeof(void*), "handles pass as the host's pointers");
#endif

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

// Records the plug-ins pass by pointer only: the file dialog's settings
// (never used here) and the user message between plug-ins (frame/UserMessage.h).
struct MQFileDialogInfo;
struct UserMessageRecord;

// Called back by MQ_StationCallback (never used here).
typedef HostBool(MQAPI* HostStationCallback)(HostDocument doc, void* option);
