// The frame hierarchy as read from a Frame List: local matrices and parents,
// checked once so that walking up from any frame ends at a root.
#pragma once

#include <stdint.h>

#include "frame/HostTypes.h"

// Checks every parent index: -1 or a frame of the list, and no cycles.
// Returns false and names the first offending frame in *badFrame.
bool CheckFrameParents(const int32_t* parents, int32_t frameCount, int32_t* badFrame);

// The frame's model-space matrix: local x parent x grandparent x ...
// The parents must have passed CheckFrameParents.
void GlobalMatrixOf(const Matrix4* locals, const int32_t* parents, int32_t frame, Matrix4* out);
