#include "format/SkinLayout.h"

void WriteSkinHeader(ByteStream& s, uint8_t boneCount) {
    WriteU8(s, boneCount);
    WriteU8(s, boneCount);
    WriteU16(s, kSkinMaxWeightsPerVertex);
    for (uint32_t i = 0; i < boneCount; ++i)
        WriteU8(s, static_cast<uint8_t>(i));
}

void WriteSkinTrailer(ByteStream& s) {
    WriteU32(s, 0);
    WriteU32(s, 0);
    WriteU32(s, 0);
}

void WriteAtomicStruct(ByteStream& s, const AtomicStruct& r) {
    WriteI32(s, r.frameIndex);
    WriteI32(s, r.geometryIndex);
    WriteI32(s, r.flags);
    WriteI32(s, r.reserved);
}

bool WriteRightToRenderSection(ByteStream& s) {
    uint8_t body[8];
    StoreU32(body, kRightToRenderPlugin);
    StoreU32(body + 4, kRightToRenderExtraData);
    return WriteSection(s, kSectionRightToRender, body, sizeof body);
}
