// Test meshes given once and built twice: as a host object of the simulated
// host and as Keynote's XSObject record describing it, laid out byte for byte
// in memory below 4 GiB so that its 32-bit refs are real addresses.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <initializer_list>
#include <vector>

#include "Plugins/Export/KeynoteDocument.h"

struct TestSkin {
    float weights[4];
    int32_t bones[4];
};

struct TestFace {
    int32_t pointCount = 0;
    int32_t points[4] = {0, 0, 0, 0};
    int32_t material = -1;
    TexCoord texCoords[4] = {};     // Keynote's, stored with new vertices
    Point3 normals[4] = {};         // Keynote's corner normals
    TexCoord hostTexCoords[4] = {}; // the host's, compared by the texture test
};

struct TestMesh {
    std::vector<Point3> positions;
    std::vector<TestSkin> skins;
    std::vector<TestFace> faces;
    int32_t shading = 0; // 0 flat, 1 smooth
    float smoothAngle = 59.5f;

    int32_t AddVertex(const Point3& position, const TestSkin& skin = TestSkin{});
    // A face with the given points; its other fields are set through faces.
    TestFace& AddFace(std::initializer_list<int32_t> points, int32_t material = -1);
    // Every corner of the face gets the same Keynote normal.
    void SetFaceNormal(size_t face, const Point3& normal);
};

// Creates the mesh as an unowned host object through g_host: vertices, faces
// with their host texture coordinates and materials, shading and angle.
HostObject BuildHostObject(const TestMesh& mesh);

// Keynote's record of a mesh whose host object is given; the memory is
// released with the object.
class XSObjectImage {
  public:
    XSObjectImage(const TestMesh& mesh, HostObject host);
    ~XSObjectImage();
    XSObjectImage(const XSObjectImage&) = delete;
    XSObjectImage& operator=(const XSObjectImage&) = delete;

    // Null when no memory below 4 GiB could be had.
    XSRecord Record() const { return base_; }
    // Overwrites one vertex index of a face in the record only.
    void SetPoint(int32_t face, int corner, int32_t vertex);

  private:
    uint8_t* base_ = nullptr;
    size_t size_ = 0;
    uint8_t* faces_ = nullptr;
};
