// `skelvane dump FILE`: prints the section tree of a RenderWare stream.
#pragma once

#include <stdio.h>

#include "format/ByteStream.h"

// Prints one line per section (indented by depth: type id, name, offset,
// size), descending into container sections only. On a malformed stream it
// prints what it could read, then a line with the offset and the problem.
// Returns the exit status: 0 when well-formed, 1 when malformed.
int DumpSectionTree(ByteStream& stream, FILE* out);

// The command's entry: args are the operands after "dump". Returns the exit
// status (64 on a usage error, 1 when the file cannot be opened).
int RunDumpCommand(int argc, char** argv);
