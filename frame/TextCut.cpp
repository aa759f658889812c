#include "frame/TextCut.h"

#include <string.h>

#include "platform/Platform.h"

size_t CutTextLength(const char* text, size_t limit, LeadByteTest isLead) {
    size_t at = 0;
    while (text[at] != '\0') {
        const size_t width = isLead(static_cast<uint8_t>(text[at])) && text[at + 1] != '\0' ? 2 : 1;
        if (at + width > limit)
            break;
        at += width;
    }
    return at;
}

size_t CutTextLength(const char* text, size_t limit) {
    return CutTextLength(text, limit, PlatformIsDoubleByteLead);
}

bool CopyCutText(const char* text, size_t limit, char* out, size_t size) {
    if (size == 0)
        return text[0] != '\0';
    if (limit > size - 1)
        limit = size - 1;
    const size_t length = CutTextLength(text, limit);
    memcpy(out, text, length);
    out[length] = '\0';
    return text[length] != '\0';
}
