// Runs the real import through the importer plug-in's exports in the
// simulated host, then saves the document as a Metasequoia text file.
#include "tools/skelvane/ImportCommand.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "frame/DialogIds.h"
#include "hostsim/HostSim.h"
#include "hostsim/PluginLoader.h"
#include "tools/skelvane/DialogOptions.h"
#include "tools/skelvane/ExitCodes.h"
#include "tools/skelvane/HostUi.h"
#include "tools/skelvane/ImportScene.h"
#include "tools/skelvane/SameFile.h"

namespace {

struct ImportArguments {
    const char* input = nullptr;
    const char* output = nullptr;
    const char* scene = nullptr;
    HostUi ui;
};

int Usage(const char* problem) {
    fprintf(stderr, "skelvane import: %s\n", problem);
    fprintf(stderr,
            "usage: skelvane import FILE.dff -o OUT.mqo [--scene OUT.json] [--clump N] "
            "[--reset-pose] [--no-textures] [--scale MANTISSA EXPONENT] [--cancel] [--trace]\n");
    return kExitUsage;
}

bool ParseClump(const char* text, int* clump) {
    char* end = nullptr;
    long value = strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 126)
        return false;
    *clump = static_cast<int>(value);
    return true;
}

int ParseArguments(int argc, char** argv, ImportArguments* a) {
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "-o") == 0 && i + 1 < argc) {
            a->output = argv[++i];
        } else if (strcmp(arg, "--scene") == 0 && i + 1 < argc) {
            a->scene = argv[++i];
        } else if (strcmp(arg, "--reset-pose") == 0) {
            a->ui.script.clicks.push_back(kIdResetPose);
        } else if (strcmp(arg, "--clump") == 0 && i + 1 < argc) {
            if (!ParseClump(argv[++i], &a->ui.script.clump))
                return Usage("--clump takes a list position from 0 to 126");
        } else if (strcmp(arg, "--no-textures") == 0) {
            a->ui.script.clicks.push_back(kIdWriteTextures); // it opens checked
        } else if (TakeDialogOption(argc, argv, &i, &a->ui)) {
            // --scale, --cancel or --trace
        } else if (arg[0] == '-' || a->input != nullptr) {
            return Usage((std::string("unexpected argument ") + arg).c_str());
        } else {
            a->input = arg;
        }
    }
    if (a->input == nullptr || a->output == nullptr)
        return Usage("an input file and -o OUT.mqo are needed");
    if (const char* problem = DialogOptionProblem(a->ui))
        return Usage(problem);
    for (const char* output : {a->output, a->scene}) {
        if (output != nullptr && InputThatIs(output, {a->input}) != nullptr) {
            fprintf(stderr, "skelvane import: %s is the input file; it is not overwritten\n",
                    output);
            return kExitUsage;
        }
    }
    return kExitSuccess;
}

} // namespace

int RunImportCommand(int argc, char** argv) {
    ImportArguments a;
    int status = ParseArguments(argc, argv, &a);
    if (status != kExitSuccess)
        return status;
    LoadedPlugin plugin;
    std::string error;
    if (!LoadPlugin(PluginModulePath("SkelvaneImport"), &plugin, &error)) {
        fprintf(stderr, "skelvane import: %s\n", error.c_str());
        return kExitFailure;
    }
    InstallHostUi(&a.ui);
    HostDocument doc = HostSimCreateDocument(".");
    HostBool completed = plugin.MQImportFile(0, a.input, doc);
    RemoveHostUi();
    if (a.ui.dialog.badClump) {
        fprintf(stderr,
                "skelvane import: the file has %d clump(s); --clump %d is not one of them\n",
                a.ui.dialog.listCount, a.ui.script.clump);
        return kExitUsage;
    }
    if (!completed)
        return kExitFailure;
    if (!a.ui.dialog.shown) {
        // The plug-in goes on as if cancelled; for the command it is a failure.
        fprintf(stderr, "skelvane import: the options dialog could not be shown\n");
        return kExitFailure;
    }
    if (a.ui.dialog.result != 1)
        return kExitCancelled;
    if (!HostSimSaveMqo(doc, a.output)) {
        fprintf(stderr, "skelvane import: cannot write %s\n", a.output);
        return kExitFailure;
    }
    if (a.scene != nullptr) {
        int clump = a.ui.script.clump < 0 ? 0 : a.ui.script.clump;
        if (!WriteImportScene(doc, a.input, clump, a.scene, &error)) {
            fprintf(stderr, "skelvane import: %s\n", error.c_str());
            return kExitFailure;
        }
    }
    return kExitSuccess;
}
