// The section reader: a forward scan among siblings, bounded by the parent,
// which records where and why a file is malformed.
#pragma once

#include <stdint.h>

#include "format/ByteStream.h"
#include "format/Sections.h"

// Why a file was found malformed.
enum class StreamProblem : uint8_t {
    kNone = 0,
    kTruncatedHeader, // fewer than 12 bytes left where a header must stand
    kSizePastParent,  // a section's size runs past its enclosing section
    kSizePastFile,    // a top-level section's size runs past the end of the file
    kShortRead,       // a body read ran past the innermost section or the file
    kFileTooLarge,    // the file is 2 GiB or more
    kTooDeep,         // a section nested deeper than the reader holds (not malformed)
};

// Reader state over one stream: the absolute body start and end of each
// entered section, by depth. A malformed file stops every scan and is
// remembered with its offset, so the caller can report it; the cursor stays
// malformed until it is opened again. A section nested deeper than the cursor
// holds is recorded as kTooDeep but only counts as not found: scans go on.
struct SectionCursor {
    ByteStream* stream = nullptr;
    uint32_t bodyStart[kMaxSectionDepth];
    uint32_t bodyEnd[kMaxSectionDepth];
    int8_t depth = 0;
    StreamProblem problem = StreamProblem::kNone;
    uint32_t problemOffset = 0;
    // Type and size of the section that made the file malformed (when known).
    uint32_t problemType = 0;
    uint32_t problemSize = 0;
};

// Starts reading a stream at its beginning, clearing any recorded problem.
// False (with kFileTooLarge) when the stream is 2 GiB or more.
bool OpenSectionCursor(SectionCursor& cursor, ByteStream& stream);

// Scans the sections from the current offset to the end of the innermost
// entered section (the end of the file at depth 0) for the first of the given
// type, skipping over the others without descending; on success enters it.
// False when there is none, when the file is malformed, or when entering it
// would exceed kMaxSectionDepth (treated as not found: at full depth nothing
// is scanned, kTooDeep is recorded and the stream stays). Without a match the
// depth is unchanged and the stream stays where the scan stopped; the scan
// never moves backwards and never reads past the limit.
// A candidate is malformed when its header does not fit before the limit
// (kTruncatedHeader) or its size runs past the limit (kSizePastParent, or
// kSizePastFile at depth 0).
bool FindChildSection(SectionCursor& cursor, uint32_t type);
// Enters the section that starts at the current offset, whatever its type,
// with the checks of FindChildSection; its header is returned. False at the
// end of the innermost section, when malformed, or when too deep.
bool EnterNextSection(SectionCursor& cursor, SectionHeader* header);
// Leaves the innermost entered section: the stream moves to its body end
// (the next sibling's header). Does nothing at depth 0.
void LeaveSection(SectionCursor& cursor);
// Moves back to the body start of the innermost entered section (offset 0 at depth 0).
void RewindSection(SectionCursor& cursor);
// Body length of the innermost entered section (the file size at depth 0).
uint32_t SectionBodyLength(const SectionCursor& cursor);
// Bytes between the current offset and the end of the innermost section.
uint32_t SectionBytesLeft(const SectionCursor& cursor);
// Moves to an absolute offset at depth 0 (leaving every entered section).
void SeekTopLevel(SectionCursor& cursor, uint32_t offset);
// Whether a problem other than kTooDeep was recorded.
bool IsMalformed(const SectionCursor& cursor);

// Reads inside the innermost entered section. A read that would run past the
// section's end, or that comes back short, marks the file malformed
// (kShortRead) and fails; the outputs are then zero.
bool ReadBytes(SectionCursor& cursor, void* buffer, uint32_t size);
bool SkipBytes(SectionCursor& cursor, uint32_t size);
bool ReadU8(SectionCursor& cursor, uint8_t* v);
bool ReadU16(SectionCursor& cursor, uint16_t* v);
bool ReadU32(SectionCursor& cursor, uint32_t* v);
bool ReadI32(SectionCursor& cursor, int32_t* v);
bool ReadF32(SectionCursor& cursor, float* v);
// Reads the innermost section's whole body as text into a buffer of size
// bytes: cut to size - 1 bytes and terminated. Returns false on a short read.
bool ReadSectionText(SectionCursor& cursor, char* buffer, uint32_t size);
