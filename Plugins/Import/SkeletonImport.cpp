// The skeleton step: the clump's frames become the bone object "bone:NAME",
// one bone material per bone frame carrying its HAnim numbers, and the mesh is
// placed in its bones by its skin (or, without one, re-posed by the
// model-space matrix of frame 2).
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "Plugins/Import/FrameHierarchy.h"
#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"
#include "Plugins/Import/ImportSteps.h"
#include "Plugins/Import/ImportTrace.h"
#include "frame/Transform.h"
#include "frame/TextCase.h"
#include "frame/UnitVector.h"
#include "Plugins/Import/PseudoRandom.h"
#include "format/AtomicLayout.h"
#include "format/FrameListLayout.h"
#include "frame/HAnimTag.h"
#include "frame/HeapArray.h"

namespace {

// Squared distance below which two bone directions count as one line: the
// parent's head then moves onto the child's joint. Kept so small (about 0.06
// degrees) that the move never visibly bends the parent's drawn axis, from
// which the bone's rotation is read back.
constexpr float kCollinearThreshold = 1e-6f;

struct FrameTables {
    FrameListRecord list;
    int32_t frameCount = 0;
    HeapArray<Matrix4> locals;
    HeapArray<int32_t> parents;
    HeapArray<int32_t> boneMaterial;
    HeapArray<int32_t> headVertex;
    HeapArray<int32_t> jointVertex;
    HeapArray<uint8_t> headMoved; // the head already sits on a child's joint
    // The latest HAnim PLG with nodes (in list), and the bone frame of each of
    // its nodes, -1 none.
    const HAnimPlgRecord* hierarchy = nullptr;
    HeapArray<int32_t> nodeFrame;
    int32_t nodeCount = 0;
};

// Frames whose rotation is reset by name (compared ignoring letter case).
struct PoseReset {
    const char* name;
    float head, pitch, bank;
};
const PoseReset kPoseResets[] = {
    {" pelvis", 0.0f, 0.0f, 0.0f},  {"root", 90.0f, 0.0f, 90.0f}, {"normal", 90.0f, 0.0f, 90.0f},
    {"ripped", 90.0f, 0.0f, 90.0f}, {"fat", 90.0f, 0.0f, 90.0f},
};

Point3 TranslationOf(const Matrix4* m) {
    Point3 p;
    TransformTranslation(*m, &p.x);
    return p;
}

Point3 Scaled(Point3 p, float s) {
    return Point3{p.x * s, p.y * s, p.z * s};
}

Point3 Minus(Point3 a, Point3 b) {
    return Point3{a.x - b.x, a.y - b.y, a.z - b.z};
}

// Fails the run where reading the Frame List stopped.
void FailFrameListStop(ImportRun& run, FrameListResult result) {
    switch (result) {
    case FrameListResult::kOk:
        break;
    case FrameListResult::kMissingFrameList:
        FailSection(run, MissingSectionResult(ImportSection::kFrameList));
        break;
    case FrameListResult::kMissingStruct:
    case FrameListResult::kShortStruct:
        FailSection(run, MissingSectionResult(ImportSection::kFrameListStruct));
        break;
    case FrameListResult::kCountPastStruct:
        FailImport(run, CorruptResult(ImportCorrupt::kFrameCountPastStruct));
        break;
    case FrameListResult::kOutOfMemory:
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        break;
    case FrameListResult::kMissingExtension:
        FailSection(run, MissingSectionResult(ImportSection::kFrameExtension));
        break;
    case FrameListResult::kMissingHAnim:
        FailSection(run, MissingSectionResult(ImportSection::kHAnim));
        break;
    case FrameListResult::kHAnimCountPastSection:
        FailImport(run, CorruptResult(ImportCorrupt::kHAnimCountPastPlg));
        break;
    case FrameListResult::kMissingName:
        FailSection(run, MissingSectionResult(ImportSection::kFrame));
        break;
    }
}

bool ReadFrameRecords(ImportRun& run, FrameTables& t) {
    FrameListRead read = ReadFrameListStruct(run.cursor, &t.list);
    if (read.result == FrameListResult::kMissingFrameList ||
        read.result == FrameListResult::kMissingStruct ||
        read.result == FrameListResult::kCountPastStruct) {
        FailFrameListStop(run, read.result);
        return false;
    }
    t.frameCount = t.list.frameCount;
    ImportTrace(run, TRACE_FRAME_ALLOC, static_cast<int>(t.frameCount));
    size_t n = static_cast<size_t>(t.frameCount);
    if (read.result == FrameListResult::kOutOfMemory || !t.locals.Allocate(n) ||
        !t.parents.Allocate(n) || !t.boneMaterial.Allocate(n) || !t.headVertex.Allocate(n) ||
        !t.jointVertex.Allocate(n) || !t.headMoved.Allocate(n)) {
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return false;
    }
    ImportTrace(run, TRACE_FRAME_ALLOCATED);
    if (read.result != FrameListResult::kOk) {
        FailFrameListStop(run, read.result);
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        const FrameRecord& r = t.list.frames[i];
        Matrix4& m = t.locals[i];
        IdentityMatrix4(&m);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                m.m[row * 4 + col] = r.rotation[row * 3 + col];
        for (int col = 0; col < 3; ++col)
            m.m[12 + col] = r.position[col];
        t.parents[i] = r.parentIndex;
        t.headVertex[i] = -1;
    }
    int32_t bad = 0;
    if (!CheckFrameParents(t.parents.Data(), t.frameCount, &bad)) {
        if (bad < 0)
            FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        else
            FailImport(run, CorruptResult(ImportCorrupt::kFrameParent, bad));
        return false;
    }
    return true;
}

HostObject CreateBoneObject(ImportRun& run) {
    HostObject bones = g_host.MQ_CreateObject();
    FormatCut(run.nameBuffer, sizeof run.nameBuffer, "bone:%s", run.stem);
    g_host.MQObj_SetName(bones, run.nameBuffer);
    g_host.MQObj_SetVisible(bones, -1);
    g_host.MQObj_SetPatchType(bones, 0);
    g_host.MQObj_SetShading(bones, 0);
    g_host.MQObj_SetMirrorType(bones, 0);
    g_host.MQObj_SetLatheType(bones, 0);
    return bones;
}

// Gives the frames known by name their fixed rotation, keeping scale and
// translation.
bool ResetPoses(ImportRun& run, FrameTables& t) {
    FrameListRead read = ReadFrameNames(run.cursor, &t.list);
    if (read.result != FrameListResult::kOk) {
        FailFrameListStop(run, read.result);
        return false;
    }
    for (int32_t i = 0; i < t.frameCount; ++i) {
        const FrameExtensionRecord& e = t.list.extensions[static_cast<size_t>(i)];
        if (!e.hasName)
            continue;
        for (const PoseReset& reset : kPoseResets) {
            if (!SameTextIgnoringCase(e.name, reset.name))
                continue;
            Matrix4* m = &t.locals[static_cast<size_t>(i)];
            TransformParts parts = {{}, {reset.head, reset.pitch, reset.bank}, {}};
            TransformScaling(*m, parts.scale);
            TransformTranslation(*m, parts.translation);
            ComposeTransform(parts, m);
            break;
        }
    }
    return true;
}

// A HAnim PLG with nodes replaces the hierarchy the bones are looked up in.
bool TakeHierarchy(ImportRun& run, FrameTables& t, const HAnimPlgRecord& hanim) {
    if (hanim.header.nodeCount == 0)
        return true;
    size_t n = static_cast<size_t>(hanim.header.nodeCount);
    if (!t.nodeFrame.Allocate(n)) {
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return false;
    }
    for (size_t k = 0; k < n; ++k)
        t.nodeFrame[k] = -1;
    t.hierarchy = &hanim;
    t.nodeCount = hanim.header.nodeCount;
    return true;
}

// The bone material of frame i, named after the frame, carrying its HAnimTag.
bool AddBoneMaterial(ImportRun& run, FrameTables& t, int32_t i, int32_t nodeId, const char* name) {
    HostMaterial material = g_host.MQ_CreateMaterial();
    g_host.MQMat_SetName(material, name);
    // The hierarchy lists one node per frame but the root; a bone met before
    // the hierarchy finds an empty table.
    int32_t limit = t.frameCount - 1 < t.nodeCount ? t.frameCount - 1 : t.nodeCount;
    int32_t j = 0;
    while (j < limit && t.hierarchy->nodes[static_cast<size_t>(j)].nodeId != nodeId)
        ++j;
    if (j >= limit) {
        g_host.MQMat_Delete(material);
        FailImport(run, BoneNotFoundResult(name));
        return false;
    }
    const HAnimNodeRecord& node = t.hierarchy->nodes[static_cast<size_t>(j)];
    FormatHAnimTag(HAnimTag{j, node.nodeId, node.nodeFlags}, run.nameBuffer, sizeof run.nameBuffer);
    g_host.MQMat_SetBumpName(material, run.nameBuffer);
    t.nodeFrame[static_cast<size_t>(j)] = i;
    g_host.MQMat_SetIntValue(material, kMaterialShader, 1);
    g_host.MQMat_SetIntValue(material, kMaterialVertexColor, 0);
    ColorRGB colour;
    colour.r = PseudoRandom15() * (1.0f / 32768.0f);
    colour.g = PseudoRandom15() * (1.0f / 32768.0f);
    colour.b = PseudoRandom15() * (1.0f / 32768.0f);
    g_host.MQMat_SetColor(material, &colour);
    g_host.MQMat_SetAlpha(material, 0.49f);
    g_host.MQMat_SetDiffuse(material, 0.0f);
    g_host.MQMat_SetAmbient(material, 0.0f);
    g_host.MQMat_SetEmission(material, 1.0f);
    g_host.MQMat_SetSpecular(material, 0.0f);
    g_host.MQMat_SetPower(material, 5.0f);
    t.boneMaterial[static_cast<size_t>(i)] = g_host.MQDoc_AddMaterial(run.doc, material);
    return true;
}

// The joint, head and side vertices and the faces of bone frame i.
void AddBoneShape(ImportRun& run, FrameTables& t, HostObject bones, int32_t i) {
    size_t fi = static_cast<size_t>(i);
    Matrix4 g;
    GlobalMatrixOf(t.locals.Data(), t.parents.Data(), i, &g);
    Matrix4 offset, placed;
    IdentityMatrix4(&offset);
    offset.m[12] = 0.05f;
    MultiplyMatrix4(&placed, &offset, &g);
    Point3 head = Scaled(TranslationOf(&placed), run.scale);
    t.headVertex[fi] = g_host.MQObj_AddVertex(bones, &head);
    IdentityMatrix4(&offset);
    offset.m[13] = 0.01f;
    MultiplyMatrix4(&placed, &offset, &g);
    Point3 sidePoint = Scaled(TranslationOf(&placed), run.scale);
    int32_t side = g_host.MQObj_AddVertex(bones, &sidePoint);
    Point3 joint = Scaled(TranslationOf(&g), run.scale);
    int32_t material = t.boneMaterial[fi];
    int32_t p = t.parents[fi];
    int32_t jointIndex;
    if (p == -1 || t.headVertex[static_cast<size_t>(p)] == -1) {
        jointIndex = g_host.MQObj_AddVertex(bones, &joint);
    } else {
        int32_t parentHead = t.headVertex[static_cast<size_t>(p)];
        Point3 hp, jp;
        g_host.MQObj_GetVertex(bones, parentHead, &hp);
        g_host.MQObj_GetVertex(bones, t.jointVertex[static_cast<size_t>(p)], &jp);
        Point3 d = Minus(UnitOrZero(Minus(hp, jp)), UnitOrZero(Minus(joint, jp)));
        // A second child on the same line keeps its own joint: moving the
        // head again would take the first child's joint with it.
        if (d.x * d.x + d.y * d.y + d.z * d.z < kCollinearThreshold &&
            !t.headMoved[static_cast<size_t>(p)]) {
            // The joint lies on the parent's bone: the parent's head moves onto it.
            g_host.MQObj_SetVertex(bones, parentHead, &joint);
            t.headMoved[static_cast<size_t>(p)] = 1;
            jointIndex = parentHead;
        } else {
            jointIndex = g_host.MQObj_AddVertex(bones, &joint);
            int32_t link[2] = {jointIndex, parentHead};
            int32_t face = g_host.MQObj_AddFace(bones, 2, link);
            g_host.MQObj_SetFaceMaterial(bones, face, material);
        }
    }
    int32_t triangle[3] = {jointIndex, t.headVertex[fi], side};
    int32_t face = g_host.MQObj_AddFace(bones, 3, triangle);
    g_host.MQObj_SetFaceMaterial(bones, face, material);
    t.jointVertex[fi] = jointIndex;
}

// The bone frames' materials and shapes, in frame order, up to the frame
// where reading their Extensions stopped, whose fault is reported then.
bool BuildBones(ImportRun& run, FrameTables& t, HostObject bones) {
    FrameListRead read = ReadBoneExtensions(run.cursor, &t.list);
    int32_t end = read.result == FrameListResult::kOk ? t.frameCount : read.frame;
    for (int32_t i = 0; i < end; ++i) {
        const FrameExtensionRecord& e = t.list.extensions[static_cast<size_t>(i)];
        if (!e.hasHAnim)
            continue;
        if (!TakeHierarchy(run, t, e.hanim) ||
            !AddBoneMaterial(run, t, i, e.hanim.header.nodeId, e.name))
            return false;
        AddBoneShape(run, t, bones, i);
    }
    if (read.result == FrameListResult::kOk)
        return true;
    // A frame whose name is missing had its HAnim PLG read first.
    if (end >= 0 && t.list.extensions[static_cast<size_t>(end)].hasHAnim &&
        !TakeHierarchy(run, t, t.list.extensions[static_cast<size_t>(end)].hanim))
        return false;
    FailFrameListStop(run, read.result);
    return false;
}

// Moves every mesh vertex by the reference matrix about its own translation.
// Used when the geometry has no skin that places it.
void ReposeMesh(ImportRun& run, Matrix4* reference) {
    Point3 o = Scaled(TranslationOf(reference), run.scale);
    HostObject mesh = run.mesh;
    for (int32_t k = 0; k < g_host.MQObj_GetVertexCount(mesh); ++k) {
        Point3 v;
        g_host.MQObj_GetVertex(mesh, k, &v);
        Matrix4 y;
        IdentityMatrix4(&y);
        y.m[12] = v.x - o.x;
        y.m[13] = v.y - o.y;
        y.m[14] = v.z - o.z;
        MultiplyMatrix4(&y, &y, reference);
        Point3 moved = TranslationOf(&y);
        moved = FiniteOrOrigin(Point3{moved.x + o.x, moved.y + o.y, moved.z + o.z});
        g_host.MQObj_SetVertex(mesh, k, &moved);
    }
}

bool ImportSkeletonBody(ImportRun& run, FrameTables& t, HostObject* bones, Matrix4* reference) {
    if (!ReadFrameRecords(run, t))
        return false;
    *bones = CreateBoneObject(run);
    // Frame 2's model-space matrix as stored, before any pose reset; a clump
    // with fewer frames keeps the mesh where it is.
    if (t.frameCount >= 3)
        GlobalMatrixOf(t.locals.Data(), t.parents.Data(), 2, reference);
    else
        IdentityMatrix4(reference);
    if (run.resetPose && !ResetPoses(run, t))
        return false;
    if (!BuildBones(run, t, *bones))
        return false;
    g_host.MQDoc_AddObject(run.doc, *bones);
    const float colour[3] = {1.0f, 0.7f, 0.2f};
    g_host.MQObj_SetIntValue(*bones, kObjectColorType, 1);
    g_host.MQObj_SetFloatArray(*bones, kObjectColor, colour);
    g_host.MQObj_SetIntValue(*bones, kObjectDepth, 0);
    return true;
}

} // namespace

// Places the mesh in its bones by its skin, or re-poses it by frame 2.
void PlaceMesh(ImportRun& run, FrameTables& t, int32_t atomicFrame, Matrix4* reference) {
    HeapArray<Matrix4> globals;
    if (globals.Allocate(static_cast<size_t>(t.frameCount))) {
        for (int32_t i = 0; i < t.frameCount; ++i)
            GlobalMatrixOf(t.locals.Data(), t.parents.Data(), i, &globals[static_cast<size_t>(i)]);
        if (PlaceSkinnedMesh(run.mesh, run.skin, globals.Data(), t.nodeFrame.Data(), t.nodeCount,
                             atomicFrame, run.scale))
            return;
    }
    ReposeMesh(run, reference);
}

ImportResult ImportSkeleton(ImportRun& run) {
    FrameTables t;
    HostObject bones = 0;
    Matrix4 reference;
    bool ok = ImportSkeletonBody(run, t, &bones, &reference);
    if (ok) {
        // The frame the clump's atomic of the first geometry hangs from.
        int32_t atomicFrame = FindAtomicFrame(run.cursor, t.frameCount);
        PlaceMesh(run, t, atomicFrame, &reference);
        LeaveSection(run.cursor); // Clump
    }
    ImportTrace(run, TRACE_FRAME_FREE);
    t.locals.Release();
    t.parents.Release();
    t.boneMaterial.Release();
    t.headVertex.Release();
    t.jointVertex.Release();
    t.headMoved.Release();
    t.nodeFrame.Release();
    t.hierarchy = nullptr;
    t.list.frames.Release();
    t.list.extensions.Release();
    ImportTrace(run, TRACE_FRAME_FREED);
    if (!ok) {
        // The bone object was never added: it is ours to delete.
        if (bones != 0)
            g_host.MQObj_Delete(bones);
    }
    return run.result;
}
