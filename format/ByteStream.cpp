// Little-endian encoding of fixed-width values, in buffers and on streams.
#include "format/ByteStream.h"

#include <math.h>
#include <string.h>

uint16_t LoadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

float LoadF32(const uint8_t* p) {
    const uint32_t bits = LoadU32(p);
    float v;
    memcpy(&v, &bits, sizeof v);
    return v;
}

void StoreU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void StoreU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

void StoreF32(uint8_t* p, float v) {
    uint32_t bits;
    memcpy(&bits, &v, sizeof bits);
    StoreU32(p, bits);
}

bool WriteU8(ByteStream& s, uint8_t v) {
    return s.Write(&v, 1);
}

bool WriteU16(ByteStream& s, uint16_t v) {
    uint8_t b[2];
    StoreU16(b, v);
    return s.Write(b, sizeof b);
}

bool WriteU32(ByteStream& s, uint32_t v) {
    uint8_t b[4];
    StoreU32(b, v);
    return s.Write(b, sizeof b);
}

bool WriteI32(ByteStream& s, int32_t v) {
    return WriteU32(s, static_cast<uint32_t>(v));
}

bool WriteF32(ByteStream& s, float v) {
    if (!isfinite(v))
        s.NoteNonFinite();
    uint8_t b[4];
    StoreF32(b, v);
    return s.Write(b, sizeof b);
}

// Reads exactly size bytes; on a short read the bytes are zeroed.
static bool ReadExactly(ByteStream& s, uint8_t* b, uint32_t size) {
    if (s.Read(b, size) == size) {
        return true;
    }
    memset(b, 0, size);
    return false;
}

bool ReadU8(ByteStream& s, uint8_t* v) {
    return ReadExactly(s, v, 1);
}

bool ReadU16(ByteStream& s, uint16_t* v) {
    uint8_t b[2];
    const bool ok = ReadExactly(s, b, sizeof b);
    *v = LoadU16(b);
    return ok;
}

bool ReadU32(ByteStream& s, uint32_t* v) {
    uint8_t b[4];
    const bool ok = ReadExactly(s, b, sizeof b);
    *v = LoadU32(b);
    return ok;
}

bool ReadI32(ByteStream& s, int32_t* v) {
    uint32_t u;
    const bool ok = ReadU32(s, &u);
    *v = static_cast<int32_t>(u);
    return ok;
}

bool ReadF32(ByteStream& s, float* v) {
    uint8_t b[4];
    const bool ok = ReadExactly(s, b, sizeof b);
    *v = LoadF32(b);
    return ok;
}
