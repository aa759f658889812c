// The rules over a clump's Frame List: the frame names the game copies into
// fixed slots, the HAnim PLGs, and the skeleton a skinned model is animated by.
#pragma once

#include <stdint.h>

#include "check/Finding.h"
#include "format/FrameListLayout.h"
#include "format/SkinLayout.h"

// The game keeps a frame's name in 24 bytes.
constexpr uint32_t kMaxFrameNameLength = 23;

// The frame whose HAnim PLG carries the hierarchy (the first with nodes), or -1.
int32_t HierarchyFrameOf(const FrameListRecord& frames);

// frame-name-length (the Frame section's length as read, else the name's) and
// hanim-version, for every frame.
void CheckFrameList(const FrameListRecord& frames, FindingList& out);

// For a clump with a skinned geometry: hanim-bone-count (no hierarchy counts
// as 0 nodes) against the geometry's skin.
void CheckSkinAgainstSkeleton(const FrameListRecord& frames, const SkinRecord& skin,
                              FindingList& out);

// For a clump with a skinned geometry: ped-bone-missing for each of the ids
// the game looks up in a ped's skeleton that the hierarchy lacks,
// bone-id-unknown for each frame whose HAnim id is none of the 32 ped bone ids.
void CheckPedSkeleton(const FrameListRecord& frames, FindingList& out);
