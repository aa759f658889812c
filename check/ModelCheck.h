// Checking a whole model: every clump read with the format readers, whose
// own checks come first (damage is a finding, and a clump read no further),
// then the rules over what was read.
#pragma once

#include <stdint.h>

#include "check/Finding.h"
#include "check/TextureNames.h"
#include "format/ByteStream.h"

// What a model holds, for wording where a finding stands.
struct ModelCounts {
    int32_t clumps = 0;
    int32_t mostGeometries = 0; // of any clump
};

// Checks the model in stream; dictionary: the sorted names of the dictionary
// beside it, or null when it has none.
void CheckModelStream(ByteStream& stream, const TextureNames* dictionary, FindingList& out,
                      ModelCounts* counts);
