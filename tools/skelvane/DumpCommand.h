// `skelvane dump FILE...`: prints the section tree of RenderWare streams.
#pragma once

#include <stdio.h>

#include "format/ByteStream.h"
#include "tools/skelvane/CommandLine.h"

// Prints one line per section (indented by depth: type id, name, offset,
// size), descending into container sections only. On a malformed stream it
// prints what it could read, then a line with the offset and the problem.
// Returns the exit status: 0 when well-formed, 1 when malformed.
int DumpSectionTree(ByteStream& stream, FILE* out);

// The subcommand: one tree per file; with several files each is announced by
// name and a closing line counts them.
extern const CommandSpec kDumpCommand;
