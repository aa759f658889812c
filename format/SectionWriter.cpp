// Writing nested sections in one forward pass: a header goes out with a
// placeholder size, and the size is patched when the section ends.
#include "format/SectionWriter.h"

bool WriteSectionHeader(ByteStream& stream, uint32_t type, uint32_t size) {
    uint8_t header[kSectionHeaderSize];
    StoreU32(header, type);
    StoreU32(header + 4, size);
    StoreU32(header + 8, LibraryVersionStamp);
    return stream.Write(header, sizeof header);
}

bool BeginSection(ByteStream& stream, SectionStack& stack, uint32_t type) {
    if (stack.depth < 0 || stack.depth >= kMaxSectionDepth) {
        return false;
    }
    const uint32_t start = stream.Tell();
    stack.sizeOffset[stack.depth] = start + 4;
    stack.depth++;
    return WriteSectionHeader(stream, type, 0);
}

bool EndSection(ByteStream& stream, SectionStack& stack) {
    if (stack.depth <= 0 || stack.depth > kMaxSectionDepth) {
        return false;
    }
    stack.depth--;
    const uint32_t end = stream.Tell();
    const uint32_t sizeOffset = stack.sizeOffset[stack.depth];
    if (end < sizeOffset || end - sizeOffset < 8) {
        return false; // the stream was moved back into the header
    }
    const bool patched = stream.Seek(sizeOffset) && WriteU32(stream, end - sizeOffset - 8);
    return stream.Seek(end) && patched;
}

bool WriteSection(ByteStream& stream, uint32_t type, const void* body, uint32_t size) {
    return WriteSectionHeader(stream, type, size) && (size == 0 || stream.Write(body, size));
}

bool WriteEmptyExtension(ByteStream& stream) {
    return WriteSectionHeader(stream, kSectionExtension, 0);
}
