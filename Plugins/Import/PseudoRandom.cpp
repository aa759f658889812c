#include "Plugins/Import/PseudoRandom.h"

static uint32_t g_state = 1;

int32_t PseudoRandom15() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int32_t>((g_state >> 16) & 0x7FFF);
}

void ResetPseudoRandom() {
    g_state = 1;
}
