// Records of the Atomic, which joins a frame to a geometry, and of the Right
// To Render section in its Extension.
#pragma once

#include <stdint.h>

#include "format/SectionReader.h"
#include "format/SectionWriter.h"

struct AtomicStruct {
    int32_t frameIndex;
    int32_t geometryIndex;
    int32_t flags;
    int32_t reserved;
};
constexpr uint32_t kAtomicStructSize = 16;
constexpr int32_t kAtomicCollisionTestAndRender = 0x01 | 0x04;

struct RightToRenderBody {
    uint32_t pluginId;
    uint32_t extraData;
};
constexpr uint32_t kRightToRenderBodySize = 8;
// The atomic is rendered by the skinning pipeline.
constexpr uint32_t kRightToRenderPlugin = kSectionSkinPlg;
constexpr uint32_t kRightToRenderExtraData = 1;

// An Atomic: its Struct, then its Extension, which holds a Right To Render
// section when hasRightToRender and is empty otherwise.
struct AtomicRecord {
    AtomicStruct atomic = {};
    bool hasRightToRender = false;
    RightToRenderBody rightToRender = {};
};

void WriteAtomicStruct(ByteStream& s, const AtomicStruct& r);
bool ReadAtomicStruct(SectionCursor& c, AtomicStruct* r);

// Writes the whole Atomic section.
bool WriteAtomicSection(ByteStream& s, const AtomicRecord& r);
// Finds the next Atomic among the cursor's siblings, reads its Struct and the
// Right To Render of its Extension (when there is one), and leaves it. False
// when there is no Atomic or Struct, or the section is damaged.
bool ReadAtomicSection(SectionCursor& c, AtomicRecord* r);

// The frame of the first Atomic after the cursor that joins geometry 0 to a
// frame below frameCount, or -1. Only the Atomics' Structs are read; damage
// met on the way loses the answer. The cursor's depth and recorded problem are
// left as they were; the stream's offset is not.
int32_t FindAtomicFrame(SectionCursor& c, int32_t frameCount);
