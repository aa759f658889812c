// The parts of a file path: folder, file name, stem and extension. Folders
// end in a backslash or a slash (on Windows also a drive's colon). On Windows
// paths come in the system code page, Shift-JIS on the systems this tool is
// made for, where the second byte of a double-byte character may be a
// backslash: such characters are stepped over whole.
#pragma once

#include <stddef.h>

// Where the file name starts: after the folder part.
const char* FileNameOf(const char* path);
// The length of the folder part, its last separator included.
size_t FolderLengthOf(const char* path);
// The file name's last period, or null when it has none.
const char* ExtensionOf(const char* path);
// The file name without its extension, cut to fit size bytes.
void FileStemOf(const char* path, char* stem, size_t size);
