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
#include "hostsim/SceneFile.h"
#include "tools/skelvane/DialogOptions.h"
#include "tools/skelvane/ExitCodes.h"
#include "tools/skelvane/HostUi.h"
#include "tools/skelvane/SameFile.h"

namespace {

struct ExportArguments {
    const char* scene = nullptr;
    const char* output = nullptr;
    bool ground = false, txd = false, split = true, splitUv = true, splitNormal = true;
    bool compress = false, mipmaps = false;
    HostUi ui;
};

int Usage(const char* problem) {
    fprintf(stderr, "skelvane export: %s\n", problem);
    fprintf(
        stderr,
        "usage: skelvane export SCENE.json -o OUT.dff [--ground] [--txd [--compress] [--mipmaps]] "
        "[--no-split] "
        "[--split-uv|--no-split-uv] [--split-normal|--no-split-normal] "
        "[--scale MANTISSA EXPONENT] [--cancel] [--trace]\n");
    return kExitUsage;
}

int ParseArguments(int argc, char** argv, ExportArguments* a) {
    struct Flag {
        const char* name;
        bool* target;
        bool value;
    };
    const Flag flags[] = {
        {"--ground", &a->ground, true},
        {"--txd", &a->txd, true},
        {"--compress", &a->compress, true},
        {"--mipmaps", &a->mipmaps, true},
        {"--no-split", &a->split, false},
        {"--split-uv", &a->splitUv, true},
        {"--no-split-uv", &a->splitUv, false},
        {"--split-normal", &a->splitNormal, true},
        {"--no-split-normal", &a->splitNormal, false},
    };
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        bool matched = false;
        for (const Flag& f : flags)
            if (strcmp(arg, f.name) == 0) {
                *f.target = f.value;
                matched = true;
            }
        if (matched)
            continue;
        if (strcmp(arg, "-o") == 0 && i + 1 < argc) {
            a->output = argv[++i];
        } else if (TakeDialogOption(argc, argv, &i, &a->ui)) {
            // --scale, --cancel or --trace
        } else if (arg[0] == '-' || a->scene != nullptr) {
            return Usage((std::string("unexpected argument ") + arg).c_str());
        } else {
            a->scene = arg;
        }
    }
    if (a->scene == nullptr || a->output == nullptr)
        return Usage("a scene file and -o OUT.dff are needed");
    if (const char* problem = DialogOptionProblem(a->ui))
        return Usage(problem);
    return kExitSuccess;
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

} // namespace

int RunExportCommand(int argc, char** argv) {
    ExportArguments a;
    int status = ParseArguments(argc, argv, &a);
    if (status != kExitSuccess)
        return status;
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
