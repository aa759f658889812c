// The records of a scene: a document's materials and objects, and what the
// Keynote stand-in holds for it (corner normals, skin weights, bones, its
// answers). docs/scene-format.md describes the scene file.
#pragma once

#include <stdint.h>

#include <string>
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
