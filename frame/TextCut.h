// Texts cut to a byte limit without splitting a character: on Windows the
// double-byte characters of the system code page (Shift-JIS on the systems
// this tool is made for) are kept whole or left out whole.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Whether a byte starts a double-byte character.
using LeadByteTest = bool (*)(uint8_t byte);

// How many bytes of text remain when it is cut to at most limit bytes: the
// whole text when it fits, else up to the last character that ends within
// the limit. A lead byte right before the terminator counts as a character.
size_t CutTextLength(const char* text, size_t limit);
// The same with another test for lead bytes (the system's by default).
size_t CutTextLength(const char* text, size_t limit, LeadByteTest isLead);

// Copies text cut to at most limit bytes (and to what out's size bytes hold
// with the terminator) into out; returns whether anything was cut off.
bool CopyCutText(const char* text, size_t limit, char* out, size_t size);
