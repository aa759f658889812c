#include "Plugins/Import/ImportDriver.h"

#include <stdio.h>

#include "format/FileStream.h"

#include "Plugins/Import/ClumpCaptions.h"
#include "Plugins/Import/ClumpRead.h"
#include "Plugins/Import/ClumpValidation.h"
#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/ImportRun.h"
#include "Plugins/Import/ImportSteps.h"
#include "Plugins/Import/TextureImport.h"
#include "frame/DialogIds.h"
#include "frame/MQPlugin.h"
#include "frame/OptionsDialog.h"
#include "frame/PathParts.h"
#include "frame/Scale.h"
#include "platform/Dialog.h"
#include "platform/Platform.h"

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

// Reads and checks the chosen clump, then builds the document from it.
static ImportResult ImportChosenClump(ImportRun& run, int clumpIndex) {
    ClumpModel model;
    ReadChosenClump(run.cursor, clumpIndex, run.resetPose, &model);
    ValidateClump(&model);
    ImportResult result = ImportGeometry(run, model);
    return result.Ok() ? ImportSkeleton(run, model) : result;
}

ImportOutcome RunImport(HostDocument doc, const char* path, ByteStream& stream,
                        ImportOptions& options) {
    ImportOutcome outcome;
    ImportRun run;
    run.doc = doc;
    FileStemOf(path, run.stem, sizeof run.stem);
    int clumpCount = 0;
    bool failed = false;
    if (!OpenSectionCursor(run.cursor, stream)) {
        FailSection(run, ImportFailure(ImportProblem::kNoClump));
    } else if (CountClumps(run, &clumpCount) &&
               !AskImportOptions(run, clumpCount, options, &failed)) {
        outcome.cancelled = !failed;
    } else if (!run.Failed()) {
        run.scale = ScaleFactorOf(options.scaleMantissa, options.scaleExponent);
        run.resetPose = options.resetPose != 0;
        const int32_t firstMaterial = g_host.MQDoc_GetMaterialCount(doc);
        run.result = ImportChosenClump(run, options.clumpIndex);
        if (!run.Failed() && options.writeTextures)
            ImportTextures(run, path, firstMaterial, &outcome.textures);
    }
    outcome.result = run.result;
    return outcome;
}

namespace {

void ShowImportText(const char* text) {
    PlatformMessageBox(g_host.MQ_GetWindowHandle(), text, IMPORT_CAPTION,
                       kMessageBoxIconError | kMessageBoxOk);
}

// The failure, or else the texture step's notice, as the user's message.
HostBool ShowOutcome(const ImportOutcome& outcome) {
    if (!outcome.result.Ok()) {
        char text[kImportMessageSize];
        FormatImportMessage(outcome.result, text, sizeof text);
        ShowImportText(text);
        return 0;
    }
    char text[kTextureNoticeSize];
    FormatTextureNotice(outcome.textures, text, sizeof text);
    if (text[0] != '\0')
        ShowImportText(text);
    return 1;
}

} // namespace

HostBool ImportDffStream(HostDocument doc, const char* path, ByteStream& stream,
                         ImportOptions& options) {
    return ShowOutcome(RunImport(doc, path, stream, options));
}

HostBool ImportDffFile(HostDocument doc, const char* path, ImportOptions& options) {
    FileStream file;
    if (!file.OpenForRead(path)) {
        ImportOutcome outcome;
        outcome.result = ImportFailure(ImportProblem::kOpenFailed);
        return ShowOutcome(outcome);
    }
    return ImportDffStream(doc, path, file, options);
}
