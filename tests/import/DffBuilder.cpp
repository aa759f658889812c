#include "tests/import/DffBuilder.h"

#include <math.h>

#include <algorithm>

#include "format/AtomicLayout.h"
#include "format/SkinLayout.h"

namespace {

void WriteFrameList(ByteStream& s, const std::vector<TestFrame>& frames) {
    SectionStack stack;
    BeginSection(s, stack, kSectionFrameList);
    BeginSection(s, stack, kSectionStruct);
    WriteI32(s, static_cast<int32_t>(frames.size()));
    for (const TestFrame& f : frames) {
        FrameRecord r;
        for (int i = 0; i < 9; ++i)
            r.rotation[i] = f.rotation[i];
        for (int i = 0; i < 3; ++i)
            r.position[i] = f.position[i];
        r.parentIndex = f.parent;
        r.matrixFlags = f.flags;
        WriteFrameRecord(s, r);
    }
    EndSection(s, stack);
    for (const TestFrame& f : frames) {
        BeginSection(s, stack, kSectionExtension);
        if (f.writeHAnim) {
            HAnimPlgRecord h;
            h.header = {kHAnimVersion, f.nodeId, static_cast<int32_t>(f.hierarchy.size())};
            h.hierarchy = {0, kHAnimKeyFrameSize};
            h.nodes.Allocate(f.hierarchy.size());
            std::copy(f.hierarchy.begin(), f.hierarchy.end(), h.nodes.Data());
            WriteHAnimSection(s, h);
        }
        if (f.writeName) // names of any length, so that the reader's cut is tested
            WriteFrameNameSection(s, f.name.c_str());
        EndSection(s, stack);
    }
    EndSection(s, stack);
}

void WriteMaterial(ByteStream& s, const TestMaterial& m) {
    SectionStack stack;
    BeginSection(s, stack, kSectionMaterial);
    if (m.writeStruct) {
        BeginSection(s, stack, kSectionStruct);
        MaterialStruct r = {0,
                            {m.rgba[0], m.rgba[1], m.rgba[2], m.rgba[3]},
                            kMaterialReserved,
                            m.texture.empty() ? 0 : 1,
                            m.ambient,
                            m.specular,
                            m.diffuse};
        WriteMaterialStruct(s, r);
        EndSection(s, stack);
    }
    if (!m.texture.empty()) {
        BeginSection(s, stack, kSectionTexture);
        BeginSection(s, stack, kSectionStruct);
        WriteU32(s, kTextureSampling);
        EndSection(s, stack);
        WriteStringSection(s, m.texture.c_str());
        WriteStringSection(s, "");
        WriteEmptyExtension(s);
        EndSection(s, stack);
    }
    WriteEmptyExtension(s);
    EndSection(s, stack);
}

void WriteGeometryStruct(ByteStream& s, const TestGeometry& g) {
    SectionStack stack;
    BeginSection(s, stack, kSectionStruct);
    GeometryHeader h = {g.flags,
                        g.texCoordSets,
                        0,
                        static_cast<int32_t>(g.triangles.size()),
                        static_cast<int32_t>(g.vertices.size()),
                        1};
    WriteGeometryHeader(s, h);
    if (g.flags & kGeometryPrelit)
        for (uint32_t c : g.colours)
            WriteU32(s, c);
    uint32_t sets =
        (g.flags & kGeometryTextured2) ? g.texCoordSets : ((g.flags & kGeometryTextured) ? 1 : 0);
    for (uint32_t set = 0; set < sets; ++set)
        for (const TexCoord& t : g.texCoords) {
            WriteF32(s, t.u + static_cast<float>(set)); // later sets differ from the first
            WriteF32(s, t.v);
        }
    for (const TestTriangle& t : g.triangles) {
        uint8_t bytes[kTriangleRecordSize];
        StoreTriangleRecord(bytes, TriangleRecord{t.b, t.a, t.material, t.c});
        s.Write(bytes, sizeof bytes);
    }
    float radius = 0;
    for (const Point3& p : g.vertices)
        radius = fmaxf(radius, sqrtf(p.x * p.x + p.y * p.y + p.z * p.z));
    WriteMorphTargetHeader(s, MorphTargetHeader{{0, 0, 0, radius}, 1, 0});
    for (const Point3& p : g.vertices) {
        WriteF32(s, p.x);
        WriteF32(s, p.y);
        WriteF32(s, p.z);
    }
    EndSection(s, stack);
}

void WriteBinMesh(ByteStream& s, const TestGeometry& g) {
    SectionStack stack;
    BeginSection(s, stack, kSectionBinMeshPlg);
    uint32_t meshes = static_cast<uint32_t>(g.materials.size());
    uint8_t header[kBinMeshHeaderSize];
    StoreBinMeshHeader(header,
                       BinMeshHeader{0, meshes, 3 * static_cast<uint32_t>(g.triangles.size())});
    s.Write(header, sizeof header);
    for (uint32_t m = 0; m < meshes; ++m) {
        uint32_t count = 0;
        for (const TestTriangle& t : g.triangles)
            count += t.material == m ? 3 : 0;
        WriteU32(s, count);
        WriteU32(s, m);
        for (const TestTriangle& t : g.triangles)
            if (t.material == m) {
                WriteU32(s, t.a);
                WriteU32(s, t.b);
                WriteU32(s, t.c);
            }
    }
    EndSection(s, stack);
}

void WriteSkin(ByteStream& s, const TestSkin& skin) {
    SkinRecord r;
    r.boneCount = skin.boneCount;
    r.usedBoneCount = skin.boneCount;
    r.maxWeightsPerVertex = kSkinMaxWeightsPerVertex;
    r.vertexCount = static_cast<uint32_t>(skin.indices.size() / 4);
    r.usedBoneIndices.Allocate(skin.boneCount);
    for (uint8_t i = 0; i < skin.boneCount; ++i)
        r.usedBoneIndices[i] = i;
    r.boneIndices.Allocate(skin.indices.size());
    std::copy(skin.indices.begin(), skin.indices.end(), r.boneIndices.Data());
    r.weights.Allocate(skin.weights.size());
    std::copy(skin.weights.begin(), skin.weights.end(), r.weights.Data());
    r.inverseMatrices.Allocate(skin.matrices.size());
    std::copy(skin.matrices.begin(), skin.matrices.end(), r.inverseMatrices.Data());
    WriteSkinPlg(s, r);
}

void WriteAtomic(ByteStream& s, int32_t frame) {
    SectionStack stack;
    BeginSection(s, stack, kSectionAtomic);
    BeginSection(s, stack, kSectionStruct);
    WriteAtomicStruct(s, AtomicStruct{frame, 0, kAtomicCollisionTestAndRender, 0});
    EndSection(s, stack);
    WriteEmptyExtension(s);
    EndSection(s, stack);
}

void WriteGeometryList(ByteStream& s, const TestGeometry& g) {
    SectionStack stack;
    BeginSection(s, stack, kSectionGeometryList);
    BeginSection(s, stack, kSectionStruct);
    WriteI32(s, 1);
    EndSection(s, stack);
    BeginSection(s, stack, kSectionGeometry);
    WriteGeometryStruct(s, g);
    if (g.writeMaterialList) {
        BeginSection(s, stack, kSectionMaterialList);
        BeginSection(s, stack, kSectionStruct);
        WriteI32(s, static_cast<int32_t>(g.materials.size()));
        for (size_t i = 0; i < g.materials.size(); ++i)
            WriteI32(s, -1);
        EndSection(s, stack);
        for (const TestMaterial& m : g.materials)
            WriteMaterial(s, m);
        EndSection(s, stack);
    }
    BeginSection(s, stack, kSectionExtension);
    if (g.writeBinMesh)
        WriteBinMesh(s, g);
    if (g.writeSkin)
        WriteSkin(s, g.skin);
    EndSection(s, stack);
    EndSection(s, stack);
    EndSection(s, stack);
}

} // namespace

std::vector<uint8_t> BuildDff(const std::vector<TestClump>& clumps) {
    MemoryStream s;
    for (const TestClump& clump : clumps) {
        SectionStack stack;
        BeginSection(s, stack, kSectionClump);
        BeginSection(s, stack, kSectionStruct);
        WriteClumpStruct(s, ClumpStruct{1, 0, 0});
        EndSection(s, stack);
        WriteFrameList(s, clump.frames);
        WriteGeometryList(s, clump.geometry);
        if (clump.atomicFrame >= 0)
            WriteAtomic(s, clump.atomicFrame);
        WriteEmptyExtension(s);
        EndSection(s, stack);
    }
    return s.Data();
}

TestClump MakeClumpWithBones(const std::vector<std::string>& names) {
    TestClump clump;
    TestFrame root;
    root.flags = kFrameFlagNotBone | 3;
    root.writeHAnim = false;
    root.writeName = false;
    clump.frames.push_back(root);
    for (size_t i = 0; i < names.size(); ++i) {
        TestFrame bone;
        bone.name = names[i];
        bone.parent = 0;
        bone.nodeId = static_cast<int32_t>(100 + i);
        clump.frames.push_back(bone);
    }
    for (size_t i = 0; i < names.size(); ++i)
        clump.frames[1].hierarchy.push_back(
            HAnimNodeRecord{static_cast<int32_t>(100 + i), static_cast<int32_t>(i), 0});
    clump.geometry.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    clump.geometry.texCoords = {{0, 0}, {1, 0}, {0, 1}};
    clump.geometry.triangles = {{0, 1, 2, 0}};
    clump.geometry.materials.resize(1);
    return clump;
}

TestClump MakeSimpleClump() {
    TestClump clump = MakeClumpWithBones({"Root", "Pelvis", "Spine"});
    // A chain along each parent's x axis.
    clump.frames[2].parent = 1;
    clump.frames[3].parent = 2;
    clump.frames[2].position[0] = 0.5f;
    clump.frames[3].position[0] = 0.5f;
    clump.frames[3].hierarchy.clear();
    TestGeometry& g = clump.geometry;
    g.vertices = {{0.01f, -0.5f, 1.25f}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    g.texCoords = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    g.triangles = {{0, 1, 2, 1}, {1, 3, 2, 0}};
    g.materials.resize(2);
    g.materials[0].rgba[0] = 51;
    g.materials[0].texture = "skin";
    g.materials[1].rgba[3] = 128;
    g.materials[1].ambient = 0.25f;
    g.materials[1].specular = 0.75f;
    return clump;
}
