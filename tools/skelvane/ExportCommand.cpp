// Loads a scene into the simulated host (document and Keynote's skeleton)
// and runs the real export through the exporter plug-in's exports.
#include "tools/skelvane/ExportCommand.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "Plugins/Export/TextureDictionaryPath.h"
#include "frame/DialogIds.h"
#include "hostsim/HostSim.h"
#include "hostsim/MappingPath.h"
#include "hostsim/PluginLoader.h"
#include "scene/SceneBuild.h"
#include "tools/skelvane/DialogOptions.h"
#include "tools/skelvane/ExitCodes.h"
#include "tools/skelvane/HostUi.h"
#include "tools/skelvane/SameFile.h"

namespace {

enum : int {
    kOptionOutput = 1,
    kOptionGround,
    kOptionTxd,
    kOptionCompress,
    kOptionMipmaps,
    kOptionNoSplit,
    kOptionSplitUv,
    kOptionNoSplitUv,
    kOptionSplitNormal,
    kOptionNoSplitNormal,
};

const OptionSpec kExportOptions[] = {
    {kOptionOutput, "-o", "OUT.dff", "the model to write", true},
    {kOptionGround, "--ground", nullptr,
     "check \"接地させる\": the model is moved so that its lowest point stands on the ground",
     false},
    {kOptionTxd, "--txd", nullptr,
     "check \"テクスチャ(.txd)を出力\": also write the texture dictionary OUT.txd (32 bits per "
     "pixel)",
     false},
    {kOptionCompress, "--compress", nullptr,
     "check \"DXT圧縮\": DXT1 for textures without alpha, DXT3 for those with alpha", false},
    {kOptionMipmaps, "--mipmaps", nullptr, "check \"ミップマップ\": every mip level down to 1 x 1",
     false},
    {kOptionNoSplit, "--no-split", nullptr,
     "uncheck \"頂点の分割処理\" (which also unchecks both criteria below)", false},
    {kOptionSplitUv, "--split-uv", nullptr,
     "check \"UV値で頂点を分割\" (checked when the dialog opens)", false},
    {kOptionNoSplitUv, "--no-split-uv", nullptr, "uncheck \"UV値で頂点を分割\"", false},
    {kOptionSplitNormal, "--split-normal", nullptr,
     "check \"法線で頂点を分割\" (checked when the dialog opens)", false},
    {kOptionNoSplitNormal, "--no-split-normal", nullptr, "uncheck \"法線で頂点を分割\"", false},
    kScaleOption,
    kCancelOption,
    kTraceOption,
};

struct ExportArguments {
    const char* scene = nullptr;
    const char* output = nullptr;
    bool ground = false, txd = false, split = true, splitUv = true, splitNormal = true;
    bool compress = false, mipmaps = false;
    HostUi ui;
};

// The switches in command-line order (a later one wins), the dialog options
// and their problem, if any.
const char* TakeArguments(const CommandArguments& arguments, ExportArguments* a) {
    a->scene = arguments.operands[0];
    a->output = arguments.Value(kOptionOutput);
    for (const OptionUse& use : arguments.options) {
        switch (use.option->id) {
        case kOptionGround:
            a->ground = true;
            break;
        case kOptionTxd:
            a->txd = true;
            break;
        case kOptionCompress:
            a->compress = true;
            break;
        case kOptionMipmaps:
            a->mipmaps = true;
            break;
        case kOptionNoSplit:
            a->split = false;
            break;
        case kOptionSplitUv:
        case kOptionNoSplitUv:
            a->splitUv = use.option->id == kOptionSplitUv;
            break;
        case kOptionSplitNormal:
        case kOptionNoSplitNormal:
            a->splitNormal = use.option->id == kOptionSplitNormal;
            break;
        default:
            TakeDialogOption(use, &a->ui);
        }
    }
    return DialogOptionProblem(a->ui);
}

// The clicks that turn the dialog's opening state (split, by texture
// coordinate and by normal checked; grounding, dictionary, compression and
// mipmaps not) into the asked one. The master switch clears both criteria
// when it is clicked.
void PlanClicks(const ExportArguments& a, std::vector<int>* clicks) {
    if (a.ground)
        clicks->push_back(kIdGroundModel);
    if (a.txd)
        clicks->push_back(kIdWriteTextureDictionary);
    if (a.compress)
        clicks->push_back(kIdCompressTextures);
    if (a.mipmaps)
        clicks->push_back(kIdWriteMipmaps);
    if (!a.split) {
        clicks->push_back(kIdSplitVertices);
        return;
    }
    if (!a.splitUv)
        clicks->push_back(kIdSplitByTexCoord);
    if (!a.splitNormal)
        clicks->push_back(kIdSplitByNormal);
}

// The files the export reads: the scene and every map its materials name.
std::vector<std::string> InputsOf(const ExportArguments& a, HostDocument doc) {
    std::vector<std::string> inputs = {a.scene};
    const HostSimDocument* record = HostSimFindDocument(doc);
    for (HostMaterial handle : record->materials) {
        const HostSimMaterial* m = HostSimFindMaterial(handle);
        for (const std::string* name : {&m->textureName, &m->alphaName, &m->bumpName}) {
            char path[kMappingPathSize];
            if (ResolveMappingPath(record->folder, name->c_str(), path, sizeof path))
                inputs.push_back(path);
        }
    }
    return inputs;
}

// False, after saying which, when the model or its dictionary would
// overwrite a file the export reads.
bool OutputsAreNotInputs(const ExportArguments& a, HostDocument doc) {
    std::vector<std::string> outputs = {a.output};
    if (a.txd) {
        std::string dictionary(strlen(a.output) + 5, '\0');
        TextureDictionaryPath(a.output, &dictionary[0], dictionary.size());
        outputs.push_back(dictionary.c_str());
    }
    std::vector<std::string> inputs = InputsOf(a, doc);
    for (const std::string& output : outputs) {
        if (const char* input = InputThatIs(output, inputs)) {
            fprintf(stderr, "skelvane export: %s is the input file %s; it is not overwritten\n",
                    output.c_str(), input);
            return false;
        }
    }
    return true;
}

int RunExport(const CommandArguments& arguments) {
    ExportArguments a;
    if (const char* problem = TakeArguments(arguments, &a))
        return CommandUsageError(kExportCommand, problem);
    PlanClicks(a, &a.ui.script.clicks);
    HostDocument doc = 0;
    std::string error;
    if (!HostSimLoadScene(a.scene, &doc, &error)) {
        fprintf(stderr, "skelvane export: %s\n", error.c_str());
        return kExitFailure;
    }
    if (!OutputsAreNotInputs(a, doc))
        return kExitUsage;
    LoadedPlugin plugin;
    if (!LoadPlugin(PluginModulePath("SkelvaneExport"), &plugin, &error)) {
        fprintf(stderr, "skelvane export: %s\n", error.c_str());
        return kExitFailure;
    }
    InstallHostUi(&a.ui);
    HostBool completed = plugin.MQExportFile(0, a.output, doc);
    RemoveHostUi();
    if (!completed)
        return kExitFailure;
    if (!a.ui.dialog.shown) {
        // The plug-in goes on as if cancelled; for the command it is a failure.
        fprintf(stderr, "skelvane export: the options dialog could not be shown\n");
        return kExitFailure;
    }
    if (a.ui.dialog.result != 1)
        return kExitCancelled;
    return kExitSuccess;
}

} // namespace

const CommandSpec kExportCommand = {
    "export",
    "SCENE.json",
    1,
    1,
    "exports a scene through the exporter plug-in as a .dff (and .txd)",
    "Loads a scene (a Metasequoia document with the Keynote plug-in's skeleton and weights; "
    "docs/scene-format.md) into the simulated host and runs the exporter plug-in "
    "(SkelvaneExport) through its exports: the skinned model OUT.dff, and with --txd its texture "
    "dictionary OUT.txd. The switches click the dialog's check boxes from their opening state; "
    "every message box is printed on stderr, caption first.",
    "Exit status: 0 exported, 1 stopped with an error message, 2 cancelled, 64 usage error.",
    kExportOptions,
    sizeof kExportOptions / sizeof kExportOptions[0],
    RunExport};
