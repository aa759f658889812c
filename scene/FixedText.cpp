#include "scene/FixedText.h"

#include <math.h>
#include <string.h>

#include <charconv>

// A float times a power of ten up to 10^9 is exact in a double, so a tie is
// seen exactly; to_chars rounds ties to even, so a tie is handed over one step
// away from zero.
char* WriteFixed(char* out, float value, int decimals) {
    static constexpr double kUnits[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    decimals = decimals < 0 ? 0 : decimals > 9 ? 9 : decimals;
    double v = isfinite(value) ? static_cast<double>(value) : 0.0;
    const double scaled = fabs(v) * kUnits[decimals];
    if (scaled - floor(scaled) == 0.5) {
        v = nextafter(v, v < 0.0 ? -HUGE_VAL : HUGE_VAL);
    }
    const std::to_chars_result r =
        std::to_chars(out, out + kNumberRoom, v, std::chars_format::fixed, decimals);
    if (out[0] != '-') {
        return r.ptr;
    }
    for (const char* p = out + 1; p < r.ptr; ++p) {
        if (*p != '0' && *p != '.') {
            return r.ptr;
        }
    }
    memmove(out, out + 1, static_cast<size_t>(r.ptr - out - 1));
    return r.ptr - 1;
}

char* WriteInt(char* out, int64_t value) {
    return std::to_chars(out, out + kNumberRoom, value).ptr;
}

void AppendFixed(std::string& out, float value, int decimals) {
    char text[kNumberRoom];
    out.append(text, WriteFixed(text, value, decimals));
}

void AppendInt(std::string& out, int64_t value) {
    char text[kNumberRoom];
    out.append(text, WriteInt(text, value));
}
