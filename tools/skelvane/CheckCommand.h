// `skelvane check [--json] FILE|DIR ...`: holds models and texture
// dictionaries to the game's rules. Each model is checked with the dictionary
// of its name beside it (letter case ignored), each dictionary alone; a
// folder is searched recursively for .dff and .txd files.
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

#include "tools/skelvane/CommandLine.h"

// Checks the files and folders; prints one line per finding and a summary
// line on out (with json, one JSON document instead). Returns the exit
// status: 0 when nothing is an error, 1 otherwise.
int CheckFiles(const std::vector<std::string>& operands, bool json, FILE* out);

// The subcommand: its operands, options and help.
extern const CommandSpec kCheckCommand;
