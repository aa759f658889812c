#include "format/ClumpLayout.h"

void WriteClumpStruct(ByteStream& s, const ClumpStruct& r) {
    WriteI32(s, r.atomicCount);
    WriteI32(s, r.lightCount);
    WriteI32(s, r.cameraCount);
}

bool ReadClumpStruct(SectionCursor& c, ClumpStruct* r) {
    return ReadI32(c, &r->atomicCount) && ReadI32(c, &r->lightCount) && ReadI32(c, &r->cameraCount);
}

bool BeginClump(ByteStream& s, SectionStack& stack, const ClumpStruct& r) {
    if (!BeginSection(s, stack, kSectionClump) || !BeginSection(s, stack, kSectionStruct))
        return false;
    WriteClumpStruct(s, r);
    return EndSection(s, stack);
}

bool EndClump(ByteStream& s, SectionStack& stack) {
    return WriteEmptyExtension(s) && EndSection(s, stack);
}

// Whether every byte from offset to the end of the stream is zero: the padding
// archive tools leave after a model.
static bool OnlyZerosFrom(ByteStream& stream, uint32_t offset) {
    uint8_t block[4096];
    if (!stream.Seek(offset))
        return false;
    for (;;) {
        uint32_t got = stream.Read(block, sizeof block);
        if (got == 0)
            return stream.Tell() >= stream.Size();
        for (uint32_t i = 0; i < got; ++i)
            if (block[i] != 0)
                return false;
    }
}

bool ScanTopLevelClumps(SectionCursor& c, int* count) {
    SeekTopLevel(c, 0);
    int found = 0;
    while (FindChildSection(c, kSectionClump)) {
        ++found;
        LeaveSection(c);
    }
    *count = found;
    if (!IsMalformed(c))
        return true;
    // After the clumps, padding and the few stray bytes some writers leave
    // cannot be a clump: the clumps before them stand. A clump that runs past
    // the end is damage.
    bool trailer = c.problem == StreamProblem::kTruncatedHeader ||
                   (c.problem == StreamProblem::kSizePastFile && c.problemType != kSectionClump) ||
                   OnlyZerosFrom(*c.stream, c.problemOffset);
    if (found == 0 || !trailer)
        return false;
    c.problem = StreamProblem::kNone;
    return true;
}

BoneNameSearch EnterFirstBoneName(SectionCursor& c) {
    if (!FindChildSection(c, kSectionClump))
        return BoneNameSearch::kMissingClump;
    if (!FindChildSection(c, kSectionFrameList))
        return BoneNameSearch::kMissingFrameList;
    // The first frame's Extension, then the second one's.
    if (!FindChildSection(c, kSectionExtension))
        return BoneNameSearch::kMissingExtension;
    LeaveSection(c);
    if (!FindChildSection(c, kSectionExtension))
        return BoneNameSearch::kMissingExtension;
    if (!FindChildSection(c, kSectionFrame))
        return BoneNameSearch::kMissingFrame;
    return BoneNameSearch::kFound;
}

bool ReadFirstBoneName(SectionCursor& c, char* text, uint32_t size) {
    if (!ReadSectionText(c, text, size))
        return false;
    for (int i = 0; i < 4; ++i) // Frame, Extension, Frame List, Clump
        LeaveSection(c);
    return true;
}
