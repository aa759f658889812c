// Where the test program finds its files: the plug-ins and the stand-in host
// beside it, the samples and a scratch folder given on the command line.
#pragma once

#include <string>

// The folder of the running program, without a trailing separator.
std::string ProgramFolder();
// The full file name of the running program.
std::string ProgramPath();

struct TestPaths {
    std::string samples; // folder holding sample.json and sample.dff
    std::string scratch; // an existing folder for written files
};

// The paths given on the command line.
extern TestPaths g_paths;

bool FileExists(const std::string& path);
