// JSON scenes: a document's materials and objects, and what the Keynote
// stand-in holds for it (corner normals, skin weights, bones, its answers).
// docs/scene-format.md describes the format.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "hostsim/CornerArray.h"
#include "hostsim/KeynoteStandIn.h"

struct SceneMaterial {
    std::string name;
    ColorRGB color = {1.0f, 1.0f, 1.0f};
    float alpha = 1.0f;
    float diffuse = 0.8f;
    float ambient = 0.6f;
    float emission = 0.0f;
    float specular = 0.0f;
    float power = 5.0f;
    int32_t shader = 3; // 0 classic, 1 constant, 2 Lambert, 3 Phong, 4 Blinn
    bool vertexColor = false;
    std::string texture;
    std::string alphaMap;
    std::string bumpMap;
};

// The most points a scene's face may have.
constexpr int32_t kMaxScenePoints = 0xFFFF;

// One corner's two or three numbers as a scene gives them.
struct SceneCorner {
    float value[3];
};

// A face of any number of points; Keynote's records hold the normals of the
// first four.
struct SceneFace {
    int32_t pointCount = 0;
    CornerArray<int32_t> points;
    int32_t material = -1; // -1: no material
    CornerArray<TexCoord> uv;
    KeynoteFaceNormals normals;

    void Resize(int32_t count) {
        pointCount = count;
        points.Reserve(count, 0);
        uv.Reserve(count, TexCoord{0.0f, 0.0f});
    }
};

struct SceneObject {
    std::string name;
    int32_t shading = 1; // 0 flat, 1 smooth
    float smoothAngle = 59.5f;
    bool visible = true;
    int32_t depth = 0;
    bool keynote = true; // whether Keynote holds the object
    std::vector<Point3> vertices;
    std::vector<SceneFace> faces;
    std::vector<KeynoteSkinVertex> skin; // empty or one per vertex
};

struct Scene {
    bool keynotePresent = true;
    int32_t versionAnswer = 0;
    std::vector<SceneMaterial> materials;
    std::vector<SceneObject> objects;
    std::vector<KeynoteBone> bones;
};

// Reads and checks a scene from JSON text. On failure error says what is wrong
// and where ("objects[0].faces[2].points[1]: ...").
bool ParseScene(std::string_view text, Scene* scene, std::string* error);
// The same with the checking reader alone, which builds the JSON tree (what
// ParseScene falls back on when the single-pass reader gives up).
bool ParseSceneChecked(std::string_view text, Scene* scene, std::string* error);

// A new document holding the scene's materials and objects, whose mapping
// files are looked for in folder; the Keynote stand-in gets the scene's data
// for it and is installed as the user message handler.
HostDocument BuildSceneDocument(const Scene& scene, const char* folder);

// ParseScene and BuildSceneDocument: *doc is the new document, or 0 with error set.
bool HostSimLoadSceneText(std::string_view text, const char* folder, HostDocument* doc,
                          std::string* error);
// Loads the scene file at path; the document's folder is the file's folder.
bool HostSimLoadScene(const char* path, HostDocument* doc, std::string* error);
