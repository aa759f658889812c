// Output folders of the subcommands.
#pragma once

// Whether path names an existing folder.
bool IsFolder(const char* path);
// Makes the folder unless it exists; false when it cannot be made.
bool MakeFolder(const char* path);
