// Records of the Frame List: the frame records of its Struct and, per frame,
// the Extension with the HAnim PLG that numbers the bones and the Frame
// section that names them.
#pragma once

#include <stdint.h>

#include "format/SectionReader.h"
#include "format/SectionWriter.h"
#include "frame/HeapArray.h"

// Frame flag set only on the root frame the exporter writes; frames that
// carry it are not bones.
constexpr uint32_t kFrameFlagNotBone = 0x00020000;

// One frame of the Frame List Struct: rotation rows (right, up, at), then the
// position, both relative to the parent.
struct FrameRecord {
    float rotation[9];
    float position[3];
    int32_t parentIndex; // -1 for none
    uint32_t matrixFlags;
};
constexpr uint32_t kFrameRecordSize = 56;

struct HAnimHeader {
    int32_t version;
    int32_t nodeId;
    int32_t nodeCount;
};
constexpr uint32_t kHAnimHeaderSize = 12;
constexpr int32_t kHAnimVersion = 0x100;
constexpr int32_t kHAnimKeyFrameSize = 36;

// Between the header and the node records, when there are nodes.
struct HAnimHierarchyHeader {
    int32_t flags;
    int32_t keyFrameSize;
};
constexpr uint32_t kHAnimHierarchyHeaderSize = 8;

struct HAnimNodeRecord {
    int32_t nodeId;
    int32_t nodeIndex;
    int32_t nodeFlags;
};
constexpr uint32_t kHAnimNodeRecordSize = 12;

// A HAnim PLG body: the header and, when nodeCount > 0, the hierarchy header
// and nodeCount node records.
struct HAnimPlgRecord {
    HAnimHeader header = {};
    HAnimHierarchyHeader hierarchy = {};
    HeapArray<HAnimNodeRecord> nodes;
};

// A frame's name in a record: at most 63 bytes, terminated (longer names
// are cut when read).
constexpr uint32_t kFrameNameSize = 64;

// The Extension of one frame: a HAnim PLG, then a Frame section with the
// name, each when present; an Extension without either is empty.
struct FrameExtensionRecord {
    bool hasHAnim = false;
    HAnimPlgRecord hanim;
    bool hasName = false;
    char name[kFrameNameSize] = {};
    // The Frame section's body length when read (the game copies that many
    // bytes, whatever the text's length); 0 in records made to be written.
    uint32_t nameLength = 0;
};

// A whole Frame List: frameCount frame records and as many Extensions.
struct FrameListRecord {
    int32_t frameCount = 0;
    HeapArray<FrameRecord> frames;
    HeapArray<FrameExtensionRecord> extensions;
};

// Writes the whole Frame List section.
bool WriteFrameListSection(ByteStream& s, const FrameListRecord& r);

// The pieces of the section, for writers of unusual files (tests) and
// readers of single fields.
void WriteFrameRecord(ByteStream& s, const FrameRecord& r);
bool WriteHAnimSection(ByteStream& s, const HAnimPlgRecord& r);
// A whole Frame section: the name's bytes (any length), no terminator, no
// padding.
bool WriteFrameNameSection(ByteStream& s, const char* name);
bool ReadFrameRecord(SectionCursor& c, FrameRecord* r);
bool ReadHAnimHeader(SectionCursor& c, HAnimHeader* r);
bool ReadHAnimNodeRecord(SectionCursor& c, HAnimNodeRecord* r);

// Where reading a Frame List stopped.
enum class FrameListResult : uint8_t {
    kOk,
    kMissingFrameList,
    kMissingStruct,         // no Struct, or no frame count in it
    kCountPastStruct,       // the frame count needs more bytes than the Struct holds
    kShortStruct,           // a frame record could not be read
    kOutOfMemory,           // for the frames, or for a node list
    kMissingExtension,      // the frame has no Extension
    kMissingHAnim,          // a bone frame's HAnim PLG is missing or cut short
    kHAnimCountPastSection, // its node count needs more bytes than it holds
    kMissingName,           // the Frame section is missing or cannot be read
};

struct FrameListRead {
    FrameListResult result = FrameListResult::kOk;
    int32_t frame = -1; // the frame whose Extension the reading stopped in
};

// Finds the next Frame List among the cursor's siblings, enters it and reads
// its Struct. frameCount is set as soon as it is read and checked against the
// Struct, before anything is allocated. On success the cursor is inside the
// Frame List, after the Struct.
FrameListRead ReadFrameListStruct(SectionCursor& c, FrameListRecord* out);

// From inside the Frame List: every frame's name, the first Frame section of
// its Extension, when it has one (hasName); then back to the Frame List's
// start.
FrameListRead ReadFrameNames(SectionCursor& c, FrameListRecord* out);

// From inside the Frame List: the Extensions of the bone frames, which must
// carry a HAnim PLG followed by their Frame section; then leaves the Frame
// List. A bone frame is one without kFrameFlagNotBone, where a root frame
// (parent -1) counts only when its Extension has a HAnim PLG (some writers
// leave every flag 0). hasHAnim is set exactly on the bone frames read; the
// Extensions of other frames are not read. Node counts are checked against
// their section before anything is allocated.
FrameListRead ReadBoneExtensions(SectionCursor& c, FrameListRecord* out);

// From inside the Frame List: every frame's Extension as it stands, taking
// its HAnim PLG (hasHAnim) and its Frame section (hasName) wherever each is
// present, in either order; then leaves the Frame List. Node counts are
// checked against their section before anything is allocated.
FrameListRead ReadFrameExtensions(SectionCursor& c, FrameListRecord* out);
