// Builds .dff files for import tests with the project's own section writers.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "format/ClumpLayout.h"
#include "format/FrameListLayout.h"
#include "format/GeometryLayout.h"
#include "frame/MQHost.h"

struct TestFrame {
    std::string name;
    int32_t parent = -1;
    float rotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    float position[3] = {0, 0, 0};
    uint32_t flags = 3;
    int32_t nodeId = 0;
    std::vector<HAnimNodeRecord> hierarchy; // written when not empty
    bool writeHAnim = true;
    bool writeName = true;
};

struct TestMaterial {
    uint8_t rgba[4] = {255, 255, 255, 255};
    float ambient = 1.0f, specular = 0.0f, diffuse = 1.0f;
    std::string texture; // empty: no Texture section
    bool writeStruct = true;
};

struct TestTriangle {
    uint16_t a, b, c;
    uint16_t material;
};

// A Skin PLG: per vertex four bone indices and weights, per bone a matrix.
struct TestSkin {
    uint8_t boneCount = 0;
    std::vector<uint8_t> indices; // 4 per vertex
    std::vector<float> weights;   // 4 per vertex
    std::vector<float> matrices;  // 16 per bone
};

struct TestGeometry {
    uint16_t flags = kGeometryPositions | kGeometryTextured | kGeometryNormals | kGeometryLight;
    uint8_t texCoordSets = 1;
    std::vector<Point3> vertices;
    std::vector<TexCoord> texCoords; // one per vertex when textured
    std::vector<uint32_t> colours;   // one per vertex when prelit
    std::vector<TestTriangle> triangles;
    std::vector<TestMaterial> materials;
    bool writeMaterialList = true;
    bool writeBinMesh = true;
    bool writeSkin = false;
    TestSkin skin;
};

struct TestClump {
    std::vector<TestFrame> frames;
    TestGeometry geometry;
    int32_t atomicFrame = -1; // an Atomic on this frame when not -1
};

// A root frame (not a bone) and bones Root, Pelvis and Spine in a chain, with
// the hierarchy on the first bone; one textured triangle of two materials.
TestClump MakeSimpleClump();
// A clump made only of the named bone frames, all children of a root frame.
TestClump MakeClumpWithBones(const std::vector<std::string>& names);

std::vector<uint8_t> BuildDff(const std::vector<TestClump>& clumps);
