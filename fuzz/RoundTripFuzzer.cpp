// libFuzzer target: makes a random valid model from the input (frames with
// HAnim PLGs and names, a geometry with its arrays, materials, Bin Mesh and
// Skin PLGs, an atomic), writes it as a clump with the format writers, reads
// it back with the readers and stops (abort) at the first field that did not
// come back as written.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <fuzzer/FuzzedDataProvider.h>

#include "format/AtomicLayout.h"
#include "format/ByteStream.h"
#include "format/ClumpLayout.h"
#include "format/FrameListLayout.h"
#include "format/GeometryLayout.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition)
        return;
    fprintf(stderr, "round-trip fuzzer: %s\n", what);
    abort();
}

// Floats as bits: a written NaN must come back with the same bits.
bool SameFloats(const float* a, const float* b, size_t count) {
    return count == 0 || memcmp(a, b, count * sizeof(float)) == 0;
}

// Any bits but the non-finite ones, which the writers refuse.
float FiniteFloat(FuzzedDataProvider& in) {
    float f = in.ConsumeFloatingPoint<float>();
    return f == f && f - f == 0.0f ? f : 0.0f;
}

void FillFloats(FuzzedDataProvider& in, float* out, size_t count) {
    for (size_t i = 0; i < count; ++i)
        out[i] = FiniteFloat(in);
}

// A name of 0 to 63 bytes without a zero byte.
void FillName(FuzzedDataProvider& in, char* out, size_t size) {
    size_t length = in.ConsumeIntegralInRange<size_t>(0, size - 1);
    for (size_t i = 0; i < length; ++i)
        out[i] = static_cast<char>(in.ConsumeIntegralInRange<int>(1, 255));
    out[length] = '\0';
}

struct Model {
    FrameListRecord frames;
    GeometryRecord geometry;
    MaterialListRecord materials;
    BinMeshRecord binMesh;
    SkinRecord skin;
    AtomicRecord atomic;
};

bool MakeFrames(FuzzedDataProvider& in, FrameListRecord& r) {
    r.frameCount = in.ConsumeIntegralInRange<int32_t>(1, 40);
    size_t n = static_cast<size_t>(r.frameCount);
    if (!r.frames.Allocate(n) || !r.extensions.Allocate(n))
        return false;
    for (size_t i = 0; i < n; ++i) {
        FrameRecord& f = r.frames[i];
        FillFloats(in, f.rotation, 9);
        FillFloats(in, f.position, 3);
        f.parentIndex = in.ConsumeIntegralInRange<int32_t>(-1, static_cast<int32_t>(i) - 1);
        f.matrixFlags = in.ConsumeIntegral<uint32_t>();
        FrameExtensionRecord& e = r.extensions[i];
        e.hasHAnim = in.ConsumeBool();
        if (e.hasHAnim) {
            HAnimPlgRecord& h = e.hanim;
            h.header = {kHAnimVersion, in.ConsumeIntegral<int32_t>(),
                        in.ConsumeIntegralInRange<int32_t>(0, 64)};
            if (h.header.nodeCount > 0) {
                h.hierarchy = {in.ConsumeIntegral<int32_t>(), kHAnimKeyFrameSize};
                if (!h.nodes.Allocate(static_cast<size_t>(h.header.nodeCount)))
                    return false;
                for (size_t k = 0; k < h.nodes.Count(); ++k)
                    h.nodes[k] = {in.ConsumeIntegral<int32_t>(), static_cast<int32_t>(k),
                                  in.ConsumeIntegral<int32_t>()};
            }
        }
        e.hasName = in.ConsumeBool();
        if (e.hasName)
            FillName(in, e.name, sizeof e.name);
    }
    return true;
}

bool MakeGeometry(FuzzedDataProvider& in, GeometryRecord& g) {
    GeometryHeader& h = g.header;
    h.formatFlags = static_cast<uint16_t>((in.ConsumeIntegral<uint16_t>() & ~kGeometryTristrip) |
                                          kGeometryPositions);
    h.texCoordSetCount = in.ConsumeIntegralInRange<uint8_t>(0, 8);
    h.nativeFlags = 0;
    h.vertexCount = in.ConsumeIntegralInRange<int32_t>(0, 300);
    h.triangleCount = h.vertexCount == 0 ? 0 : in.ConsumeIntegralInRange<int32_t>(0, 300);
    h.morphTargetCount = 1;
    size_t v = static_cast<size_t>(h.vertexCount);
    bool normals = in.ConsumeBool();
    g.morphTarget = {
        {FiniteFloat(in), FiniteFloat(in), FiniteFloat(in), FiniteFloat(in)}, 1, normals ? 1 : 0};
    if (!g.prelitColours.Allocate(h.formatFlags & kGeometryPrelit ? v : 0) ||
        !g.texCoords.Allocate(2 * v * TexCoordSetsOf(h)) ||
        !g.triangles.Allocate(static_cast<size_t>(h.triangleCount)) ||
        !g.positions.Allocate(3 * v) || !g.normals.Allocate(normals ? 3 * v : 0))
        return false;
    for (size_t i = 0; i < g.prelitColours.Count(); ++i)
        g.prelitColours[i] = in.ConsumeIntegral<uint32_t>();
    FillFloats(in, g.texCoords.Data(), g.texCoords.Count());
    const uint16_t last = static_cast<uint16_t>(v - 1);
    for (size_t t = 0; t < g.triangles.Count(); ++t)
        g.triangles[t] = {in.ConsumeIntegralInRange<uint16_t>(0, last),
                          in.ConsumeIntegralInRange<uint16_t>(0, last),
                          in.ConsumeIntegral<uint16_t>(),
                          in.ConsumeIntegralInRange<uint16_t>(0, last)};
    FillFloats(in, g.positions.Data(), g.positions.Count());
    FillFloats(in, g.normals.Data(), g.normals.Count());
    return true;
}

bool MakeMaterials(FuzzedDataProvider& in, MaterialListRecord& m) {
    m.count = in.ConsumeIntegralInRange<int32_t>(0, 8);
    if (!m.materials.Allocate(static_cast<size_t>(m.count)))
        return false;
    for (size_t i = 0; i < m.materials.Count(); ++i) {
        MaterialRecord& r = m.materials[i];
        // A valid Material always has its Struct (the game reads it first).
        r.present = true;
        r.hasStruct = true;
        {
            MaterialStruct& s = r.values;
            s.flags = in.ConsumeIntegral<int32_t>();
            for (uint8_t& c : s.colour)
                c = in.ConsumeIntegral<uint8_t>();
            s.reserved = in.ConsumeIntegral<int32_t>();
            s.isTextured = in.ConsumeIntegral<int32_t>();
            s.ambient = FiniteFloat(in);
            s.specular = FiniteFloat(in);
            s.diffuse = FiniteFloat(in);
        }
        r.hasTexture = in.ConsumeBool();
        if (r.hasTexture) {
            FillName(in, r.textureName, sizeof r.textureName);
            FillName(in, r.maskName, sizeof r.maskName);
        }
    }
    return true;
}

// The triangles in meshes of one material each (or none), in order.
bool MakeBinMesh(FuzzedDataProvider& in, const Model& m, BinMeshRecord& b) {
    const size_t triangles = m.geometry.triangles.Count();
    size_t meshCount = triangles == 0 ? 0 : in.ConsumeIntegralInRange<size_t>(1, 8);
    if (!b.meshes.Allocate(meshCount))
        return false;
    size_t t = 0;
    for (size_t k = 0; k < meshCount; ++k) {
        size_t take = k + 1 == meshCount ? triangles - t
                                         : in.ConsumeIntegralInRange<size_t>(0, triangles - t);
        BinMeshList& mesh = b.meshes[k];
        mesh.materialIndex = m.materials.count == 0 || in.ConsumeBool()
                                 ? kNoMaterial
                                 : in.ConsumeIntegralInRange<uint32_t>(
                                       0, static_cast<uint32_t>(m.materials.count) - 1);
        if (!mesh.indices.Allocate(3 * take))
            return false;
        for (size_t i = 0; i < take; ++i, ++t) {
            const TriangleRecord& r = m.geometry.triangles[t];
            mesh.indices[3 * i] = r.cornerA;
            mesh.indices[3 * i + 1] = r.cornerB;
            mesh.indices[3 * i + 2] = r.cornerC;
        }
        b.totalIndexCount += static_cast<uint32_t>(3 * take);
    }
    return true;
}

bool MakeSkin(FuzzedDataProvider& in, uint32_t vertexCount, SkinRecord& s) {
    s.boneCount = in.ConsumeIntegral<uint8_t>();
    s.usedBoneCount = in.ConsumeIntegralInRange<uint8_t>(0, s.boneCount);
    s.maxWeightsPerVertex = in.ConsumeIntegralInRange<uint8_t>(0, 4);
    s.vertexCount = vertexCount;
    size_t v4 = 4 * static_cast<size_t>(vertexCount);
    if (!s.usedBoneIndices.Allocate(s.usedBoneCount) || !s.boneIndices.Allocate(v4) ||
        !s.weights.Allocate(v4) || !s.inverseMatrices.Allocate(16 * size_t{s.boneCount}))
        return false;
    for (size_t i = 0; i < s.usedBoneIndices.Count(); ++i)
        s.usedBoneIndices[i] = in.ConsumeIntegral<uint8_t>();
    for (size_t i = 0; i < v4; ++i)
        s.boneIndices[i] = in.ConsumeIntegral<uint8_t>();
    FillFloats(in, s.weights.Data(), v4);
    FillFloats(in, s.inverseMatrices.Data(), s.inverseMatrices.Count());
    return true;
}

bool MakeModel(FuzzedDataProvider& in, Model& m) {
    if (!MakeFrames(in, m.frames) || !MakeGeometry(in, m.geometry) ||
        !MakeMaterials(in, m.materials) || !MakeBinMesh(in, m, m.binMesh) ||
        !MakeSkin(in, static_cast<uint32_t>(m.geometry.header.vertexCount), m.skin))
        return false;
    m.atomic.atomic = {in.ConsumeIntegralInRange<int32_t>(0, m.frames.frameCount - 1), 0,
                       in.ConsumeIntegral<int32_t>(), 0};
    m.atomic.hasRightToRender = in.ConsumeBool();
    if (m.atomic.hasRightToRender)
        m.atomic.rightToRender = {in.ConsumeIntegral<uint32_t>(), in.ConsumeIntegral<uint32_t>()};
    return true;
}

bool WriteModel(ByteStream& s, const Model& m) {
    SectionStack stack;
    bool ok = BeginClump(s, stack, ClumpStruct{1, 0, 0});
    ok = WriteFrameListSection(s, m.frames) && ok;
    ok = WriteGeometryListSection(s, m.geometry, m.materials, m.binMesh, m.skin) && ok;
    ok = WriteAtomicSection(s, m.atomic) && ok;
    return EndClump(s, stack) && ok;
}

void CompareFrames(const FrameListRecord& a, SectionCursor& c) {
    FrameListRecord b;
    FrameListRead read = ReadFrameListStruct(c, &b);
    if (read.result == FrameListResult::kOk)
        read = ReadFrameExtensions(c, &b);
    Require(read.result == FrameListResult::kOk, "the Frame List does not read back");
    Require(b.frameCount == a.frameCount, "frame count");
    for (size_t i = 0; i < a.frames.Count(); ++i) {
        const FrameRecord& x = a.frames[i];
        const FrameRecord& y = b.frames[i];
        Require(SameFloats(x.rotation, y.rotation, 9) && SameFloats(x.position, y.position, 3) &&
                    x.parentIndex == y.parentIndex && x.matrixFlags == y.matrixFlags,
                "frame record");
        const FrameExtensionRecord& e = a.extensions[i];
        const FrameExtensionRecord& f = b.extensions[i];
        Require(e.hasHAnim == f.hasHAnim && e.hasName == f.hasName, "frame extension");
        if (e.hasName)
            Require(strcmp(e.name, f.name) == 0 && f.nameLength == strlen(e.name), "frame name");
        if (!e.hasHAnim)
            continue;
        const HAnimPlgRecord& h = e.hanim;
        const HAnimPlgRecord& k = f.hanim;
        Require(memcmp(&h.header, &k.header, sizeof h.header) == 0, "HAnim header");
        if (h.header.nodeCount == 0)
            continue;
        Require(memcmp(&h.hierarchy, &k.hierarchy, sizeof h.hierarchy) == 0 &&
                    k.nodes.Count() == h.nodes.Count() &&
                    memcmp(h.nodes.Data(), k.nodes.Data(), h.nodes.Count() * sizeof h.nodes[0]) ==
                        0,
                "HAnim nodes");
    }
}

void CompareGeometry(const GeometryRecord& a, const GeometryRecord& b) {
    Require(memcmp(&a.header, &b.header, sizeof a.header) == 0, "geometry header");
    Require(memcmp(&a.morphTarget, &b.morphTarget, sizeof a.morphTarget) == 0, "morph target");
    Require(
        a.prelitColours.Count() == b.prelitColours.Count() &&
            (a.prelitColours.Count() == 0 || memcmp(a.prelitColours.Data(), b.prelitColours.Data(),
                                                    4 * a.prelitColours.Count()) == 0),
        "prelit colours");
    Require(
        a.triangles.Count() == b.triangles.Count() &&
            (a.triangles.Count() == 0 || memcmp(a.triangles.Data(), b.triangles.Data(),
                                                a.triangles.Count() * sizeof a.triangles[0]) == 0),
        "triangles");
    Require(a.texCoords.Count() == b.texCoords.Count() &&
                SameFloats(a.texCoords.Data(), b.texCoords.Data(), a.texCoords.Count()),
            "texture coordinates");
    Require(a.positions.Count() == b.positions.Count() &&
                SameFloats(a.positions.Data(), b.positions.Data(), a.positions.Count()),
            "positions");
    Require(a.normals.Count() == b.normals.Count() &&
                SameFloats(a.normals.Data(), b.normals.Data(), a.normals.Count()),
            "normals");
}

void CompareMaterials(const MaterialListRecord& a, const MaterialListRecord& b) {
    Require(a.count == b.count && b.materials.Count() == a.materials.Count(), "material count");
    for (size_t i = 0; i < a.materials.Count(); ++i) {
        const MaterialRecord& x = a.materials[i];
        const MaterialRecord& y = b.materials[i];
        Require(y.present && x.hasStruct == y.hasStruct && x.hasTexture == y.hasTexture,
                "material parts");
        if (x.hasStruct)
            Require(memcmp(&x.values, &y.values, sizeof x.values) == 0, "material values");
        if (x.hasTexture)
            Require(strcmp(x.textureName, y.textureName) == 0 &&
                        strcmp(x.maskName, y.maskName) == 0,
                    "texture names");
    }
}

void CompareBinMesh(const BinMeshRecord& a, const BinMeshRecord& b) {
    Require(a.meshFlags == b.meshFlags && a.totalIndexCount == b.totalIndexCount &&
                a.meshes.Count() == b.meshes.Count(),
            "Bin Mesh header");
    for (size_t k = 0; k < a.meshes.Count(); ++k) {
        const BinMeshList& x = a.meshes[k];
        const BinMeshList& y = b.meshes[k];
        Require(x.materialIndex == y.materialIndex && x.indices.Count() == y.indices.Count() &&
                    (x.indices.Count() == 0 ||
                     memcmp(x.indices.Data(), y.indices.Data(), 4 * x.indices.Count()) == 0),
                "Bin Mesh mesh");
    }
}

void CompareSkin(const SkinRecord& a, const SkinRecord& b) {
    Require(a.boneCount == b.boneCount && a.usedBoneCount == b.usedBoneCount &&
                a.maxWeightsPerVertex == b.maxWeightsPerVertex && a.vertexCount == b.vertexCount,
            "Skin header");
    Require(a.usedBoneIndices.Count() == b.usedBoneIndices.Count() &&
                (a.usedBoneIndices.Count() == 0 ||
                 memcmp(a.usedBoneIndices.Data(), b.usedBoneIndices.Data(),
                        a.usedBoneIndices.Count()) == 0) &&
                (a.boneIndices.Count() == 0 ||
                 memcmp(a.boneIndices.Data(), b.boneIndices.Data(), a.boneIndices.Count()) == 0),
            "Skin bone indices");
    Require(SameFloats(a.weights.Data(), b.weights.Data(), a.weights.Count()) &&
                b.inverseMatrices.Count() == a.inverseMatrices.Count() &&
                SameFloats(a.inverseMatrices.Data(), b.inverseMatrices.Data(),
                           a.inverseMatrices.Count()),
            "Skin weights or matrices");
}

// The entered Geometry: its Struct, Material List and Extension.
void CompareGeometryParts(const Model& m, SectionCursor& c) {
    GeometryRecord geometry;
    Require(FindChildSection(c, kSectionStruct) &&
                ReadGeometryStruct(c, INT32_MAX, &geometry) == GeometryReadResult::kOk,
            "the Geometry Struct does not read back");
    CompareGeometry(m.geometry, geometry);
    LeaveSection(c);
    MaterialListRecord materials;
    Require(FindChildSection(c, kSectionMaterialList) &&
                ReadMaterialList(c, &materials) == MaterialReadResult::kOk,
            "the Material List does not read back");
    CompareMaterials(m.materials, materials);
    LeaveSection(c);
    Require(FindChildSection(c, kSectionExtension), "no geometry Extension");
    BinMeshRecord binMesh;
    Require(FindChildSection(c, kSectionBinMeshPlg) &&
                ReadBinMeshPlg(c, static_cast<uint32_t>(geometry.header.triangleCount),
                               static_cast<uint32_t>(materials.count),
                               &binMesh) == BinMeshReadResult::kOk,
            "the Bin Mesh PLG does not read back");
    CompareBinMesh(m.binMesh, binMesh);
    LeaveSection(c);
    SkinRecord skin;
    Require(FindChildSection(c, kSectionSkinPlg) &&
                ReadSkinPlg(c, static_cast<uint32_t>(geometry.header.vertexCount), &skin) ==
                    SkinReadResult::kOk,
            "the Skin PLG does not read back");
    CompareSkin(m.skin, skin);
    LeaveSection(c);
    LeaveSection(c); // Extension
}

void CompareModel(const Model& m, ByteStream& s) {
    SectionCursor c;
    ClumpStruct clump;
    Require(OpenSectionCursor(c, s) && FindChildSection(c, kSectionClump) &&
                FindChildSection(c, kSectionStruct) && ReadClumpStruct(c, &clump) &&
                clump.atomicCount == 1,
            "the Clump does not read back");
    LeaveSection(c);
    CompareFrames(m.frames, c);
    GeometryListStruct list = {0};
    Require(FindChildSection(c, kSectionGeometryList) && FindChildSection(c, kSectionStruct) &&
                ReadGeometryListStruct(c, &list) && list.geometryCount == 1,
            "the Geometry List does not read back");
    LeaveSection(c);
    Require(FindChildSection(c, kSectionGeometry), "no Geometry");
    CompareGeometryParts(m, c);
    LeaveSection(c); // Geometry
    LeaveSection(c); // Geometry List
    AtomicRecord atomic;
    Require(ReadAtomicSection(c, &atomic) &&
                memcmp(&atomic.atomic, &m.atomic.atomic, sizeof atomic.atomic) == 0 &&
                atomic.hasRightToRender == m.atomic.hasRightToRender &&
                (!atomic.hasRightToRender || memcmp(&atomic.rightToRender, &m.atomic.rightToRender,
                                                    sizeof atomic.rightToRender) == 0),
            "atomic");
    Require(!IsMalformed(c), "the written clump reads as damaged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    Model m;
    if (!MakeModel(in, m))
        return 0;
    MemoryStream stream;
    Require(WriteModel(stream, m) && !stream.WroteNonFinite(), "the writers failed");
    Require(stream.Seek(0), "seek");
    CompareModel(m, stream);
    return 0;
}
