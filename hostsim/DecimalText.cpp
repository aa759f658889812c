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
// end; the digits go straight to their place, two per division. Values that
// fit 32 bits are written with 32-bit divisions, which a 32-bit build does
// inline instead of through a library call.
template <typename Unsigned> char* WriteDigitsOf(char* out, Unsigned value, int minDigits) {
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

char* WriteDigits(char* out, uint64_t value, int minDigits) {
    if (value <= UINT32_MAX) {
        return WriteDigitsOf(out, static_cast<uint32_t>(value), minDigits);
    }
    return WriteDigitsOf(out, value, minDigits);
}

// Exactly kCount digits of value (its lowest ones), leading zeros included.
template <int kCount, typename Unsigned> char* WriteFraction(char* out, Unsigned value) {
    char* p = out + kCount;
    for (int i = kCount; i >= 2; i -= 2) {
        const char* pair = kDigitPairs + 2 * (value % 100);
        value /= 100;
        *--p = pair[1];
        *--p = pair[0];
    }
    if (kCount % 2 != 0) {
        *--p = static_cast<char>('0' + value % 10);
    }
    return out + kCount;
}

// Rounds scaled (the value's magnitude times unit) half away from zero, as
// llround does, in Signed arithmetic (whose range holds scaled), and writes
// the sign, the whole part and the decimals. The casts and the subtraction
// are exact in that range.
template <int kDecimals, typename Signed, typename Unsigned>
char* WriteScaled(char* out, double scaled, bool negative, Unsigned unit) {
    Signed truncated = static_cast<Signed>(scaled);
    Unsigned rounded = static_cast<Unsigned>(truncated);
    if (scaled - static_cast<double>(truncated) >= 0.5) {
        ++rounded;
    }
    if (rounded != 0 && negative) {
        *out++ = '-';
    }
    out = WriteDigitsOf(out, rounded / unit, 1);
    if (kDecimals > 0) {
        *out++ = '.';
        out = WriteFraction<kDecimals>(out, rounded % unit);
    }
    return out;
}

// The decimals are a constant here, so the divisions by the unit compile to
// multiplications.
template <int kDecimals> char* WriteFixedDecimals(char* out, double value) {
    uint64_t unit = 1;
    for (int i = 0; i < kDecimals; ++i) {
        unit *= 10;
    }
    double scaled = fabs(value) * static_cast<double>(unit);
    if (scaled < 2147483648.0) {
        // The common case in 32-bit arithmetic: a 32-bit build converts a
        // double to a 64-bit integer only through the slow x87 unit, and
        // divides 64-bit integers through a library call.
        return WriteScaled<kDecimals, int32_t>(out, scaled, value < 0.0,
                                               static_cast<uint32_t>(unit));
    }
    if (scaled >= 9.0e15) {
        // Too large for exact integer arithmetic; such values need no rounding care.
        int length = snprintf(out, kFixedTextRoom, "%.*f", kDecimals, value);
        return out + (length > 0 ? length : 0);
    }
    return WriteScaled<kDecimals, int64_t>(out, scaled, value < 0.0, unit);
}

} // namespace

char* WriteInt(char* out, int64_t value) {
    if (value < 0) {
        *out++ = '-';
        return WriteDigits(out, 0 - static_cast<uint64_t>(value), 1);
    }
    return WriteDigits(out, static_cast<uint64_t>(value), 1);
}

char* WriteFixed(char* out, double value, int decimals) {
    if (!isfinite(value)) {
        value = 0.0;
    }
    switch (decimals < 0 ? 0 : decimals) {
    case 0:
        return WriteFixedDecimals<0>(out, value);
    case 1:
        return WriteFixedDecimals<1>(out, value);
    case 2:
        return WriteFixedDecimals<2>(out, value);
    case 3:
        return WriteFixedDecimals<3>(out, value);
    case 4:
        return WriteFixedDecimals<4>(out, value);
    case 5:
        return WriteFixedDecimals<5>(out, value);
    case 6:
        return WriteFixedDecimals<6>(out, value);
    case 7:
        return WriteFixedDecimals<7>(out, value);
    case 8:
        return WriteFixedDecimals<8>(out, value);
    default:
        return WriteFixedDecimals<9>(out, value);
    }
}

void AppendInt(std::string& out, int64_t value) {
    char text[kIntTextRoom];
    out.append(text, WriteInt(text, value));
}

void AppendFixed(std::string& out, double value, int decimals) {
    char text[kFixedTextRoom];
    out.append(text, WriteFixed(text, value, decimals));
}
