// `skelvane import FILE.dff... -o OUT.mqo|DIR [options]`: the importer plug-in
// run in the simulated host, its document saved as .mqo; several models go
// into a folder, each announced by name, and a closing line counts them.
#pragma once

#include "tools/skelvane/CommandLine.h"

extern const CommandSpec kImportCommand;
