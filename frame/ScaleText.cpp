#include "frame/ScaleText.h"

#include <ctype.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

void FormatScaleText(char* buffer, int32_t mantissa, bool plusForZero) {
    const char* sign = mantissa < 0 ? "-" : (mantissa > 0 || plusForZero ? "+" : "");
    int64_t magnitude = mantissa < 0 ? -static_cast<int64_t>(mantissa) : mantissa;
    snprintf(buffer, kScaleTextSize, "%s%d.%03d", sign, static_cast<int>(magnitude / 1000),
             static_cast<int>(magnitude % 1000));
}

void FormatExponentText(char* buffer, int8_t exponent) {
    snprintf(buffer, kScaleTextSize, "%+d", exponent);
}

int8_t WrapToInt8(int32_t value) {
    return static_cast<int8_t>(static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFF));
}

// Length of the leading decimal number (white space, sign, digits, fraction,
// exponent) of text; 0 when none.
static size_t DecimalPrefix(const char* text, bool allowFraction) {
    size_t i = 0;
    while (text[i] == ' ' || text[i] == '\t')
        ++i;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    size_t digits = 0;
    while (isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (allowFraction && text[i] == '.') {
        ++i;
        while (isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (allowFraction && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (text[j] == '+' || text[j] == '-')
            ++j;
        if (isdigit(static_cast<unsigned char>(text[j]))) {
            while (isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            i = j;
        }
    }
    return i;
}

int32_t ParseMantissaText(const char* text) {
    char number[kScaleTextSize];
    size_t length = DecimalPrefix(text, true);
    if (length == 0 || length >= sizeof number)
        return length == 0 ? 0 : INT32_MIN;
    memcpy(number, text, length);
    number[length] = '\0';
    double value = strtod(number, nullptr) * 1000.0;
    double truncated = trunc(value);
    if (!(truncated >= -2147483648.0 && truncated <= 2147483647.0))
        return INT32_MIN;
    return static_cast<int32_t>(truncated);
}

int8_t ParseExponentText(const char* text) {
    size_t length = DecimalPrefix(text, false);
    if (length == 0)
        return 0;
    long value = strtol(text, nullptr, 10);
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    return WrapToInt8(static_cast<int32_t>(value));
}
