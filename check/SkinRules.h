// The rules over a Skin PLG: what the game makes of each vertex's weights, the
// bones it can hold, and the two fields it derives from the weights. The
// helpers give those fields' values, for a writer to fill them in.
#pragma once

#include <stdint.h>

#include "check/Finding.h"
#include "format/SkinLayout.h"

// The skinned setup holds at most this many bones.
constexpr int32_t kMaxSkinnedBones = 64;

// The largest count of leading non-zero weights of any vertex (0 to 4).
uint8_t MaxLeadingWeights(const SkinRecord& skin);
// The bones that carry a non-zero weight of some vertex, in rising order, into
// bones (room for 256); returns how many.
uint32_t UsedBonesOf(const SkinRecord& skin, uint8_t* bones);

// bone-limit, weight-sum-zero and weight-bone-range (each once, with the
// first vertex and the count), skin-max-weights and skin-used-bones (the
// latter not for the older layout, which has no list).
void CheckSkin(const SkinRecord& skin, FindingList& out);
