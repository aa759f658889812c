#include "check/ModelCheck.h"

#include "check/FrameRules.h"
#include "check/GeometryRules.h"
#include "check/ReadFindings.h"
#include "check/SkinRules.h"
#include "format/AtomicLayout.h"
#include "format/ClumpLayout.h"
#include "format/GeometryLayout.h"

namespace {

// What the parts of one clump share.
struct ClumpPass {
    ClumpPass(SectionCursor& cursor, const TextureNames* names, FindingList& list)
        : c(cursor), dictionary(names), out(list) {}
    SectionCursor& c;
    const TextureNames* dictionary;
    FindingList& out;
    FrameListRecord frames;
    int32_t geometryCount = 0;
    HeapArray<bool> skinned; // per geometry
    bool anySkinned = false;
};

void LeaveTo(SectionCursor& c, int8_t depth) {
    while (c.depth > depth)
        LeaveSection(c);
}

bool CheckFrames(ClumpPass& p) {
    FrameListRead read = ReadFrameListStruct(p.c, &p.frames);
    if (read.result == FrameListResult::kOk)
        read = ReadFrameExtensions(p.c, &p.frames);
    // The frames read before a fault are checked too.
    CheckFrameList(p.frames, p.out);
    AddFrameListFinding(read, p.c, p.out);
    return read.result == FrameListResult::kOk;
}

// The parts of one geometry as read.
struct GeometryParts {
    GeometryRecord geometry;
    bool hasMaterials = false;
    MaterialListRecord materials;
    bool hasBinMesh = false;
    BinMeshRecord binMesh;
    bool hasSkin = false;
    SkinRecord skin;
};

// The entered geometry's Extension: the Bin Mesh PLG and the Skin PLG, in
// either order. False when the file is damaged there.
bool ReadGeometryExtension(ClumpPass& p, GeometryParts& g) {
    SectionCursor& c = p.c;
    if (!FindChildSection(c, kSectionExtension))
        return !IsMalformed(c);
    const uint32_t triangles = static_cast<uint32_t>(g.geometry.header.triangleCount);
    const uint32_t materials = static_cast<uint32_t>(g.materials.count);
    if (FindChildSection(c, kSectionBinMeshPlg)) {
        BinMeshReadResult result = ReadBinMeshPlg(c, triangles, materials, &g.binMesh);
        g.hasBinMesh = result == BinMeshReadResult::kOk;
        AddBinMeshFinding(result, c, p.out);
        if (IsMalformed(c))
            return false;
        LeaveSection(c);
    }
    RewindSection(c);
    if (FindChildSection(c, kSectionSkinPlg)) {
        const uint32_t vertices = static_cast<uint32_t>(g.geometry.header.vertexCount);
        SkinReadResult result = ReadSkinPlg(c, vertices, &g.skin);
        g.hasSkin = result == SkinReadResult::kOk;
        AddSkinFinding(result, c, p.out);
        LeaveSection(c);
    }
    return !IsMalformed(c);
}

// Reads the entered Geometry and checks what could be read.
void CheckGeometryParts(ClumpPass& p, int32_t index) {
    SectionCursor& c = p.c;
    GeometryParts g;
    if (!FindChildSection(c, kSectionStruct)) {
        AddReadFinding(Rule::kFileDamaged, "the Geometry has no Struct", c, p.out);
        return;
    }
    GeometryReadResult result = ReadGeometryStruct(c, INT32_MAX, &g.geometry);
    if (result != GeometryReadResult::kOk) {
        AddGeometryFinding(result, c, p.out);
        return;
    }
    LeaveSection(c); // Struct
    bool whole = true;
    if (FindChildSection(c, kSectionMaterialList)) {
        MaterialReadResult m = ReadMaterialList(c, &g.materials);
        g.hasMaterials = m == MaterialReadResult::kOk;
        AddMaterialFinding(m, c, p.out);
        whole = g.hasMaterials;
        LeaveSection(c);
    }
    if (whole && !IsMalformed(c) && !ReadGeometryExtension(p, g))
        AddReadFinding(Rule::kFileDamaged, "the geometry's Extension is damaged", c, p.out);
    CheckGeometry(g.geometry, g.hasBinMesh ? &g.binMesh : nullptr, g.hasSkin, p.out);
    if (g.hasMaterials)
        CheckMaterials(g.materials, p.dictionary, p.out);
    if (g.hasSkin) {
        CheckSkin(g.skin, p.out);
        CheckSkinAgainstSkeleton(p.frames, g.skin, p.out);
        p.skinned[static_cast<size_t>(index)] = true;
        p.anySkinned = true;
    }
}

bool CheckGeometryList(ClumpPass& p) {
    SectionCursor& c = p.c;
    if (!FindChildSection(c, kSectionGeometryList)) {
        AddReadFinding(Rule::kFileDamaged, "no Geometry List", c, p.out);
        return false;
    }
    GeometryListStruct list = {0};
    if (!FindChildSection(c, kSectionStruct) || !ReadGeometryListStruct(c, &list)) {
        AddReadFinding(Rule::kFileDamaged, "the Geometry List has no Struct", c, p.out);
        return false;
    }
    LeaveSection(c);
    // Every Geometry takes at least a header's bytes of the list.
    const uint32_t room = SectionBytesLeft(c) / kSectionHeaderSize;
    if (list.geometryCount < 0 || static_cast<uint32_t>(list.geometryCount) > room) {
        AddReadFinding(Rule::kFileDamaged, "the geometry count runs past the Geometry List", c,
                       p.out);
        return false;
    }
    if (!p.skinned.Allocate(static_cast<size_t>(list.geometryCount))) {
        AddReadFinding(Rule::kNotChecked, "not enough memory for the geometries", c, p.out);
        return false;
    }
    const int8_t depth = c.depth;
    for (int32_t g = 0; g < list.geometryCount; ++g) {
        if (!FindChildSection(c, kSectionGeometry)) {
            AddReadFinding(Rule::kFileDamaged, "a Geometry the list counts is missing", c, p.out)
                .geometry = g;
            return false;
        }
        p.geometryCount = g + 1;
        p.out.geometry = g;
        CheckGeometryParts(p, g);
        p.out.geometry = kNoIndex;
        if (IsMalformed(c))
            return false;
        LeaveTo(c, depth);
    }
    LeaveSection(c); // Geometry List
    return true;
}

void CheckAtomics(ClumpPass& p) {
    for (int32_t i = 0;; ++i) {
        AtomicRecord a;
        if (!ReadAtomicSection(p.c, &a)) {
            if (IsMalformed(p.c))
                AddReadFinding(Rule::kFileDamaged, "an Atomic is damaged", p.c, p.out).atomic = i;
            return;
        }
        CheckAtomic(a, i, p.frames.frameCount, p.geometryCount, p.skinned.Data(), p.out);
    }
}

// The entered Clump, whose Struct comes first.
void CheckClump(ClumpPass& p) {
    ClumpStruct clump;
    if (!FindChildSection(p.c, kSectionStruct) || !ReadClumpStruct(p.c, &clump)) {
        AddReadFinding(Rule::kFileDamaged, "the Clump has no Struct", p.c, p.out);
        return;
    }
    LeaveSection(p.c);
    if (!CheckFrames(p) || !CheckGeometryList(p))
        return;
    CheckAtomics(p);
    if (p.anySkinned)
        CheckPedSkeleton(p.frames, p.out);
}

} // namespace

void CheckModelStream(ByteStream& stream, const TextureNames* dictionary, FindingList& out,
                      ModelCounts* counts) {
    *counts = ModelCounts();
    SectionCursor c;
    if (!OpenSectionCursor(c, stream)) {
        AddReadFinding(Rule::kFileDamaged, "the file cannot be read", c, out);
        return;
    }
    int clumps = 0;
    if (!ScanTopLevelClumps(c, &clumps)) {
        // The clumps before the damage are checked still.
        AddReadFinding(Rule::kFileDamaged, "the file is damaged at the top level", c, out);
        OpenSectionCursor(c, stream);
    } else if (clumps == 0) {
        AddReadFinding(Rule::kFileDamaged, "no Clump", c, out);
    }
    counts->clumps = clumps;
    SeekTopLevel(c, 0);
    for (int i = 0; i < clumps && FindChildSection(c, kSectionClump); ++i) {
        const uint32_t end = c.bodyEnd[0];
        ClumpPass p(c, dictionary, out);
        out.clump = i;
        CheckClump(p);
        out.clump = kNoIndex;
        if (p.geometryCount > counts->mostGeometries)
            counts->mostGeometries = p.geometryCount;
        if (IsMalformed(c))
            OpenSectionCursor(c, stream);
        SeekTopLevel(c, end);
    }
}
