// The HAnimTag text, "index:nodeId:nodeFlags": a bone's three HAnim numbers
// as Keynote's bones carry them and as the importer writes them into a bone
// material's bump name. Both plug-ins read and write it only through here.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct HAnimTag {
    int32_t index;
    int32_t nodeId;
    int32_t nodeFlags;
};

// Each number read as optional white space, sign and digits; a missing
// number (or colon) reads as 0.
HAnimTag ParseHAnimTag(const char* text);

// The tag's text in a buffer of size bytes, cut to fit and terminated.
void FormatHAnimTag(const HAnimTag& tag, char* buffer, size_t size);
