#include "tests/export/KeynoteBuilder.h"

#include <sys/mman.h>

#include "format/ByteStream.h"
#include "frame/KeynoteLayout.h"

int32_t TestMesh::AddVertex(const Point3& position, const TestSkin& skin) {
    positions.push_back(position);
    skins.push_back(skin);
    return static_cast<int32_t>(positions.size() - 1);
}

TestFace& TestMesh::AddFace(std::initializer_list<int32_t> points, int32_t material) {
    TestFace face;
    face.material = material;
    for (int32_t p : points)
        face.points[face.pointCount++] = p;
    faces.push_back(face);
    return faces.back();
}

void TestMesh::SetFaceNormal(size_t face, const Point3& normal) {
    for (Point3& n : faces[face].normals)
        n = normal;
}

HostObject BuildHostObject(const TestMesh& mesh) {
    HostObject obj = g_host.MQ_CreateObject();
    for (Point3 p : mesh.positions)
        g_host.MQObj_AddVertex(obj, &p);
    for (TestFace face : mesh.faces) {
        int32_t index = g_host.MQObj_AddFace(obj, face.pointCount, face.points);
        g_host.MQObj_SetFaceMaterial(obj, index, face.material);
        g_host.MQObj_SetFaceCoordinateArray(obj, index, face.hostTexCoords);
    }
    g_host.MQObj_SetShading(obj, mesh.shading);
    g_host.MQObj_SetSmoothAngle(obj, mesh.smoothAngle);
    return obj;
}

namespace {

// Anonymous memory whose every address fits 32 bits.
uint8_t* MapLow(size_t size) {
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(MAP_32BIT)
    flags |= MAP_32BIT;
#endif
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, flags, -1, 0);
    if (p == MAP_FAILED)
        return nullptr;
    if (reinterpret_cast<uintptr_t>(p) > UINT32_MAX - size) {
        munmap(p, size);
        return nullptr;
    }
    return static_cast<uint8_t*>(p);
}

uint32_t RefOf(const uint8_t* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

void StorePoint3(uint8_t* p, const Point3& v) {
    StoreF32(p, v.x);
    StoreF32(p + 4, v.y);
    StoreF32(p + 8, v.z);
}

void StoreFace(uint8_t* f, const TestFace& face) {
    StoreU32(f + kXSFacePointCount, static_cast<uint32_t>(face.pointCount));
    for (int i = 0; i < 4; ++i) {
        StoreU32(f + kXSFaceVertexIndex + 4 * i, static_cast<uint32_t>(face.points[i]));
        StoreF32(f + kXSFaceTexCoord + 8 * i, face.texCoords[i].u);
        StoreF32(f + kXSFaceTexCoord + 8 * i + 4, face.texCoords[i].v);
        StorePoint3(f + kXSFaceCornerNormal + 12 * i, face.normals[i]);
    }
    StoreU32(f + kXSFaceMaterial, static_cast<uint32_t>(face.material));
}

void StoreSkin(uint8_t* s, const TestSkin& skin) {
    for (int i = 0; i < 4; ++i) {
        StoreF32(s + kXSSkinWeight + 4 * i, skin.weights[i]);
        StoreU32(s + kXSSkinBone + 4 * i, static_cast<uint32_t>(skin.bones[i]));
    }
}

} // namespace

XSObjectImage::XSObjectImage(const TestMesh& mesh, HostObject host) {
    size_t vertices = mesh.positions.size();
    size_t faces = mesh.faces.size();
    size_t vertexBytes = vertices * kXSVertexStride;
    size_t faceBytes = faces * kXSFaceStride;
    size_t skinBytes = vertices * kXSSkinStride;
    size_ = kXSObjectSize + vertexBytes + faceBytes + skinBytes;
    base_ = MapLow(size_);
    if (base_ == nullptr)
        return;
    uint8_t* vertexArea = base_ + kXSObjectSize;
    faces_ = vertexArea + vertexBytes;
    uint8_t* skinArea = faces_ + faceBytes;

    StoreU32(base_ + kXSObjectHostObject, host);
    StoreU32(base_ + kXSObjectFaceCount, static_cast<uint32_t>(faces));
    StoreU32(base_ + kXSObjectVertices, RefOf(vertexArea));
    StoreU32(base_ + kXSObjectFaces, RefOf(faces_));
    StoreU32(base_ + kXSObjectSkin, RefOf(skinArea));
    for (size_t v = 0; v < vertices; ++v) {
        StorePoint3(vertexArea + v * kXSVertexStride + kXSVertexPosition, mesh.positions[v]);
        StoreSkin(skinArea + v * kXSSkinStride, mesh.skins[v]);
    }
    for (size_t f = 0; f < faces; ++f)
        StoreFace(faces_ + f * kXSFaceStride, mesh.faces[f]);
}

XSObjectImage::~XSObjectImage() {
    if (base_ != nullptr)
        munmap(base_, size_);
}

void XSObjectImage::SetPoint(int32_t face, int corner, int32_t vertex) {
    StoreU32(faces_ + static_cast<size_t>(face) * kXSFaceStride + kXSFaceVertexIndex + 4 * corner,
             static_cast<uint32_t>(vertex));
}
