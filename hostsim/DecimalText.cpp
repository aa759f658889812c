#include "hostsim/DecimalText.h"

#include <math.h>
#include <stdio.h>

namespace {

// "00".."99": two digits per division.
const char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes value with at least minDigits digits (leading zeros) and returns the
// end; the digits go straight to their place, two per division.
char* WriteDigits(char* out, uint64_t value, int minDigits) {
    int count = 1;
    for (uint64_t limit = 10; count < 20 && value >= limit; limit *= 10) {
        ++count;
    }
    if (count < minDigits) {
        count = minDigits;
    }
    char* end = out + count;
    char* p = end;
    while (value >= 100) {
        const char* pair = kDigitPairs + 2 * (value % 100);
        value /= 100;
        *--p = pair[1];
        *--p = pair[0];
    }
    if (value >= 10) {
        const char* pair = kDigitPairs + 2 * value;
        *--p = pair[1];
        *--p = pair[0];
    } else {
        *--p = static_cast<char>('0' + value);
    }
    while (p > out) {
        *--p = '0';
    }
    return end;
}

const uint64_t kPowersOfTen[10] = {1,      10,      100,      1000,      10000,
                                   100000, 1000000, 10000000, 100000000, 1000000000};

} // namespace

char* WriteInt(char* out, int64_t value) {
    if (value < 0) {
        *out++ = '-';
        return WriteDigits(out, 0 - static_cast<uint64_t>(value), 1);
    }
    return WriteDigits(out, static_cast<uint64_t>(value), 1);
}

char* WriteFixed(char* out, double value, int decimals) {
    if (decimals < 0) {
        decimals = 0;
    } else if (decimals > 9) {
        decimals = 9;
    }
    if (!isfinite(value)) {
        value = 0.0;
    }
    uint64_t unit = kPowersOfTen[decimals];
    double scaled = fabs(value) * static_cast<double>(unit);
    if (scaled >= 9.0e15) {
        // Too large for exact integer arithmetic; such values need no rounding care.
        int length = snprintf(out, kFixedTextRoom, "%.*f", decimals, value);
        return out + (length > 0 ? length : 0);
    }
    // Rounded half away from zero, as llround does: below 2^53 the cast and
    // the subtraction are exact.
    uint64_t rounded = static_cast<uint64_t>(scaled);
    if (scaled - static_cast<double>(rounded) >= 0.5) {
        ++rounded;
    }
    if (rounded != 0 && value < 0.0) {
        *out++ = '-';
    }
    out = WriteDigits(out, rounded / unit, 1);
    if (decimals > 0) {
        *out++ = '.';
        out = WriteDigits(out, rounded % unit, decimals);
    }
    return out;
}

void AppendInt(std::string& out, int64_t value) {
    char text[kIntTextRoom];
    out.append(text, WriteInt(text, value));
}

void AppendFixed(std::string& out, double value, int decimals) {
    char text[kFixedTextRoom];
    out.append(text, WriteFixed(text, value, decimals));
}
