#include "Plugins/Import/FrameHierarchy.h"

#include "frame/HeapArray.h"
#include "frame/MQHost.h"

bool CheckFrameParents(const int32_t* parents, int32_t frameCount, int32_t* badFrame) {
    for (int32_t i = 0; i < frameCount; ++i) {
        if (parents[i] < -1 || parents[i] >= frameCount) {
            *badFrame = i;
            return false;
        }
    }
    // Walk up from every frame, marking frames as on the current path (1) or
    // known to end at a root (2); meeting a frame of the current path is a cycle.
    HeapArray<uint8_t> state;
    if (!state.Allocate(static_cast<size_t>(frameCount))) {
        *badFrame = -1;
        return false;
    }
    for (int32_t i = 0; i < frameCount; ++i) {
        int32_t k = i;
        while (k != -1 && state[static_cast<size_t>(k)] == 0) {
            state[static_cast<size_t>(k)] = 1;
            k = parents[k];
        }
        if (k != -1 && state[static_cast<size_t>(k)] == 1) {
            *badFrame = k;
            return false;
        }
        for (k = i; k != -1 && state[static_cast<size_t>(k)] == 1; k = parents[k])
            state[static_cast<size_t>(k)] = 2;
    }
    return true;
}

void GlobalMatrixOf(const Matrix4* locals, const int32_t* parents, int32_t frame, Matrix4* out) {
    IdentityMatrix4(out);
    for (int32_t k = frame; k != -1; k = parents[k])
        MultiplyMatrix4(out, out, &locals[k]);
}
