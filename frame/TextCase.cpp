#include "frame/TextCase.h"

#include <stdint.h>

namespace {

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool SameTextIgnoringCase(const char* a, const char* b) {
    return SameTextIgnoringCase(a, b, SIZE_MAX);
}

bool SameTextIgnoringCase(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        char x = FoldCase(a[i]);
        if (x != FoldCase(b[i]))
            return false;
        if (x == '\0')
            return true;
    }
    return true;
}
