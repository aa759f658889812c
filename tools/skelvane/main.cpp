// The skelvane command: dispatches to one subcommand by its name.
#include <stdio.h>
#include <string.h>

#include "tools/skelvane/CheckCommand.h"
#include "tools/skelvane/DumpCommand.h"
#include "tools/skelvane/ExitCodes.h"
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

struct Command {
    const char* name;
    const char* usage;
    // Receives the operands after the command's name.
    int (*run)(int argc, char** argv);
};

const Command kCommands[] = {
    {"dump", "skelvane dump FILE", RunDumpCommand},
    {"txd", "skelvane txd FILE.txd [-o DIR]", RunTxdCommand},
    {"check", "skelvane check [--json] FILE|DIR ...", RunCheckCommand},
#if SKELVANE_HOST_COMMANDS
    {"import",
     "skelvane import FILE.dff -o OUT.mqo [--clump N] [--no-textures] "
     "[--scale MANTISSA EXPONENT] [--cancel] [--trace]",
     RunImportCommand},
    {"export",
     "skelvane export SCENE.json -o OUT.dff [--ground] [--txd] [--no-split] "
     "[--split-uv|--no-split-uv] [--split-normal|--no-split-normal] "
     "[--scale MANTISSA EXPONENT] [--cancel] [--trace]",
     RunExportCommand},
#endif
};

int PrintUsage() {
    fprintf(stderr, "usage:\n");
    for (const Command& command : kCommands) {
        fprintf(stderr, "  %s\n", command.usage);
    }
    return kExitUsage;
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
        return PrintUsage();
    }
    for (const Command& command : kCommands) {
        if (strcmp(argv[1], command.name) == 0) {
            return command.run(argc - 2, argv + 2);
        }
    }
    fprintf(stderr, "skelvane: unknown command %s\n", argv[1]);
    return PrintUsage();
}
