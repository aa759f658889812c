// Numbers of the .mqo text: fixed decimals and integers, through
// std::to_chars.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

// Room a number's text needs at most: a float's 39 integer digits, sign,
// point and decimals; an integer's 20 digits and sign.
constexpr size_t kNumberRoom = 64;

// Writes value at out (kNumberRoom bytes) with exactly decimals digits after
// the point (0 to 9), rounded half away from zero, never in exponent notation
// and with no "-" when it rounds to zero; values that are not finite are
// written as 0. Returns the end (not terminated).
char* WriteFixed(char* out, float value, int decimals);
// Writes value at out (kNumberRoom bytes) and returns the end.
char* WriteInt(char* out, int64_t value);

void AppendFixed(std::string& out, float value, int decimals);
void AppendInt(std::string& out, int64_t value);
