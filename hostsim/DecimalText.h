// Plain decimal text for numbers: fixed decimals, never exponent notation,
// and no "-0" for values that round to zero.
#pragma once

#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>
#include <type_traits>

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

// The digit writing itself, here so that the writers of long texts inline
// the common case (WriteFixedOf).
namespace decimal_text {

// "00".."99": two digits per division.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// How many decimal digits value has (at least one).
inline int DigitCount(uint32_t value) {
    static constexpr uint32_t kPowers[] = {1,      10,      100,      1000,      10000,
                                           100000, 1000000, 10000000, 100000000, 1000000000};
    // floor(bits * log10(2)) is the count or one less.
    const int bits = 32 - __builtin_clz(value | 1);
    const int guess = (bits * 1233) >> 12;
    return guess + (value >= kPowers[guess] ? 1 : 0) + (value == 0 ? 1 : 0);
}

inline int DigitCount(uint64_t value) {
    if (value <= UINT32_MAX) {
        return DigitCount(static_cast<uint32_t>(value));
    }
    int count = 10;
    for (uint64_t limit = 10000000000u; count < 20 && value >= limit; limit *= 10) {
        ++count;
    }
    return count;
}

// Writes the digits of value backwards, ending just before end: at least one
// digit, two per division. Values that fit 32 bits are divided in 32-bit
// arithmetic, which a 32-bit build does inline instead of through a library
// call.
template <typename Unsigned> inline void DigitsBefore(char* end, Unsigned value) {
    while (value >= 100) {
        end -= 2;
        memcpy(end, kDigitPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (value >= 10) {
        memcpy(end - 2, kDigitPairs + 2 * value, 2);
    } else {
        end[-1] = static_cast<char>('0' + value);
    }
}

template <typename Unsigned> inline char* WriteDigitsOf(char* out, Unsigned value) {
    // Most whole parts are short.
    if (value < 10) {
        *out = static_cast<char>('0' + value);
        return out + 1;
    }
    if (value < 100) {
        memcpy(out, kDigitPairs + 2 * value, 2);
        return out + 2;
    }
    char* end = out + DigitCount(value);
    DigitsBefore(end, value);
    return end;
}

// Exactly kCount digits of value (its lowest ones), leading zeros included.
template <int kCount, typename Unsigned> inline char* WriteFraction(char* out, Unsigned value) {
    char* p = out + kCount;
    for (int i = kCount; i >= 2; i -= 2) {
        p -= 2;
        memcpy(p, kDigitPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (kCount % 2 != 0) {
        *--p = static_cast<char>('0' + value % 10);
    }
    return out + kCount;
}

// 10 to the power of count, at compile time.
template <typename Unsigned, int kCount> constexpr Unsigned PowerOfTen() {
    Unsigned unit = 1;
    for (int i = 0; i < kCount; ++i) {
        unit *= 10;
    }
    return unit;
}

// Rounds scaled (the value's magnitude times 10^kDecimals) half away from
// zero, as llround does, in Signed arithmetic (whose range holds scaled), and
// writes the sign, the whole part and the decimals. The casts and the
// subtraction are exact in that range; the unit is a constant, so dividing by
// it is a multiplication.
template <int kDecimals, typename Signed, typename Unsigned = std::make_unsigned_t<Signed>>
inline char* WriteScaled(char* out, double scaled, bool negative) {
    constexpr Unsigned kUnit = PowerOfTen<Unsigned, kDecimals>();
    Signed truncated = static_cast<Signed>(scaled);
    Unsigned rounded = static_cast<Unsigned>(truncated);
    if (scaled - static_cast<double>(truncated) >= 0.5) {
        ++rounded;
    }
    if (rounded != 0 && negative) {
        *out++ = '-';
    }
    out = WriteDigitsOf(out, rounded / kUnit);
    if (kDecimals > 0) {
        *out++ = '.';
        out = WriteFraction<kDecimals>(out, rounded % kUnit);
    }
    return out;
}

} // namespace decimal_text

// WriteFixed for a constant count of decimals: the common case (a magnitude
// below 2^31 units of the last decimal) inline, the rest through WriteFixed.
template <int kDecimals> inline char* WriteFixedOf(char* out, double value) {
    static_assert(kDecimals >= 0 && kDecimals <= 9, "0 to 9 decimals");
    const double scaled =
        fabs(value) * static_cast<double>(decimal_text::PowerOfTen<uint32_t, kDecimals>());
    if (!(scaled < 2147483648.0)) {
        return WriteFixed(out, value, kDecimals);
    }
    // In 32-bit arithmetic: a 32-bit build converts a double to a 64-bit
    // integer only through the slow x87 unit, and divides 64-bit integers
    // through a library call.
    return decimal_text::WriteScaled<kDecimals, int32_t>(out, scaled, value < 0.0);
}
