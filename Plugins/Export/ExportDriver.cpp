#include "Plugins/Export/ExportDriver.h"

#include <math.h>
#include <stdio.h>

#include "Plugins/Export/ExportMessages.h"
#include "Plugins/Export/GeometryWriter.h"
#include "Plugins/Export/KeynoteDocument.h"
#include "Plugins/Export/MeshConversion.h"
#include "Plugins/Export/SkeletonWriter.h"
#include "Plugins/Export/TextureDictionaryExport.h"
#include "format/ClumpLayout.h"
#include "format/GeometryLayout.h"
#include "format/SkinLayout.h"
#include "frame/DialogIds.h"
#include "frame/KeynoteLayout.h"
#include "frame/OptionsDialog.h"
#include "frame/UserMessage.h"
#include "platform/Dialog.h"

namespace {

constexpr int32_t kMaxExportVertices = 65535;

void ShowExportError(const char* message) {
    PlatformMessageBox(g_host.MQ_GetWindowHandle(), message, EXPORT_CAPTION,
                       kMessageBoxIconError | kMessageBoxOk);
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

// The Geometry List: struct, one Geometry with its materials, the material
// split, the skin and the Breakable section.
WriteResult WriteGeometryList(ByteStream& s, ExportRun& run, int32_t* missing) {
    GeometryRecords records;
    if (!FillGeometryRecords(run.geometry, run.doc, run.used, run.skeleton.scale, &records))
        return WriteResult::kOutOfMemory;
    SectionStack stack;
    BeginSection(s, stack, kSectionGeometryList);
    WriteGeometryListStruct(s, GeometryListStruct{1});
    BeginSection(s, stack, kSectionGeometry);
    WriteGeometryStruct(s, records.geometry);
    WriteMaterialListSection(s, records.materials);
    BeginSection(s, stack, kSectionExtension);
    WriteBinMeshSection(s, records.binMesh);
    if (!WriteSkin(s, run.skeleton, run.meshes.Data(), run.meshCount, missing))
        return WriteResult::kMissingBone;
    WriteBreakableSection(s);
    EndSection(s, stack);
    EndSection(s, stack);
    EndSection(s, stack);
    return WriteResult::kDone;
}

WriteResult WriteClump(ByteStream& s, ExportRun& run, int32_t* missing) {
    SectionStack stack;
    BeginSection(s, stack, kSectionClump);
    BeginSection(s, stack, kSectionStruct);
    WriteClumpStruct(s, ClumpStruct{1, 0, 0});
    EndSection(s, stack);
    if (!WriteFrameList(s, run.skeleton, missing))
        return *missing < 0 ? WriteResult::kOutOfMemory : WriteResult::kMissingBone;
    WriteResult r = WriteGeometryList(s, run, missing);
    if (r != WriteResult::kDone)
        return r;
    BeginSection(s, stack, kSectionAtomic);
    BeginSection(s, stack, kSectionStruct);
    WriteAtomicStruct(s, AtomicStruct{0, 0, kAtomicCollisionTestAndRender, 0});
    EndSection(s, stack);
    BeginSection(s, stack, kSectionExtension);
    WriteRightToRenderSection(s);
    EndSection(s, stack);
    EndSection(s, stack);
    WriteEmptyExtension(s);
    EndSection(s, stack);
    return WriteResult::kDone;
}

// Converts, measures and writes the model into the open file. False after
// showing the reason it stopped.
bool WriteModel(ExportRun& run, ByteStream& file) {
    if (!run.used.Reset(g_host.MQDoc_GetMaterialCount(run.doc)) || !ConvertMeshes(run)) {
        ShowExportError(MSG_EXPORT_OUT_OF_MEMORY);
        return false;
    }
    float scale = ScaleFactorOf(run.options->scaleMantissa, run.options->scaleExponent);
    float groundOffset = run.options->groundModel ? GroundMeshes(run, scale) : 0.0f;
    run.geometry.meshes = run.meshes.Data();
    run.geometry.meshCount = run.meshCount;
    run.geometry.usedMaterials = run.used.Renumber();
    if (!CollectTriangles(run.geometry, run.used) ||
        !LoadSkeleton(run.skeletonDocument, &run.skeleton)) {
        ShowExportError(MSG_EXPORT_OUT_OF_MEMORY);
        return false;
    }
    if (run.geometry.vertexCount > kMaxExportVertices) {
        ShowExportError(MSG_TOO_MANY_VERTICES);
        return false;
    }
    if (run.skeleton.boneCount > kMaxSkinBones) {
        ShowExportError(MSG_TOO_MANY_BONES);
        return false;
    }
    run.skeleton.scale = scale;
    run.skeleton.groundOffset = groundOffset;
    AxisTurnMatrix(&run.skeleton.axisTurn);
    int32_t missing = 0;
    switch (WriteClump(file, run, &missing)) {
    case WriteResult::kDone:
        if (file.WroteNonFinite()) {
            ShowExportError(MSG_NUMBER_OUT_OF_RANGE);
            return false;
        }
        return true;
    case WriteResult::kMissingBone: {
        char message[96];
        snprintf(message, sizeof message, MSG_BONE_NUMBER_MISSING, static_cast<int>(missing));
        ShowExportError(message);
        return false;
    }
    case WriteResult::kOutOfMemory:
        ShowExportError(MSG_EXPORT_OUT_OF_MEMORY);
        return false;
    }
    return false;
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

// The model into a finished temporary file; false after a message.
bool PrepareModel(ExportRun& run, const char* fileName, PendingFile& model) {
    if (!model.Create(fileName)) {
        ShowExportError(MSG_DFF_CREATE_FAILED);
        return false;
    }
    bool ok = WriteModel(run, model.Stream());
    ReleaseMeshes(run);
    if (!ok) {
        model.Discard();
        return false;
    }
    if (!model.Finish()) {
        model.Discard();
        ShowExportError(MSG_DFF_WRITE_FAILED);
        return false;
    }
    return true;
}

// From the options dialog to the files in place, while Keynote's document is
// held; false after a failure the user has been told of. The model and the
// dictionary are written to temporary files beside their targets and replace
// them together, only when both are complete: an export that stops leaves
// the earlier files as they were and nothing half-written behind.
bool ExportWithSkeleton(ExportRun& run, const char* fileName, ExportOptions& options) {
    ExportOptionsDialog dialog(options);
    if (PlatformDialogBox(ModuleInstance, kOptionsDialogResource, g_host.MQ_GetWindowHandle(),
                          &dialog) != 1)
        return true; // cancelled: nothing written, not a failure
    if (options.writeTextureDictionary && TextureDictionaryIsTheModel(fileName)) {
        ShowExportError(MSG_TXD_SAME_AS_DFF);
        return false;
    }
    PendingFile model;
    PendingFile dictionary;
    if (!PrepareModel(run, fileName, model))
        return false;
    PendingFile* files[2] = {&model, &dictionary};
    int count = 1;
    if (options.writeTextureDictionary) {
        TextureOutput output{options.compressTextures != 0, options.writeMipmaps != 0};
        if (!PrepareTextureDictionary(run.doc, fileName, run.used, output, dictionary))
            return false;
        count = 2;
    }
    int failed = CommitPendingFiles(files, count);
    if (failed >= 0) {
        ShowExportError(failed == 0 ? MSG_DFF_REPLACE_FAILED : MSG_TXD_REPLACE_FAILED);
        return false;
    }
    return true;
}

} // namespace

HostBool ExportDffFile(MQBasePlugin* plugin, HostDocument doc, const char* fileName,
                       ExportOptions& options) {
    char text[256];
    snprintf(text, sizeof text, KEYNOTE_CHECK_VERSION, kKeynoteDocumentVersion);
    if (SendUserMessage(plugin, doc, text) < 0) {
        ShowExportError(MSG_KEYNOTE_VERSION);
        return 0;
    }
    int32_t answer = SendUserMessage(plugin, doc, KEYNOTE_CREATE_DOCUMENT);
    if (answer == 0) {
        ShowExportError(MSG_KEYNOTE_MISSING);
        return 0;
    }
    ExportRun run;
    run.doc = doc;
    run.options = &options;
    run.skeletonDocument = XSRef(static_cast<uint32_t>(answer));
    bool ok = ExportWithSkeleton(run, fileName, options);
    SendUserMessage(plugin, doc, KEYNOTE_DELETE_DOCUMENT);
    return ok ? 1 : 0;
}
