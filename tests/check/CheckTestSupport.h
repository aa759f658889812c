// Running the checks over bytes made in memory, and reading what they found.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "check/Finding.h"
#include "check/TextureNames.h"

// The findings of a model file; with a dictionary of these names beside it
// unless names is null.
FindingList CheckModelBytes(const std::vector<uint8_t>& bytes, const TextureNames* names);
// The findings of a texture dictionary file; its names go to names when given.
FindingList CheckDictionaryBytes(const std::vector<uint8_t>& bytes, TextureNames* names = nullptr);
// Sorted names of a dictionary holding these textures.
TextureNames NamesOf(const std::vector<std::string>& names);
// The rule ids of the findings, in order.
std::vector<std::string> RuleIds(const FindingList& list);
