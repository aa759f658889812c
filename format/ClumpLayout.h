// Records of the Clump and its Frame List: the clump's counts, the frame
// records, the HAnim PLG that numbers the bones, and the Frame name section.
#pragma once

#include <stdint.h>

#include "format/Sections.h"

struct ClumpStruct {
    int32_t atomicCount;
    int32_t lightCount;
    int32_t cameraCount;
};
constexpr uint32_t kClumpStructSize = 12;

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

struct HAnimNodeRecord {
    int32_t nodeId;
    int32_t nodeIndex;
    int32_t nodeFlags;
};
constexpr uint32_t kHAnimNodeRecordSize = 12;
// flags and keyFrameSize between the header and the node records.
constexpr uint32_t kHAnimHierarchyHeaderSize = 8;

void WriteClumpStruct(ByteStream& s, const ClumpStruct& r);
bool ReadClumpStruct(SectionCursor& c, ClumpStruct* r);

void WriteFrameRecord(ByteStream& s, const FrameRecord& r);
bool ReadFrameRecord(SectionCursor& c, FrameRecord* r);

// A whole HAnim PLG section: the header, and when nodeCount > 0 the hierarchy
// (flags 0, key frame size 36) and its node records.
bool WriteHAnimSection(ByteStream& s, int32_t nodeId, const HAnimNodeRecord* nodes,
                       int32_t nodeCount);
bool ReadHAnimHeader(SectionCursor& c, HAnimHeader* r);
bool ReadHAnimNodeRecord(SectionCursor& c, HAnimNodeRecord* r);

// A whole Frame section: the name's bytes, no terminator, no padding.
bool WriteFrameNameSection(ByteStream& s, const char* name);

// Reads the innermost section's whole body as text into a buffer of size
// bytes: cut to size - 1 bytes and terminated. Returns false on a short read.
bool ReadSectionText(SectionCursor& c, char* buffer, uint32_t size);
