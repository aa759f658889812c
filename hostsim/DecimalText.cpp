#include "hostsim/DecimalText.h"

#include <math.h>
#include <stdio.h>

namespace {

using namespace decimal_text;

// The decimals are a constant here, so the divisions by the unit compile to
// multiplications.
template <int kDecimals> char* WriteFixedDecimals(char* out, double value) {
    double scaled = fabs(value) * static_cast<double>(PowerOfTen<uint64_t, kDecimals>());
    if (scaled < 2147483648.0) {
        return WriteFixedOf<kDecimals>(out, value);
    }
    if (scaled >= 9.0e15) {
        // Too large for exact integer arithmetic; such values need no rounding care.
        int length = snprintf(out, kFixedTextRoom, "%.*f", kDecimals, value);
        return out + (length > 0 ? length : 0);
    }
    return WriteScaled<kDecimals, int64_t>(out, scaled, value < 0.0);
}

} // namespace

char* WriteInt(char* out, int64_t value) {
    uint64_t magnitude = static_cast<uint64_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0 - magnitude;
    }
    if (magnitude <= UINT32_MAX) {
        return WriteDigitsOf(out, static_cast<uint32_t>(magnitude));
    }
    return WriteDigitsOf(out, magnitude);
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
