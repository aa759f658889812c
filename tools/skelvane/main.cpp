// The skelvane command: dispatches to one subcommand by its name.
#include <stdio.h>
#include <string.h>

#include <SkelvaneVersion.h>

#include "tools/skelvane/CheckCommand.h"
#include "tools/skelvane/CommandLine.h"
#include "tools/skelvane/DumpCommand.h"
#include "tools/skelvane/ExitCodes.h"
#include "tools/skelvane/TextColumns.h"
#include "tools/skelvane/TxdCommand.h"
#if SKELVANE_HOST_COMMANDS
#include "tools/skelvane/ExportCommand.h"
#include "tools/skelvane/ImportCommand.h"
#endif
#if defined(_WIN32) && SKELVANE_HOST_COMMANDS
#include <fcntl.h>
#include <io.h>

#include "hostsim/HostSim.h"
#endif

namespace {

// Every subcommand: its name, operands and options, help and run function.
const CommandSpec* const kCommands[] = {
    &kDumpCommand,
    &kTxdCommand,
    &kCheckCommand,
#if SKELVANE_HOST_COMMANDS
    &kImportCommand,
    &kExportCommand,
#endif
};

const CommandSpec* FindCommand(const char* name) {
    for (const CommandSpec* command : kCommands)
        if (strcmp(command->name, name) == 0)
            return command;
    return nullptr;
}

void PrintUsage(FILE* out) {
    fprintf(out, "usage:\n");
    for (const CommandSpec* command : kCommands)
        fprintf(out, "  %s\n", CommandSynopsis(*command, 2).c_str());
    fprintf(out, "  skelvane help [COMMAND]\n  skelvane --help | --version\n");
}

int PrintHelp() {
    printf("skelvane %s: runs the Skelvane plug-ins for GTA:SA skinned models (.dff) without the "
           "modeller, and reads RenderWare files.\n\n",
           SKELVANE_VERSION_TEXT);
    PrintUsage(stdout);
    printf("\ncommands:\n");
    for (const CommandSpec* command : kCommands)
        printf("  %-8s%s\n", command->name, command->brief);
    printf("\n'skelvane help COMMAND' or 'skelvane COMMAND --help' describes its options.\n");
    return kExitSuccess;
}

int UsageError(const char* problem, const char* argument) {
    fprintf(stderr, "skelvane: %s %s\n", problem, argument);
    PrintUsage(stderr);
    return kExitUsage;
}

// skelvane help [COMMAND]
int RunHelp(int argc, char** argv) {
    if (argc == 0)
        return PrintHelp();
    const CommandSpec* command = FindCommand(argv[0]);
    if (command == nullptr)
        return UsageError("unknown command", argv[0]);
    if (argc > 1)
        return UsageError("help takes one command; unexpected", argv[1]);
    PrintCommandHelp(*command, stdout);
    return kExitSuccess;
}

} // namespace

int main(int argc, char** argv) {
#if defined(_WIN32) && SKELVANE_HOST_COMMANDS
    // The plug-ins bind the host functions from this program's export table;
    // taking the table of all of them keeps every one in the link.
    (void)HostSimFunctions();
    // Print exactly the bytes the native command prints (no CR before LF).
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (argc < 2) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const char* first = argv[1];
    if (strcmp(first, "--help") == 0 || strcmp(first, "-h") == 0)
        return argc == 2 ? PrintHelp() : UsageError("unexpected", argv[2]);
    if (strcmp(first, "--version") == 0)
        return argc == 2 ? (printf("skelvane %s\n", SKELVANE_VERSION_TEXT), kExitSuccess)
                         : UsageError("unexpected", argv[2]);
    if (strcmp(first, "help") == 0)
        return RunHelp(argc - 2, argv + 2);
    if (first[0] == '-')
        return UsageError("unknown option", first);
    if (const CommandSpec* command = FindCommand(first))
        return RunCommand(*command, argc - 2, argv + 2);
    return UsageError("unknown command", first);
}
