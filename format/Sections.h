// The RenderWare chunk stream: section type ids and names, the library
// version stamp, the section writer (sizes patched in one forward pass) and
// the section reader (forward scan among siblings, bounded by the parent).
#pragma once

#include <stdint.h>

#include "format/ByteStream.h"

// Section type ids.
enum SectionType : uint32_t {
    kSectionStruct = 0x00000001,
    kSectionString = 0x00000002,
    kSectionExtension = 0x00000003,
    kSectionTexture = 0x00000006,
    kSectionMaterial = 0x00000007,
    kSectionMaterialList = 0x00000008,
    kSectionFrameList = 0x0000000E,
    kSectionGeometry = 0x0000000F,
    kSectionClump = 0x00000010,
    kSectionAtomic = 0x00000014,
    kSectionTextureNative = 0x00000015,
    kSectionTextureDictionary = 0x00000016,
    kSectionGeometryList = 0x0000001A,
    kSectionRightToRender = 0x0000001F,
    kSectionSkinPlg = 0x00000116,
    kSectionHAnimPlg = 0x0000011E,
    kSectionBinMeshPlg = 0x0000050E,
    kSectionBreakable = 0x0253F2FD,
    kSectionFrame = 0x0253F2FE,
};

// The packed library id of RenderWare 3.6.0.3, build 0xFFFF, written in every header.
constexpr uint32_t LibraryVersionStamp = 0x1803FFFF;

constexpr uint32_t kChunkHeaderSize = 12;

// The 12-byte header before every section body.
struct ChunkHeader {
    uint32_t type;
    uint32_t size; // body length, nested sections included
    uint32_t libraryVersion;
};

// The format's name of a section type ("Clump", "Frame List", ...), or null.
const char* SectionTypeName(uint32_t type);

// Whether a section type's body is a list of child sections.
bool IsContainerSection(uint32_t type);

// Deepest nesting either side handles. The model file needs 7
// (Clump > Geometry List > Geometry > Material List > Material > Texture > String).
constexpr int kMaxSectionDepth = 8;

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
bool WriteChunkHeader(ByteStream& stream, uint32_t type, uint32_t size);
// Writes a complete section whose body is given whole.
bool WriteSection(ByteStream& stream, uint32_t type, const void* body, uint32_t size);
// Writes an Extension with nothing to carry (a bare 12-byte header).
bool WriteEmptyExtension(ByteStream& stream);

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
bool EnterNextSection(SectionCursor& cursor, ChunkHeader* header);
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
