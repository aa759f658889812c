// Trace lines and bounded formatting of the import's names.
#pragma once

#include <stddef.h>

#include "Plugins/Import/ImportRun.h"

// Formats into a bounded buffer, cutting what does not fit (names are
// limited to the host's 64-byte buffers).
void FormatCut(char* buffer, size_t size, const char* format, ...);
// Formats a trace line into the name buffer and writes it.
void ImportTrace(ImportRun& run, const char* format, ...);
