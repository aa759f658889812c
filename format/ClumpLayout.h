// The Clump: its Struct and the order of its sections, and finding the
// clumps of a file and the name that labels each.
#pragma once

#include <stdint.h>

#include "format/SectionReader.h"
#include "format/SectionWriter.h"

struct ClumpStruct {
    int32_t atomicCount;
    int32_t lightCount;
    int32_t cameraCount;
};
constexpr uint32_t kClumpStructSize = 12;

void WriteClumpStruct(ByteStream& s, const ClumpStruct& r);
bool ReadClumpStruct(SectionCursor& c, ClumpStruct* r);

// Opens a Clump and writes its Struct. The Frame List, the Geometry List and
// the Atomic follow; EndClump writes the Clump's empty Extension and closes it.
bool BeginClump(ByteStream& s, SectionStack& stack, const ClumpStruct& r);
bool EndClump(ByteStream& s, SectionStack& stack);

// Counts the top-level clumps from the start of the file. Damage after at
// least one clump is taken for the trailer some tools leave when it cannot be
// a clump: a truncated header, a section of another type running past the
// end, or zero padding; the problem is then cleared, so later scans stop
// there. False, with the problem kept, when the file is damaged otherwise.
bool ScanTopLevelClumps(SectionCursor& c, int* count);

// Where the search for a clump's first bone name stopped.
enum class BoneNameSearch : uint8_t {
    kFound,
    kMissingClump,
    kMissingFrameList,
    kMissingExtension, // the first or the second frame's Extension
    kMissingFrame,
};

// Enters the next top-level Clump down to the Frame section in the Extension
// of its second frame (the first bone), whose name labels the clump.
BoneNameSearch EnterFirstBoneName(SectionCursor& c);
// Reads that name (cut to size - 1 bytes, terminated) and leaves the Clump.
// False on a short read.
bool ReadFirstBoneName(SectionCursor& c, char* text, uint32_t size);
