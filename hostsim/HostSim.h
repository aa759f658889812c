// The simulated host: a small document model behind the 140 host functions,
// and the C++ interface that the command and the tests use to set it up,
// inspect it and save it.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "frame/MQHost.h"
#include "hostsim/CornerArray.h"

// One face: 1 to 4 corners, each with a vertex index, a texture coordinate and
// a packed colour 0xAABBGGRR.
// A face of any number of points (2 or more).
struct HostSimFace {
    int32_t pointCount = 0;
    CornerArray<int32_t> points;
    int32_t material = -1; // -1: no material
    CornerArray<TexCoord> uv;
    CornerArray<uint32_t> colors{0xFFFFFFFFu};
    bool hasColors = false; // set once any corner colour was given

    // Sets the point count with room for every corner's values.
    void Resize(int32_t count) {
        pointCount = count;
        points.Reserve(count, 0);
        uv.Reserve(count, TexCoord{0.0f, 0.0f});
        colors.Reserve(count, 0xFFFFFFFFu);
    }
};

struct HostSimObject {
    std::string name;
    std::vector<Point3> vertices;
    std::vector<HostSimFace> faces;
    // Number of faces using each vertex, kept up to date by every change.
    std::vector<int32_t> vertexRefCounts;
    int32_t shading = 1; // 0 flat, 1 smooth
    float smoothAngle = 59.5f;
    uint32_t visible = 0xFFFFFFFFu; // 0 hidden
    int32_t patchType = 0;
    int32_t mirrorType = 0;
    int32_t latheType = 0;
    int32_t depth = 0;
    int32_t colorType = 0;
    ColorRGB color = {0.898f, 0.498f, 0.698f};
    HostDocument owner = 0; // 0 while the creator owns it
};

struct HostSimMaterial {
    std::string name;
    ColorRGB color = {1.0f, 1.0f, 1.0f};
    float alpha = 1.0f;
    float diffuse = 0.8f;
    float ambient = 0.6f;
    float emission = 0.0f;
    float specular = 0.0f;
    float power = 5.0f;
    std::string textureName;
    std::string alphaName;
    std::string bumpName;
    int32_t shader = 3;      // 0 classic, 1 constant, 2 Lambert, 3 Phong, 4 Blinn
    int32_t vertexColor = 0; // 0 off, 1 on
    HostDocument owner = 0;
};

struct HostSimDocument {
    std::string folder; // where mapping files are looked for
    std::vector<HostObject> objects;
    std::vector<HostMaterial> materials;
};

// Receives a user message (kind 101) sent with MQ_SendMessage; the record is
// the sender's, answers go through its "result" cell. Returns the truth value
// MQ_SendMessage returns.
typedef HostBool (*HostSimUserMessageHandler)(void* user, void* record);

// Drops every document, object and material and restores the defaults
// (no message handler, the fixed window handle).
void HostSimReset();

// A new empty document whose mapping files are looked for in folder.
HostDocument HostSimCreateDocument(const char* folder);
// Releases the document with every object and material it owns.
void HostSimDestroyDocument(HostDocument doc);

// Read access for inspection; null for an unknown handle.
const HostSimDocument* HostSimFindDocument(HostDocument doc);
const HostSimObject* HostSimFindObject(HostObject obj);
const HostSimMaterial* HostSimFindMaterial(HostMaterial mat);

// Live objects and materials that no document owns yet.
int HostSimUnownedObjectCount();
int HostSimUnownedMaterialCount();

void HostSimSetUserMessageHandler(HostSimUserMessageHandler handler, void* user);
// The window handle MQ_GetWindowHandle returns (a fixed non-null value by default).
void HostSimSetWindowHandle(HostWindow window);

// Called by HostSimReset before the host forgets its documents, so that a
// resident plug-in stand-in (Keynote) can release what it keeps per document.
// Registering the same hook again changes nothing.
typedef void (*HostSimResetHook)();
void HostSimAddResetHook(HostSimResetHook hook);

// A plug-in handed a host function a value the real host would misread (an
// attribute id it does not know, a value outside the host's range, an index
// past the object, a handle it never gave out). By default the simulated host
// prints the breach on stderr and ends the program, so the test or command
// that did it fails loudly; a test that probes these checks installs its own
// handler (null restores the default). The call itself then changes nothing.
typedef void (*HostSimBreachHandler)(const char* function, const char* detail);
void HostSimSetBreachHandler(HostSimBreachHandler handler);

// Every host function of this host, in binding order. Referencing the table
// also keeps every exported host function in a static link.
const HostFunctionTable* HostSimFunctions();
