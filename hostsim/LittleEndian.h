// Little-endian stores of 32-bit values into records laid out byte for byte.
#pragma once

#include <stdint.h>
#include <string.h>

inline void PutLeU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline void PutLeU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutLeI32(uint8_t* p, int32_t v) {
    PutLeU32(p, static_cast<uint32_t>(v));
}

inline void PutLeF32(uint8_t* p, float v) {
    uint32_t bits;
    memcpy(&bits, &v, sizeof bits);
    PutLeU32(p, bits);
}
