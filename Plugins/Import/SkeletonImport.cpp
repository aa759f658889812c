// The skeleton step: the model's frames become the bone object "bone:NAME",
// one bone material per bone frame carrying its HAnim numbers, and the mesh is
// placed in its bones by its skin (or, without one, re-posed by the
// model-space matrix of frame 2); as far as the model was read and checked.
#include "Plugins/Import/FrameHierarchy.h"
#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"
#include "Plugins/Import/ImportSteps.h"
#include "Plugins/Import/ImportTrace.h"
#include "Plugins/Import/MeshPlacement.h"
#include "Plugins/Import/PseudoRandom.h"
#include "frame/HAnimTag.h"
#include "frame/HeapArray.h"
#include "frame/TextCase.h"
#include "frame/Transform.h"
#include "frame/UnitVector.h"

namespace {

// Squared distance below which two bone directions count as one line: the
// parent's head then moves onto the child's joint. Kept so small (about 0.06
// degrees) that the move never visibly bends the parent's drawn axis, from
// which the bone's rotation is read back.
constexpr float kCollinearThreshold = 1e-6f;

// What the bone object is built with, per frame.
struct FrameTables {
    const int32_t* parents = nullptr; // the model's, checked
    HeapArray<Matrix4> locals;
    HeapArray<int32_t> boneMaterial;
    HeapArray<int32_t> headVertex;
    HeapArray<int32_t> jointVertex;
    HeapArray<uint8_t> headMoved; // the head already sits on a child's joint

    bool Allocate(size_t n) {
        return locals.Allocate(n) && boneMaterial.Allocate(n) && headVertex.Allocate(n) &&
               jointVertex.Allocate(n) && headMoved.Allocate(n);
    }
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

// The frames' local matrices as stored, and the model-space matrix of frame 2
// before any pose reset (the identity in a clump of fewer frames, which keeps
// the mesh where it is).
void TakeLocals(const ClumpModel& model, FrameTables& t, Matrix4* reference) {
    const FrameListRecord& list = model.frames.list;
    for (size_t i = 0; i < t.locals.Count(); ++i) {
        const FrameRecord& r = list.frames[i];
        Matrix4& m = t.locals[i];
        IdentityMatrix4(&m);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                m.m[row * 4 + col] = r.rotation[row * 3 + col];
        for (int col = 0; col < 3; ++col)
            m.m[12 + col] = r.position[col];
        t.headVertex[i] = -1;
    }
    if (list.frameCount >= 3)
        GlobalMatrixOf(t.locals.Data(), t.parents, 2, reference);
    else
        IdentityMatrix4(reference);
}

// Gives the frames known by name their fixed rotation, keeping scale and
// translation.
void ResetPoses(const ClumpModel& model, FrameTables& t) {
    const FrameListRecord& names = model.frames.poseNames;
    for (size_t i = 0; i < t.locals.Count(); ++i) {
        const FrameExtensionRecord& e = names.extensions[i];
        if (!e.hasName)
            continue;
        for (const PoseReset& reset : kPoseResets) {
            if (!SameTextIgnoringCase(e.name, reset.name))
                continue;
            Matrix4* m = &t.locals[i];
            TransformParts parts = {{}, {reset.head, reset.pitch, reset.bank}, {}};
            TransformScaling(*m, parts.scale);
            TransformTranslation(*m, parts.translation);
            ComposeTransform(parts, m);
            break;
        }
    }
}

// A bone frame's material, named after the frame and carrying its HAnimTag;
// returns its document index.
int32_t AddBoneMaterial(ImportRun& run, const HAnimTag& tag, const char* name) {
    HostMaterial material = g_host.MQ_CreateMaterial();
    g_host.MQMat_SetName(material, name);
    FormatHAnimTag(tag, run.nameBuffer, sizeof run.nameBuffer);
    g_host.MQMat_SetBumpName(material, run.nameBuffer);
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
    return g_host.MQDoc_AddMaterial(run.doc, material);
}

// The joint, head and side vertices and the faces of bone frame i.
void AddBoneShape(ImportRun& run, FrameTables& t, HostObject bones, int32_t i) {
    size_t fi = static_cast<size_t>(i);
    Matrix4 g;
    GlobalMatrixOf(t.locals.Data(), t.parents, i, &g);
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

} // namespace

ImportResult ImportSkeleton(ImportRun& run, const ClumpModel& model) {
    const FrameListRecord& list = model.frames.list;
    const size_t n = static_cast<size_t>(list.frameCount);
    // How far the skeleton is built: up to where the model stopped, or where
    // memory for the bone object's tables ran out, whichever comes first.
    ClumpStage reached = model.stage;
    ImportResult result = model.result;
    FrameTables t;
    t.parents = model.frames.parents.Data();
    if (reached > ClumpStage::kFrameMemory && !t.Allocate(n)) {
        reached = ClumpStage::kFrameMemory;
        result = ImportFailure(ImportProblem::kOutOfMemory);
    }
    if (reached > ClumpStage::kFrameList)
        ImportTrace(run, TRACE_FRAME_ALLOC, static_cast<int>(list.frameCount));
    if (reached > ClumpStage::kFrameMemory)
        ImportTrace(run, TRACE_FRAME_ALLOCATED);
    // The bone materials of the frames before the one that failed stay; the
    // bone object is added only whole.
    const bool complete = reached == ClumpStage::kDone;
    int32_t end = complete ? list.frameCount : reached == ClumpStage::kBones ? model.stopFrame : 0;
    HostObject bones = 0;
    Matrix4 reference;
    if (complete) {
        bones = CreateBoneObject(run);
        TakeLocals(model, t, &reference);
        if (run.resetPose)
            ResetPoses(model, t);
    }
    for (int32_t i = 0; i < end; ++i) {
        const FrameExtensionRecord& e = list.extensions[static_cast<size_t>(i)];
        if (!e.hasHAnim)
            continue;
        int32_t material = AddBoneMaterial(run, model.bones.tags[static_cast<size_t>(i)], e.name);
        if (complete) {
            t.boneMaterial[static_cast<size_t>(i)] = material;
            AddBoneShape(run, t, bones, i);
        }
    }
    if (complete) {
        g_host.MQDoc_AddObject(run.doc, bones);
        const float colour[3] = {1.0f, 0.7f, 0.2f};
        g_host.MQObj_SetIntValue(bones, kObjectColorType, 1);
        g_host.MQObj_SetFloatArray(bones, kObjectColor, colour);
        g_host.MQObj_SetIntValue(bones, kObjectDepth, 0);
        PlaceMesh(run.mesh, model, t.locals.Data(), reference, run.scale);
    }
    ImportTrace(run, TRACE_FRAME_FREE);
    ImportTrace(run, TRACE_FRAME_FREED);
    return complete ? ImportResult() : result;
}
