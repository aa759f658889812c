// A single-pass reader for well-formed scenes: it reads the JSON text straight
// into the scene records, with no document tree in between. It accepts only
// what the checking reader (SceneParse.cpp) accepts, with the same values;
// anything else, an error or merely something unusual (a duplicate key, a
// surrogate escape, an integer past 64 bits), it leaves to the checking
// reader, which finds the place at fault and says what is wrong.
#pragma once

#include <string>
#include <string_view>

#include "hostsim/SceneFile.h"

// True with *scene filled when text is a valid scene; false (scene undefined)
// when the checking reader must decide.
bool ParseSceneFast(std::string_view text, Scene* scene);
