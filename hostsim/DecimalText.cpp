#include "hostsim/DecimalText.h"

#include <math.h>
#include <stdio.h>

namespace {

void AppendDigits(std::string& out, uint64_t value, int minDigits) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count < minDigits) {
        digits[count++] = '0';
    }
    while (count > 0) {
        out += digits[--count];
    }
}

} // namespace

void AppendInt(std::string& out, int64_t value) {
    if (value < 0) {
        out += '-';
        AppendDigits(out, 0 - static_cast<uint64_t>(value), 1);
    } else {
        AppendDigits(out, static_cast<uint64_t>(value), 1);
    }
}

void AppendFixed(std::string& out, double value, int decimals) {
    if (decimals < 0) {
        decimals = 0;
    } else if (decimals > 9) {
        decimals = 9;
    }
    if (!isfinite(value)) {
        value = 0.0;
    }
    uint64_t unit = 1;
    for (int i = 0; i < decimals; ++i) {
        unit *= 10;
    }
    double scaled = fabs(value) * static_cast<double>(unit);
    if (scaled >= 9.0e15) {
        // Too large for exact integer arithmetic; such values need no rounding care.
        char text[400];
        snprintf(text, sizeof text, "%.*f", decimals, value);
        out += text;
        return;
    }
    uint64_t rounded = static_cast<uint64_t>(llround(scaled));
    if (rounded != 0 && value < 0.0) {
        out += '-';
    }
    AppendDigits(out, rounded / unit, 1);
    if (decimals > 0) {
        out += '.';
        AppendDigits(out, rounded % unit, decimals);
    }
}
