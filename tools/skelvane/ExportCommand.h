// `skelvane export SCENE.json -o OUT.dff [options]`: the exporter plug-in run
// on a scene loaded into the simulated host.
#pragma once

#include "tools/skelvane/CommandLine.h"

extern const CommandSpec kExportCommand;
