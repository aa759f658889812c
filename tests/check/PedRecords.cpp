#include "tests/check/PedRecords.h"

#include <stdio.h>
#include <string.h>

#include "format/ClumpLayout.h"

std::vector<int32_t> PedBoneIds() {
    return {0,  1,  2,  3,  4,  5,  6,  7,  8,  21, 22, 23, 24, 25,  26,  31,
            32, 33, 34, 35, 36, 41, 42, 43, 44, 51, 52, 53, 54, 201, 301, 302};
}

namespace {

void MakeFrames(FrameListRecord& f, const std::vector<int32_t>& ids) {
    const size_t n = ids.size() + 1;
    f.frameCount = static_cast<int32_t>(n);
    f.frames.Allocate(n);
    f.extensions.Allocate(n);
    f.frames[0] = FrameRecord{{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}, -1, kFrameFlagNotBone | 3};
    for (size_t i = 1; i < n; ++i) {
        f.frames[i] = FrameRecord{{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0.1f}, 1, 3};
        FrameExtensionRecord& e = f.extensions[i];
        e.hasHAnim = true;
        e.hanim.header = HAnimHeader{kHAnimVersion, ids[i - 1], 0};
        e.hasName = true;
        snprintf(e.name, sizeof e.name, "bone%zu", i);
    }
    f.frames[1].parentIndex = 0;
    HAnimPlgRecord& h = f.extensions[1].hanim;
    h.header.nodeCount = static_cast<int32_t>(ids.size());
    h.hierarchy = HAnimHierarchyHeader{0, kHAnimKeyFrameSize};
    h.nodes.Allocate(ids.size());
    for (size_t k = 0; k < ids.size(); ++k)
        h.nodes[k] = HAnimNodeRecord{ids[k], static_cast<int32_t>(k), 0};
}

void MakeMaterials(MaterialListRecord& m) {
    m.count = 1;
    m.materials.Allocate(1);
    MaterialRecord& r = m.materials[0];
    r.present = true;
    r.hasStruct = true;
    r.values = MaterialStruct{0, {255, 255, 255, 255}, kMaterialReserved, 1, 1.0f, 0.0f, 1.0f};
    r.hasTexture = true;
    strcpy(r.textureName, "body");
}

void MakeBinMesh(BinMeshRecord& b) {
    b.meshFlags = 0;
    b.totalIndexCount = 6;
    b.meshes.Allocate(1);
    b.meshes[0].materialIndex = 0;
    b.meshes[0].indices.Allocate(6);
    const uint32_t indices[6] = {0, 1, 2, 1, 3, 2};
    memcpy(b.meshes[0].indices.Data(), indices, sizeof indices);
}

void MakeSkin(SkinRecord& s, size_t bones) {
    s.boneCount = static_cast<uint8_t>(bones);
    s.usedBoneCount = 3;
    s.maxWeightsPerVertex = 2;
    s.usedBoneIndices.Allocate(3);
    for (uint8_t b = 0; b < 3; ++b)
        s.usedBoneIndices[b] = b;
    s.inverseMatrices.Allocate(16 * bones);
    for (size_t b = 0; b < bones; ++b)
        for (size_t k = 0; k < 4; ++k)
            s.inverseMatrices[16 * b + 5 * k] = 1.0f;
}

} // namespace

void ResizePedVertices(PedRecords* ped, int32_t count) {
    GeometryRecord& g = ped->geometry;
    const size_t n = static_cast<size_t>(count);
    g.header.vertexCount = count;
    g.positions.Allocate(3 * n);
    g.normals.Allocate(3 * n);
    g.texCoords.Allocate(2 * n);
    SkinRecord& s = ped->skin;
    s.vertexCount = static_cast<uint32_t>(count);
    s.boneIndices.Allocate(4 * n);
    s.weights.Allocate(4 * n);
    for (size_t v = 0; v < n; ++v) {
        g.normals[3 * v + 2] = 1.0f;
        s.weights[4 * v] = 1.0f;
    }
    // The quad's own weights.
    const uint8_t bones[4][2] = {{0, 1}, {0, 0}, {1, 0}, {2, 0}};
    const float weights[4][2] = {{0.5f, 0.5f}, {1, 0}, {1, 0}, {1, 0}};
    for (size_t v = 0; v < 4 && v < n; ++v)
        for (size_t k = 0; k < 2; ++k) {
            s.boneIndices[4 * v + k] = bones[v][k];
            s.weights[4 * v + k] = weights[v][k];
        }
}

void MakePed(PedRecords* ped, const std::vector<int32_t>& ids) {
    MakeFrames(ped->frames, ids);
    GeometryRecord& g = ped->geometry;
    g.header = GeometryHeader{
        kGeometryPositions | kGeometryTextured | kGeometryNormals | kGeometryLight, 1, 0, 2, 4, 1};
    ResizePedVertices(ped, 4);
    const float corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (size_t v = 0; v < 4; ++v) {
        g.positions[3 * v] = corners[v][0];
        g.positions[3 * v + 2] = corners[v][1];
        g.texCoords[2 * v] = corners[v][0];
        g.texCoords[2 * v + 1] = corners[v][1];
    }
    g.triangles.Allocate(2);
    g.triangles[0] = TriangleRecord{1, 0, 0, 2};
    g.triangles[1] = TriangleRecord{3, 1, 0, 2};
    g.morphTarget = MorphTargetHeader{{0.5f, 0, 0.5f, 1.0f}, 1, 1};
    MakeMaterials(ped->materials);
    MakeBinMesh(ped->binMesh);
    MakeSkin(ped->skin, ids.size());
    ped->atomic.atomic = AtomicStruct{0, 0, kAtomicCollisionTestAndRender, 0};
    ped->atomic.hasRightToRender = true;
    ped->atomic.rightToRender = RightToRenderBody{kRightToRenderPlugin, kRightToRenderExtraData};
}

std::vector<uint8_t> PedBytes(const PedRecords& ped) {
    MemoryStream s;
    SectionStack stack;
    BeginClump(s, stack, ClumpStruct{1, 0, 0});
    WriteFrameListSection(s, ped.frames);
    WriteGeometryListSection(s, ped.geometry, ped.materials, ped.binMesh, ped.skin);
    WriteAtomicSection(s, ped.atomic);
    EndClump(s, stack);
    return s.Data();
}
