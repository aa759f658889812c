// How the options dialogs show and parse the scale fields.
#pragma once

#include <stdint.h>

constexpr int kScaleTextSize = 64;

// "%s%d.%03d": sign, whole part, thousandths. Zero shows without a sign unless
// plusForZero is set (after a spin step it shows as +0.000).
void FormatScaleText(char* buffer, int32_t mantissa, bool plusForZero);
// The exponent with "%+d".
void FormatExponentText(char* buffer, int8_t exponent);
// The leading decimal number of the text (none gives 0) times 1000, truncated
// toward zero; beyond the 32-bit range it is -2147483648.
int32_t ParseMantissaText(const char* text);
// The leading decimal integer of the text, reduced to its low 8 bits.
int8_t ParseExponentText(const char* text);
// Low 8 bits of a value as a signed byte (200 becomes -56).
int8_t WrapToInt8(int32_t value);
