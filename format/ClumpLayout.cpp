#include "format/ClumpLayout.h"

#include <string.h>

void WriteClumpStruct(ByteStream& s, const ClumpStruct& r) {
    WriteI32(s, r.atomicCount);
    WriteI32(s, r.lightCount);
    WriteI32(s, r.cameraCount);
}

bool ReadClumpStruct(SectionCursor& c, ClumpStruct* r) {
    return ReadI32(c, &r->atomicCount) && ReadI32(c, &r->lightCount) && ReadI32(c, &r->cameraCount);
}

void WriteFrameRecord(ByteStream& s, const FrameRecord& r) {
    for (int i = 0; i < 9; ++i)
        WriteF32(s, r.rotation[i]);
    for (int i = 0; i < 3; ++i)
        WriteF32(s, r.position[i]);
    WriteI32(s, r.parentIndex);
    WriteU32(s, r.matrixFlags);
}

bool ReadFrameRecord(SectionCursor& c, FrameRecord* r) {
    uint8_t bytes[kFrameRecordSize];
    if (!ReadBytes(c, bytes, sizeof bytes))
        return false;
    for (int i = 0; i < 9; ++i)
        r->rotation[i] = LoadF32(bytes + 4 * i);
    for (int i = 0; i < 3; ++i)
        r->position[i] = LoadF32(bytes + 36 + 4 * i);
    r->parentIndex = static_cast<int32_t>(LoadU32(bytes + 48));
    r->matrixFlags = LoadU32(bytes + 52);
    return true;
}

bool WriteHAnimSection(ByteStream& s, int32_t nodeId, const HAnimNodeRecord* nodes,
                       int32_t nodeCount) {
    SectionStack stack;
    if (!BeginSection(s, stack, kSectionHAnimPlg))
        return false;
    WriteI32(s, kHAnimVersion);
    WriteI32(s, nodeId);
    WriteI32(s, nodeCount);
    if (nodeCount > 0) {
        WriteI32(s, 0);
        WriteI32(s, kHAnimKeyFrameSize);
        for (int32_t k = 0; k < nodeCount; ++k) {
            WriteI32(s, nodes[k].nodeId);
            WriteI32(s, nodes[k].nodeIndex);
            WriteI32(s, nodes[k].nodeFlags);
        }
    }
    return EndSection(s, stack);
}

bool ReadHAnimHeader(SectionCursor& c, HAnimHeader* r) {
    return ReadI32(c, &r->version) && ReadI32(c, &r->nodeId) && ReadI32(c, &r->nodeCount);
}

bool ReadHAnimNodeRecord(SectionCursor& c, HAnimNodeRecord* r) {
    return ReadI32(c, &r->nodeId) && ReadI32(c, &r->nodeIndex) && ReadI32(c, &r->nodeFlags);
}

bool WriteFrameNameSection(ByteStream& s, const char* name) {
    return WriteSection(s, kSectionFrame, name, static_cast<uint32_t>(strlen(name)));
}

bool ReadSectionText(SectionCursor& c, char* buffer, uint32_t size) {
    uint32_t length = SectionBytesLeft(c);
    uint32_t keep = length < size - 1 ? length : size - 1;
    buffer[0] = '\0';
    if (!ReadBytes(c, buffer, keep))
        return false;
    buffer[keep] = '\0';
    return true;
}
