#include "Plugins/Export/ExportDriver.h"

#include <math.h>
#include <stdio.h>

#include "Plugins/Export/ExportMessages.h"
#include "Plugins/Export/ExportResult.h"
#include "Plugins/Export/GeometryWriter.h"
#include "Plugins/Export/KeynoteDocument.h"
#include "Plugins/Export/MeshConversion.h"
#include "Plugins/Export/SkeletonWriter.h"
#include "Plugins/Export/TextureDictionaryExport.h"
#include "check/ClumpRules.h"
#include "format/AtomicLayout.h"
#include "format/ClumpLayout.h"
#include "format/FrameListLayout.h"
#include "format/GeometryLayout.h"
#include "format/SkinLayout.h"
#include "frame/DialogIds.h"
#include "frame/KeynoteLayout.h"
#include "frame/OptionsDialog.h"
#include "frame/Scale.h"
#include "frame/UserMessage.h"
#include "platform/Dialog.h"

namespace {

constexpr int32_t kMaxExportVertices = 65535;

// The one place the exporter shows a message.
void ShowExportResult(const ExportResult& result) {
    char message[kExportMessageSize];
    FormatExportMessage(result, message, sizeof message);
    PlatformMessageBox(g_host.MQ_GetWindowHandle(), message, EXPORT_CAPTION,
                       kMessageBoxIconError | kMessageBoxOk);
}

// What the export left out, mended and found, once the files are in place: a
// warning,
// not a failure.
void ShowExportNotice(const ExportNotes& notes) {
    char text[kExportNoticeSize];
    FormatExportNotice(notes, text, sizeof text);
    if (text[0] != '\0')
        PlatformMessageBox(g_host.MQ_GetWindowHandle(), text, EXPORT_CAPTION,
                           kMessageBoxIconWarning | kMessageBoxOk);
}

struct ExportRun {
    HostDocument doc = 0;
    const ExportOptions* options = nullptr;
    XSRecord skeletonDocument = nullptr;
    HeapArray<WorkMesh> meshes;
    int32_t meshCount = 0;
    UsedMaterialMap used;
    Skeleton skeleton;
    ExportGeometry geometry;
    // What the export left out, mended and what the rules find, for the notice.
    ExportNotes notes;
};

// Converts every Keynote object into a WorkMesh.
bool ConvertMeshes(ExportRun& run) {
    int32_t count = XSObjectCount(run.skeletonDocument);
    if (count < 0)
        count = 0;
    if (!run.meshes.Allocate(static_cast<size_t>(count)))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        XSRecord object = XSObjectAt(run.skeletonDocument, i);
        WorkMesh* mesh = &run.meshes[static_cast<size_t>(i)];
        run.meshCount = i + 1;
        bool ok = run.options->splitVertices ? ConvertSplit(object, *run.options, run.used, mesh)
                                             : ConvertClone(object, run.used, mesh);
        if (!ok)
            return false;
    }
    return true;
}

// The lowest y of all meshes (the first vertex starts the minimum; an object
// without vertices leaves it at 0), plus 1.05 in file units; every vertex is
// moved by it along x, as bone positions are. Along x, not y: the game's ped
// axes turn the model's height onto x, and models grounded so far were moved
// this way.
float GroundMeshes(ExportRun& run, float scale) {
    float lowest = 0.0f;
    bool first = true;
    for (int32_t k = 0; k < run.meshCount; ++k) {
        HostObject o = run.meshes[static_cast<size_t>(k)].object;
        for (int32_t v = 0; v < g_host.MQObj_GetVertexCount(o); ++v) {
            Point3 p;
            g_host.MQObj_GetVertex(o, v, &p);
            if (first || p.y < lowest)
                lowest = p.y;
            first = false;
        }
        first = false;
    }
    // At a scale of 0 every position is 0 and the lift has no size in host units.
    float lift = 1.05f / scale;
    float offset = lowest + (isfinite(lift) ? lift : 0.0f);
    for (int32_t k = 0; k < run.meshCount; ++k) {
        HostObject o = run.meshes[static_cast<size_t>(k)].object;
        for (int32_t v = 0; v < g_host.MQObj_GetVertexCount(o); ++v) {
            Point3 p;
            g_host.MQObj_GetVertex(o, v, &p);
            p.x -= offset;
            g_host.MQObj_SetVertex(o, v, &p);
        }
    }
    return offset;
}

enum class WriteResult { kDone, kMissingBone, kOutOfMemory };

// Every record of the clump, filled before any is written.
struct ClumpFill {
    FrameListRecord frames;
    GeometryRecords geometry;
    SkinRecord skin;
    AtomicRecord atomic;
};

WriteResult FillClump(ExportRun& run, ClumpFill& c, int32_t* missing) {
    if (!FrameListOf(run.skeleton, &c.frames, missing, &run.notes))
        return *missing < 0 ? WriteResult::kOutOfMemory : WriteResult::kMissingBone;
    if (!FillGeometryRecords(run.geometry, run.doc, run.used, run.skeleton.scale, &c.geometry,
                             &run.notes))
        return WriteResult::kOutOfMemory;
    if (!SkinOf(run.skeleton, run.meshes.Data(), run.meshCount, &c.skin, missing))
        return *missing < 0 ? WriteResult::kOutOfMemory : WriteResult::kMissingBone;
    c.atomic.atomic = AtomicStruct{0, 0, kAtomicCollisionTestAndRender, 0};
    c.atomic.hasRightToRender = true;
    c.atomic.rightToRender = RightToRenderBody{kRightToRenderPlugin, kRightToRenderExtraData};
    return WriteResult::kDone;
}

// The clump: its Struct, the Frame List, the Geometry List (struct, one
// Geometry with its materials, the material split, the skin and the
// Breakable section) and the atomic. The records are held to the game's
// rules first; what they find is noted for the notice.
WriteResult WriteClump(ByteStream& s, ExportRun& run, int32_t* missing) {
    ClumpFill c;
    WriteResult r = FillClump(run, c, missing);
    if (r != WriteResult::kDone)
        return r;
    ClumpRecords records;
    records.frames = &c.frames;
    records.geometry = &c.geometry.geometry;
    records.materials = &c.geometry.materials;
    records.binMesh = &c.geometry.binMesh;
    records.skin = &c.skin;
    records.atomic = &c.atomic;
    CheckClumpRecords(records, nullptr, run.notes.found);
    SectionStack stack;
    BeginClump(s, stack, ClumpStruct{1, 0, 0});
    WriteFrameListSection(s, c.frames);
    WriteGeometryListSection(s, c.geometry.geometry, c.geometry.materials, c.geometry.binMesh,
                             c.skin);
    WriteAtomicSection(s, c.atomic);
    EndClump(s, stack);
    return WriteResult::kDone;
}

// Converts, measures and writes the model into the open file.
ExportResult WriteModel(ExportRun& run, ByteStream& file) {
    if (!run.used.Reset(g_host.MQDoc_GetMaterialCount(run.doc)) || !ConvertMeshes(run))
        return ExportFailure(ExportProblem::kOutOfMemory);
    float scale = ScaleFactorOf(run.options->scaleMantissa, run.options->scaleExponent);
    float groundOffset = run.options->groundModel ? GroundMeshes(run, scale) : 0.0f;
    run.geometry.meshes = run.meshes.Data();
    run.geometry.meshCount = run.meshCount;
    run.geometry.usedMaterials = run.used.Renumber();
    if (!CollectTriangles(run.geometry, run.used) ||
        !LoadSkeleton(run.skeletonDocument, &run.skeleton))
        return ExportFailure(ExportProblem::kOutOfMemory);
    if (run.geometry.vertexCount > kMaxExportVertices)
        return ExportFailure(ExportProblem::kTooManyVertices);
    if (run.skeleton.boneCount > kMaxSkinBones)
        return ExportFailure(ExportProblem::kTooManyBones);
    run.skeleton.scale = scale;
    run.skeleton.groundOffset = groundOffset;
    AxisTurnMatrix(&run.skeleton.axisTurn);
    int32_t missing = 0;
    switch (WriteClump(file, run, &missing)) {
    case WriteResult::kDone:
        if (file.WroteNonFinite())
            return ExportFailure(ExportProblem::kNumberOutOfRange);
        return ExportDone();
    case WriteResult::kMissingBone:
        return MissingBoneResult(missing);
    case WriteResult::kOutOfMemory:
        break;
    }
    return ExportFailure(ExportProblem::kOutOfMemory);
}

void ReleaseMeshes(ExportRun& run) {
    for (int32_t k = 0; k < run.meshCount; ++k) {
        WorkMesh& mesh = run.meshes[static_cast<size_t>(k)];
        if (mesh.object != 0)
            g_host.MQObj_Delete(mesh.object);
        mesh.object = 0;
    }
    run.meshCount = 0;
    run.meshes.Release();
}

// The model into a finished temporary file.
ExportResult PrepareModel(ExportRun& run, const char* fileName, PendingFile& model) {
    if (!model.Create(fileName))
        return ExportFailure(ExportProblem::kDffCreateFailed);
    ExportResult result = WriteModel(run, model.Stream());
    ReleaseMeshes(run);
    if (!result.Ok()) {
        model.Discard();
        return result;
    }
    if (!model.Finish()) {
        model.Discard();
        return ExportFailure(ExportProblem::kDffWriteFailed);
    }
    return ExportDone();
}

// From the options dialog to the files in place, while Keynote's document is
// held. The model and the dictionary are written to temporary files beside
// their targets and replace them together, only when both are complete: an
// export that stops leaves the earlier files as they were and nothing
// half-written behind. Textures left out of the dictionary, what was mended
// and what the game's rules find are named in one notice once the files are
// in place; a cancelled dialog writes nothing and is no failure.
ExportResult ExportWithSkeleton(ExportRun& run, const char* fileName, ExportOptions& options) {
    ExportOptionsDialog dialog(options);
    if (PlatformDialogBox(ModuleInstance, kOptionsDialogResource, g_host.MQ_GetWindowHandle(),
                          &dialog) != 1)
        return ExportDone();
    if (options.writeTextureDictionary && TextureDictionaryIsTheModel(fileName))
        return ExportFailure(ExportProblem::kTxdSameAsDff);
    PendingFile model;
    PendingFile dictionary;
    ExportResult result = PrepareModel(run, fileName, model);
    if (!result.Ok())
        return result;
    PendingFile* files[2] = {&model, &dictionary};
    int count = 1;
    if (options.writeTextureDictionary) {
        TextureOutput output{options.compressTextures != 0, options.writeMipmaps != 0};
        result = PrepareTextureDictionary(run.doc, fileName, run.used, output, run.notes.leftOut,
                                          &run.notes, dictionary);
        if (!result.Ok())
            return result;
        count = 2;
    }
    int failed = CommitPendingFiles(files, count);
    if (failed >= 0)
        return ExportFailure(failed == 0 ? ExportProblem::kDffReplaceFailed
                                         : ExportProblem::kTxdReplaceFailed);
    ShowExportNotice(run.notes);
    return ExportDone();
}

} // namespace

HostBool ExportDffFile(MQBasePlugin* plugin, HostDocument doc, const char* fileName,
                       ExportOptions& options) {
    char text[256];
    snprintf(text, sizeof text, KEYNOTE_CHECK_VERSION, kKeynoteDocumentVersion);
    if (SendUserMessage(plugin, doc, text) < 0) {
        ShowExportResult(ExportFailure(ExportProblem::kKeynoteVersion));
        return 0;
    }
    int32_t answer = SendUserMessage(plugin, doc, KEYNOTE_CREATE_DOCUMENT);
    if (answer == 0) {
        ShowExportResult(ExportFailure(ExportProblem::kKeynoteMissing));
        return 0;
    }
    ExportRun run;
    run.doc = doc;
    run.options = &options;
    run.skeletonDocument = XSRef(static_cast<uint32_t>(answer));
    ExportResult result = ExportWithSkeleton(run, fileName, options);
    // Shown while Keynote's document is still held, as every message is.
    if (!result.Ok())
        ShowExportResult(result);
    SendUserMessage(plugin, doc, KEYNOTE_DELETE_DOCUMENT);
    return result.Ok() ? 1 : 0;
}
