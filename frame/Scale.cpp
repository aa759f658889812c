#include "frame/Scale.h"

float ScaleFactorOf(int32_t mantissa, int8_t exponent) {
    int e = exponent;
    unsigned n = static_cast<unsigned>(e < 0 ? -e : e);
    long double power = 1.0L;
    long double base = 10.0L;
    while (n != 0) {
        if (n & 1u)
            power *= base;
        n >>= 1;
        if (n != 0)
            base *= base;
    }
    if (e < 0)
        power = 1.0L / power;
    return static_cast<float>((mantissa / 1000.0) * power);
}
