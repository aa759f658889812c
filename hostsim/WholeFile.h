// Whole files in and out of the simulated host, through the platform's file
// calls: only regular files are read, and a file is written to a temporary
// file that replaces the target only when complete and on the disk.
#pragma once

#include <string>

bool ReadWholeFile(const char* path, std::string* bytes);
bool WriteWholeFile(const char* path, const std::string& bytes);
