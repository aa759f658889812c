// The scale both dialogs edit as a mantissa in thousandths and a power of ten.
#pragma once

#include <stdint.h>

// The scale factor of a mantissa in thousandths and a power of ten:
// (mantissa / 1000) x 10^exponent, the power by binary exponentiation in
// extended precision, inverted for negative exponents.
float ScaleFactorOf(int32_t mantissa, int8_t exponent);
