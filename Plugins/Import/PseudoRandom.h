// The bone colours' pseudo-random sequence: the classic C runtime generator
// (seed 1, values 0..32767), kept in the module so that every build and every
// host draws the same colours.
#pragma once

#include <stdint.h>

int32_t PseudoRandom15();
// Restarts the sequence (tests only; the importer never reseeds).
void ResetPseudoRandom();
