// Plain decimal text for numbers: fixed decimals, never exponent notation,
// and no "-0" for values that round to zero.
#pragma once

#include <stdint.h>

#include <string>

// Appends value with exactly decimals digits after the point (0 to 9).
// Values that are not finite are written as 0.
void AppendFixed(std::string& out, double value, int decimals);
void AppendInt(std::string& out, int64_t value);
