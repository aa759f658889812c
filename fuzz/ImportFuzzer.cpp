// libFuzzer target: reads each input as a .dff file the way the importer does
// (the chosen clump into its model, then the checks), without any host, and
// stops (abort) when the model breaks a promise the builders rely on: a
// failure and only a failure stops short of the end, asking for the pose
// reset's names changes nothing before them, and everything the builders
// index (vertices, materials, frames, nodes, skin bones) is inside its array.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "Plugins/Import/ClumpRead.h"
#include "Plugins/Import/ClumpValidation.h"
#include "Plugins/Import/FrameHierarchy.h"
#include "Plugins/Import/ImportMessages.h"
#include "format/AtomicLayout.h"
#include "format/ClumpLayout.h"
#include "format/FrameListLayout.h"
#include "format/SectionReader.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition)
        return;
    fprintf(stderr, "import fuzzer: %s\n", what);
    abort();
}

// Top-level clumps before the first malformed section, as the importer counts them.
int CountTopLevelClumps(const uint8_t* data, size_t size) {
    MemoryStream stream(data, size);
    SectionCursor cursor;
    if (!OpenSectionCursor(cursor, stream))
        return 0;
    int count = 0;
    while (FindChildSection(cursor, kSectionClump)) {
        ++count;
        LeaveSection(cursor);
    }
    return count;
}

// The first clump's records as the whole-section readers take them (the
// importer reads some of them its own way): its Struct, its Frame List, which
// must write back to bytes that read the same, and its Atomics.
void ReadRecordsAlone(const uint8_t* data, size_t size) {
    MemoryStream stream(data, size);
    SectionCursor c;
    if (!OpenSectionCursor(c, stream) || !FindChildSection(c, kSectionClump))
        return;
    const SectionCursor clump = c;
    ClumpStruct counts;
    if (FindChildSection(c, kSectionStruct))
        ReadClumpStruct(c, &counts);
    c = clump;
    RewindSection(c);
    FrameListRecord frames;
    if (ReadFrameListStruct(c, &frames).result == FrameListResult::kOk &&
        ReadBoneExtensions(c, &frames).result == FrameListResult::kOk) {
        MemoryStream out;
        Require(WriteFrameListSection(out, frames), "a Frame List read was not written");
        MemoryStream back(out.Data().data(), out.Data().size());
        SectionCursor b;
        FrameListRecord again;
        Require(OpenSectionCursor(b, back) &&
                    ReadFrameListStruct(b, &again).result == FrameListResult::kOk &&
                    ReadBoneExtensions(b, &again).result == FrameListResult::kOk &&
                    again.frameCount == frames.frameCount,
                "a Frame List written from a record did not read back");
    }
    c = clump;
    RewindSection(c);
    AtomicRecord atomic;
    while (ReadAtomicSection(c, &atomic)) {
    }
}

void ReadModel(const uint8_t* data, size_t size, int clump, bool poseNames, ClumpModel* model) {
    MemoryStream stream(data, size);
    SectionCursor cursor;
    Require(OpenSectionCursor(cursor, stream), "a small input did not open");
    ReadChosenClump(cursor, clump, poseNames, model);
    ValidateClump(model);
}

void CheckGeometry(const ClumpGeometry& g) {
    const GeometryHeader& h = g.record.header;
    size_t v = static_cast<size_t>(h.vertexCount);
    size_t triangles = static_cast<size_t>(h.triangleCount);
    Require(g.record.positions.Count() == 3 * v, "positions are not the vertex count's");
    Require(g.record.triangles.Count() == triangles, "triangles are not the triangle count's");
    Require(g.record.texCoords.Count() >= 2 * v * (TexCoordSetsOf(h) > 0 ? 1 : 0),
            "texture coordinates missing");
    Require(!(h.formatFlags & kGeometryPrelit) || g.record.prelitColours.Count() == v,
            "prelit colours missing");
    Require(g.splitTriangles <= triangles, "the material split runs past the triangles");
    for (size_t k = 0; k < triangles; ++k) {
        uint16_t material = TriangleMaterialOf(g, k);
        Require(material == kNoMaterial || material < g.materials.count,
                "a triangle names a material past the list");
        uint16_t corners[3];
        if (TriangleCornersOf(g, k, corners))
            Require(corners[0] < v && corners[1] < v && corners[2] < v,
                    "a face names a vertex outside the geometry");
    }
    Require(g.materials.materials.Count() <= static_cast<size_t>(g.materials.count),
            "more materials than list positions");
}

void CheckFrames(const ClumpModel& m) {
    const FrameListRecord& list = m.frames.list;
    int32_t n = list.frameCount;
    Require(m.frames.parents.Count() == static_cast<size_t>(n), "parents are not the frames'");
    // Every walk up ends at a root within the frame count.
    for (int32_t i = 0; i < n; ++i) {
        int32_t k = i;
        for (int32_t steps = 0; k != -1; ++steps) {
            Require(steps <= n && k >= 0 && k < n, "a frame's parents do not end at a root");
            k = m.frames.parents[static_cast<size_t>(k)];
        }
    }
    int32_t end = m.stage == ClumpStage::kDone ? n : m.stopFrame;
    Require(end >= 0 && end <= n, "bones stop outside the frames");
    for (int32_t i = 0; i < end; ++i) {
        const FrameExtensionRecord& e = list.extensions[static_cast<size_t>(i)];
        if (!e.hasHAnim)
            continue;
        const HAnimTag& tag = m.bones.tags[static_cast<size_t>(i)];
        Require(tag.index >= 0 && tag.index < n - 1, "a bone's node is outside the hierarchy");
    }
    for (size_t j = 0; j < m.bones.nodeFrame.Count(); ++j) {
        int32_t f = m.bones.nodeFrame[j];
        Require(f == -1 || (f >= 0 && f < end && list.extensions[static_cast<size_t>(f)].hasHAnim),
                "a node names a frame that is no bone");
    }
}

void CheckSkin(const ClumpModel& m) {
    const SkinRecord& r = m.geometry.skin;
    Require(r.vertexCount == static_cast<uint32_t>(m.geometry.record.header.vertexCount),
            "the skin is not the geometry's");
    for (size_t i = 0; i < r.weights.Count(); ++i) {
        if (r.weights[i] == 0.0f)
            continue;
        uint8_t b = r.boneIndices[i];
        Require(b < r.boneCount && b < m.bones.nodeFrame.Count() && m.bones.nodeFrame[b] >= 0,
                "a fitting skin weighs a bone without a frame");
    }
    Require(r.inverseMatrices.Count() == 16 * static_cast<size_t>(r.boneCount),
            "inverse bind matrices missing");
}

void CheckModel(const ClumpModel& m) {
    Require((m.stage == ClumpStage::kDone) == m.result.Ok(),
            "a model stopped without a failure, or failed at its end");
    if (!m.result.Ok()) {
        char text[kImportMessageSize];
        FormatImportMessage(m.result, text, sizeof text);
        Require(text[0] != '\0', "a failure without a message");
    }
    if (m.stage > ClumpStage::kGeometryExtension)
        CheckGeometry(m.geometry);
    if (m.stage > ClumpStage::kFrameParents)
        CheckFrames(m);
    if (m.stage == ClumpStage::kDone) {
        int32_t n = m.frames.list.frameCount;
        Require(m.frames.atomicFrame >= -1 && m.frames.atomicFrame < n,
                "the atomic's frame is outside the frames");
        if (m.bones.skinFits)
            CheckSkin(m);
    }
}

bool SameFailure(const ImportResult& a, const ImportResult& b) {
    return a.problem == b.problem && a.section == b.section && a.unsupported == b.unsupported &&
           a.corrupt == b.corrupt && a.index == b.index && a.streamProblem == b.streamProblem &&
           a.offset == b.offset && a.sectionType == b.sectionType && strcmp(a.name, b.name) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In a file of several clumps the input's length picks one, so that
    // skipping clumps is exercised too.
    int clumps = CountTopLevelClumps(data, size);
    int clump = clumps > 1 ? static_cast<int>(size % static_cast<size_t>(clumps)) : 0;
    ClumpModel plain;
    ReadModel(data, size, clump, false, &plain);
    CheckModel(plain);
    ClumpModel reset;
    ReadModel(data, size, clump, true, &reset);
    CheckModel(reset);
    // The names are read after the frame records and never change the bones.
    if (plain.stage <= ClumpStage::kFrameParents || reset.stage <= ClumpStage::kFrameParents)
        Require(plain.stage == reset.stage && SameFailure(plain.result, reset.result),
                "reading the pose reset's names changed an earlier outcome");
    ReadRecordsAlone(data, size);
    return 0;
}
