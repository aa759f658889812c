// The section writer: headers written with a placeholder size that is patched
// when the section closes, in one forward pass.
#pragma once

#include <stdint.h>

#include "format/ByteStream.h"
#include "format/Sections.h"

// Writer state: the offset of each open section's size field, by depth.
struct SectionStack {
    uint32_t sizeOffset[kMaxSectionDepth];
    int8_t depth = 0;
};

// Writes a header with a placeholder size and opens the section; the stream
// is left at the body start. False when the stack is full (nothing written).
bool BeginSection(ByteStream& stream, SectionStack& stack, uint32_t type);
// Closes the innermost open section: patches its size from the current offset.
bool EndSection(ByteStream& stream, SectionStack& stack);

// Writes a 12-byte header with the given size and LibraryVersionStamp.
bool WriteSectionHeader(ByteStream& stream, uint32_t type, uint32_t size);
// Writes a complete section whose body is given whole.
bool WriteSection(ByteStream& stream, uint32_t type, const void* body, uint32_t size);
// Writes an Extension with nothing to carry (a bare 12-byte header).
bool WriteEmptyExtension(ByteStream& stream);
