// Whether an output of a command is one of its inputs.
#pragma once

#include <string>
#include <vector>

// The first input that is the same existing file as output (same device and
// inode; on Windows the same volume and file index), or null.
const char* InputThatIs(const std::string& output, const std::vector<std::string>& inputs);
