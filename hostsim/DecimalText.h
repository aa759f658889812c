// Plain decimal text for numbers: fixed decimals, never exponent notation,
// and no "-0" for values that round to zero.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

// Room that WriteFixed and WriteInt need at most (a double's 309 integer
// digits, sign, point and decimals; an int64's 20 digits and sign).
constexpr size_t kFixedTextRoom = 336;
constexpr size_t kIntTextRoom = 24;

// Writes value with exactly decimals digits after the point (0 to 9) at out,
// which has kFixedTextRoom bytes, and returns the end (not terminated).
// Values that are not finite are written as 0.
char* WriteFixed(char* out, double value, int decimals);
// Writes value at out, which has kIntTextRoom bytes, and returns the end.
char* WriteInt(char* out, int64_t value);

void AppendFixed(std::string& out, double value, int decimals);
void AppendInt(std::string& out, int64_t value);
