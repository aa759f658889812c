// Runs the real import through the importer plug-in's exports in the
// simulated host, then saves the document as a Metasequoia text file.
#include "tools/skelvane/ImportCommand.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "frame/DialogIds.h"
#include "frame/PathParts.h"
#include "frame/TextCase.h"
#include "hostsim/HostSim.h"
#include "scene/MqoWriter.h"
#include "hostsim/PluginLoader.h"
#include "tools/skelvane/DialogOptions.h"
#include "tools/skelvane/ExitCodes.h"
#include "tools/skelvane/Folders.h"
#include "tools/skelvane/HostUi.h"
#include "tools/skelvane/ImportScene.h"
#include "tools/skelvane/InputTally.h"
#include "tools/skelvane/SameFile.h"

namespace {

enum : int { kOptionOutput = 1, kOptionScene, kOptionClump, kOptionResetPose, kOptionNoTextures };

const OptionSpec kImportOptions[] = {
    {kOptionOutput, "-o", "OUT.mqo|DIR",
     "the document to write; with several models (or when it is a folder) the folder each is "
     "written to as DIR/NAME.mqo",
     true},
    {kOptionScene, "--scene", "OUT.json",
     "also write the model as a scene that 'skelvane export' takes unchanged (one model only)",
     false},
    {kOptionClump, "--clump", "N", "choose entry N (0-based) of \"クランプ\"", false},
    {kOptionResetPose, "--reset-pose", nullptr,
     "check \"ポーズをリセットする\": the bones known by name get their fixed rotations", false},
    {kOptionNoTextures, "--no-textures", nullptr,
     "uncheck \"テクスチャを書き出す\": write no texture of the model's dictionary as PNG", false},
    kScaleOption,
    kCancelOption,
    kTraceOption,
};

// What every model of one run is imported with.
struct ImportSettings {
    const char* output = nullptr; // the document, or the folder in folder mode
    bool folderMode = false;
    const char* scene = nullptr;
    HostUi ui; // the dialog's answers; a fresh copy answers each model
};

bool ParseClump(const char* text, int* clump) {
    char* end = nullptr;
    long value = strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 126)
        return false;
    *clump = static_cast<int>(value);
    return true;
}

// The document written for input: the output itself, or DIR/NAME.mqo.
std::string OutputFor(const ImportSettings& s, const char* input) {
    if (!s.folderMode)
        return s.output;
    char stem[260];
    FileStemOf(input, stem, sizeof stem);
    return std::string(s.output) + "/" + stem + ".mqo";
}

// The usage problem of the arguments, or an empty text.
std::string TakeArguments(const CommandArguments& arguments, ImportSettings* s) {
    s->output = arguments.Value(kOptionOutput);
    s->scene = arguments.Value(kOptionScene);
    // The dialog opens with "ポーズをリセットする" unchecked and "テクスチャを書き出す"
    // checked, for every model.
    if (arguments.Has(kOptionResetPose))
        s->ui.script.clicks.push_back(kIdResetPose);
    if (arguments.Has(kOptionNoTextures))
        s->ui.script.clicks.push_back(kIdWriteTextures);
    for (const OptionUse& use : arguments.options)
        TakeDialogOption(use, &s->ui);
    if (const char* clump = arguments.Value(kOptionClump))
        if (!ParseClump(clump, &s->ui.script.clump))
            return "--clump takes a list position from 0 to 126";
    if (const char* problem = DialogOptionProblem(s->ui))
        return problem;
    s->folderMode = arguments.operands.size() > 1 || IsFolder(s->output);
    if (s->folderMode && s->scene != nullptr)
        return "--scene writes one model's scene: give one model and -o OUT.mqo";
    // Two models of one name would be written over each other.
    for (size_t a = 0; s->folderMode && a < arguments.operands.size(); ++a)
        for (size_t b = 0; b < a; ++b)
            if (SameTextIgnoringCase(OutputFor(*s, arguments.operands[a]).c_str(),
                                     OutputFor(*s, arguments.operands[b]).c_str()))
                return std::string(arguments.operands[b]) + " and " + arguments.operands[a] +
                       " would both be written as " + OutputFor(*s, arguments.operands[a]);
    return "";
}

// The input when one of the outputs for it is that very file, or null.
const char* OutputThatIsInput(const ImportSettings& s, const char* input,
                              const std::string& output) {
    for (const char* path : {output.c_str(), s.scene})
        if (path != nullptr && InputThatIs(path, {input}) != nullptr)
            return path;
    return nullptr;
}

// Imports one model into a fresh document and saves it; the exit status.
int ImportModel(const LoadedPlugin& plugin, const ImportSettings& s, const char* input) {
    std::string output = OutputFor(s, input);
    if (const char* path = OutputThatIsInput(s, input, output)) {
        fprintf(stderr, "skelvane import: %s is the input file; it is not overwritten\n", path);
        return kExitUsage;
    }
    HostUi ui = s.ui;
    InstallHostUi(&ui);
    HostDocument doc = HostSimCreateDocument(".");
    HostBool completed = plugin.MQImportFile(0, input, doc);
    RemoveHostUi();
    int status = kExitSuccess;
    std::string error;
    if (ui.dialog.badClump) {
        fprintf(stderr,
                "skelvane import: the file has %d clump(s); --clump %d is not one of them\n",
                ui.dialog.listCount, ui.script.clump);
        status = kExitUsage;
    } else if (!completed) {
        status = kExitFailure;
    } else if (!ui.dialog.shown) {
        // The plug-in goes on as if cancelled; for the command it is a failure.
        fprintf(stderr, "skelvane import: the options dialog could not be shown\n");
        status = kExitFailure;
    } else if (ui.dialog.result != 1) {
        status = kExitCancelled;
    } else if (!HostSimSaveMqo(doc, output.c_str())) {
        fprintf(stderr, "skelvane import: cannot write %s\n", output.c_str());
        status = kExitFailure;
    } else if (s.scene != nullptr &&
               !WriteImportScene(doc, input, ui.script.clump < 0 ? 0 : ui.script.clump, s.scene,
                                 &error)) {
        fprintf(stderr, "skelvane import: %s\n", error.c_str());
        status = kExitFailure;
    }
    HostSimDestroyDocument(doc);
    return status;
}

const char* OutcomeOf(int status) {
    switch (status) {
    case kExitSuccess:
        return "imported";
    case kExitCancelled:
        return "cancelled";
    case kExitFailure:
        return "failed";
    default:
        return "refused";
    }
}

int RunImport(const CommandArguments& arguments) {
    ImportSettings settings;
    std::string problem = TakeArguments(arguments, &settings);
    if (!problem.empty())
        return CommandUsageError(kImportCommand, problem);
    if (settings.folderMode && !MakeFolder(settings.output)) {
        fprintf(stderr, "skelvane import: cannot make the folder %s\n", settings.output);
        return kExitFailure;
    }
    LoadedPlugin plugin;
    std::string error;
    if (!LoadPlugin(PluginModulePath("SkelvaneImport"), &plugin, &error)) {
        fprintf(stderr, "skelvane import: %s\n", error.c_str());
        return kExitFailure;
    }
    if (arguments.operands.size() == 1)
        return ImportModel(plugin, settings, arguments.operands[0]);
    InputTally tally("import", "models", stdout);
    for (const char* input : arguments.operands) {
        tally.Begin(input);
        int status = ImportModel(plugin, settings, input);
        tally.End(status, OutcomeOf(status));
    }
    return tally.Finish();
}

} // namespace

const CommandSpec kImportCommand = {
    "import",
    "FILE.dff...",
    1,
    -1,
    "imports models through the importer plug-in, saves them as .mqo",
    "Runs the importer plug-in (SkelvaneImport) through its exports in the simulated host and "
    "saves each model as a Metasequoia document (.mqo): the mesh object \"sdef:NAME\" placed by "
    "its skin, its materials and the bone object \"bone:NAME\". The options answer the plug-in's "
    "dialog; every message box is printed on stderr, caption first. When the model's folder "
    "holds NAME.txd, the textures its materials name are written beside the model as PNG.",
    "Exit status: 0 imported, 1 stopped with an error message, 2 cancelled, 64 usage error; "
    "with several models the worst of them.",
    kImportOptions,
    sizeof kImportOptions / sizeof kImportOptions[0],
    RunImport};
