// Names compared as the host and the file systems compare them: ASCII letters
// without case, every other byte as it is (the bytes of double-byte
// characters included).
#pragma once

#include <stddef.h>

// Whether a and b are the same text.
bool SameTextIgnoringCase(const char* a, const char* b);
// Whether the first length bytes of a and b are the same text (equal when
// both end together before that).
bool SameTextIgnoringCase(const char* a, const char* b, size_t length);
