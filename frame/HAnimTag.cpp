#include "frame/HAnimTag.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

// One number as atol reads it, saturated to 32 bits.
static int32_t ReadTagNumber(const char* p) {
    while (isspace(static_cast<unsigned char>(*p)))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    int64_t value = 0;
    while (isdigit(static_cast<unsigned char>(*p))) {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX)
            value = static_cast<int64_t>(INT32_MAX) + 1;
        ++p;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    return static_cast<int32_t>(value);
}

HAnimTag ParseHAnimTag(const char* text) {
    HAnimTag tag = {0, 0, 0};
    tag.index = ReadTagNumber(text);
    const char* first = strchr(text, ':');
    if (first == nullptr)
        return tag;
    tag.nodeId = ReadTagNumber(first + 1);
    const char* second = strchr(first + 1, ':');
    if (second != nullptr)
        tag.nodeFlags = ReadTagNumber(second + 1);
    return tag;
}

void FormatHAnimTag(const HAnimTag& tag, char* buffer, size_t size) {
    snprintf(buffer, size, "%d:%d:%d", static_cast<int>(tag.index), static_cast<int>(tag.nodeId),
             static_cast<int>(tag.nodeFlags));
}
