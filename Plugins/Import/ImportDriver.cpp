#include "format/FileStream.h"
#include "Plugins/Import/ImportDriver.h"

#include "Plugins/Import/ClumpCaptions.h"
#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"
#include "Plugins/Import/TextureImport.h"
#include "frame/DialogIds.h"
#include "frame/MQPlugin.h"
#include "frame/OptionsDialog.h"
#include "frame/PathParts.h"
#include "platform/Dialog.h"

// Shows the options dialog with the clump captions; true when the user
// confirmed.
static bool AskImportOptions(ImportRun& run, int clumpCount, ImportOptions& options, bool* failed) {
    ClumpList captions;
    bool ok = CollectCaptions(run, clumpCount, captions);
    intptr_t result = 0;
    if (ok) {
        ImportOptionsDialog dialog(options, captions);
        result = PlatformDialogBox(ModuleInstance, kOptionsDialogResource,
                                   g_host.MQ_GetWindowHandle(), &dialog);
    }
    ReleaseCaptions(captions);
    *failed = !ok;
    return ok && result == 1 && options.clumpIndex < clumpCount;
}

// Enters the chosen clump down to its geometry's Struct.
static bool EnterChosenGeometry(ImportRun& run, int clumpIndex) {
    SectionCursor& c = run.cursor;
    SeekTopLevel(c, 0);
    for (int i = 0; i < clumpIndex; ++i) {
        if (!FindChildSection(c, kSectionClump)) {
            ReportSectionError(run, MSG_MISSING_CLUMP);
            return false;
        }
        LeaveSection(c);
    }
    struct Step {
        uint32_t type;
        const char* missing;
    };
    static const Step kSteps[] = {
        {kSectionClump, MSG_MISSING_CLUMP},
        {kSectionGeometryList, MSG_MISSING_GEOMETRY_LIST},
        {kSectionGeometry, MSG_MISSING_GEOMETRY},
        {kSectionStruct, MSG_MISSING_GEOMETRY_STRUCT},
    };
    for (const Step& step : kSteps) {
        if (!FindChildSection(c, step.type)) {
            ReportSectionError(run, step.missing);
            return false;
        }
    }
    return true;
}

HostBool ImportDffStream(HostDocument doc, const char* path, ByteStream& stream,
                         ImportOptions& options) {
    ImportRun run;
    run.doc = doc;
    FileStemOf(path, run.stem, sizeof run.stem);
    if (!OpenSectionCursor(run.cursor, stream)) {
        ReportSectionError(run, MSG_NO_CLUMP);
        return 0;
    }
    int clumpCount = 0;
    if (!CountClumps(run, &clumpCount))
        return 0;
    bool failed = false;
    if (!AskImportOptions(run, clumpCount, options, &failed))
        return failed ? 0 : 1;
    run.scale = ScaleFactorOf(options.scaleMantissa, options.scaleExponent);
    run.resetPose = options.resetPose != 0;
    if (!EnterChosenGeometry(run, options.clumpIndex))
        return 0;
    const int32_t firstMaterial = g_host.MQDoc_GetMaterialCount(doc);
    if (!ImportGeometry(run) || !ImportSkeleton(run))
        return 0;
    if (options.writeTextures)
        ImportTextures(run, path, firstMaterial);
    return 1;
}

HostBool ImportDffFile(HostDocument doc, const char* path, ImportOptions& options) {
    FileStream file;
    if (!file.OpenForRead(path)) {
        ImportRun run;
        ReportImportError(run, MSG_OPEN_FAILED);
        return 0;
    }
    return ImportDffStream(doc, path, file, options);
}
