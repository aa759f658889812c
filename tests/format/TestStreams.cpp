#include "tests/format/TestStreams.h"

void AppendU32(std::vector<uint8_t>& bytes, uint32_t v) {
    uint8_t b[4];
    StoreU32(b, v);
    bytes.insert(bytes.end(), b, b + 4);
}

void AppendHeader(std::vector<uint8_t>& bytes, uint32_t type, uint32_t size, uint32_t stamp) {
    AppendU32(bytes, type);
    AppendU32(bytes, size);
    AppendU32(bytes, stamp);
}

std::vector<uint8_t> BuildSmallClump() {
    MemoryStream s;
    SectionStack stack;
    const uint8_t clumpStruct[12] = {1};
    BeginSection(s, stack, kSectionClump);
    WriteSection(s, kSectionStruct, clumpStruct, sizeof clumpStruct);
    BeginSection(s, stack, kSectionFrameList);
    WriteSection(s, kSectionStruct, clumpStruct, 4);
    BeginSection(s, stack, kSectionExtension);
    WriteSection(s, kSectionFrame, "Spine", 5);
    EndSection(s, stack);
    WriteEmptyExtension(s);
    EndSection(s, stack);
    WriteEmptyExtension(s);
    EndSection(s, stack);
    return s.Data();
}

std::string WalkSections(SectionCursor& c) {
    std::string out;
    SectionHeader h;
    while (EnterNextSection(c, &h) && out.size() < 100000) {
        out += std::to_string(c.depth) + ":" + std::to_string(h.type) + ":" +
               std::to_string(c.bodyStart[c.depth - 1]) + ":" + std::to_string(h.size) + " ";
        if (IsContainerSection(h.type)) {
            out += WalkSections(c);
        }
        LeaveSection(c);
    }
    return out;
}

uint32_t WatchedStream::Read(void* buffer, uint32_t size) {
    if (Tell() > Size() || size > Size() - Tell()) {
        ++readsPastEnd;
    }
    return inner_.Read(buffer, size);
}

bool WatchedStream::Seek(uint32_t offset) {
    if (offset < Tell()) {
        ++backwardMoves;
    }
    return inner_.Seek(offset);
}
