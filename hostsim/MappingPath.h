// Resolves the file names that materials give (texture, alpha and bump maps)
// against the folder of their document.
#pragma once

#include <stddef.h>

#include <string>

// Room the host gives a resolved path, terminator included.
enum { kMappingPathSize = 260 };

// Writes the full path of name into out (outSize bytes). Names use "\" between
// folders, as on Windows; outside Windows it becomes "/". An absolute name is
// kept as it is; a relative one is joined to folder. Returns false, with out
// empty, when a text is missing, the name is empty or the path does not fit.
bool ResolveMappingPath(const std::string& folder, const char* name, char* out, size_t outSize);
