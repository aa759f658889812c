#include "format/AtomicLayout.h"

void WriteAtomicStruct(ByteStream& s, const AtomicStruct& r) {
    WriteI32(s, r.frameIndex);
    WriteI32(s, r.geometryIndex);
    WriteI32(s, r.flags);
    WriteI32(s, r.reserved);
}

bool ReadAtomicStruct(SectionCursor& c, AtomicStruct* r) {
    return ReadI32(c, &r->frameIndex) && ReadI32(c, &r->geometryIndex) && ReadI32(c, &r->flags) &&
           ReadI32(c, &r->reserved);
}

bool WriteAtomicSection(ByteStream& s, const AtomicRecord& r) {
    SectionStack stack;
    if (!BeginSection(s, stack, kSectionAtomic) || !BeginSection(s, stack, kSectionStruct))
        return false;
    WriteAtomicStruct(s, r.atomic);
    EndSection(s, stack);
    if (r.hasRightToRender) {
        uint8_t body[kRightToRenderBodySize];
        StoreU32(body, r.rightToRender.pluginId);
        StoreU32(body + 4, r.rightToRender.extraData);
        BeginSection(s, stack, kSectionExtension);
        WriteSection(s, kSectionRightToRender, body, sizeof body);
        EndSection(s, stack);
    } else {
        WriteEmptyExtension(s);
    }
    return EndSection(s, stack);
}

bool ReadAtomicSection(SectionCursor& c, AtomicRecord* r) {
    const int8_t depth = c.depth;
    bool ok = FindChildSection(c, kSectionAtomic) && FindChildSection(c, kSectionStruct) &&
              ReadAtomicStruct(c, &r->atomic);
    r->hasRightToRender = false;
    r->rightToRender = RightToRenderBody{0, 0};
    if (ok) {
        LeaveSection(c); // Struct
        if (FindChildSection(c, kSectionExtension)) {
            if (FindChildSection(c, kSectionRightToRender)) {
                uint8_t body[kRightToRenderBodySize];
                r->hasRightToRender = ReadBytes(c, body, sizeof body);
                r->rightToRender = RightToRenderBody{LoadU32(body), LoadU32(body + 4)};
            }
        }
    }
    while (c.depth > depth)
        LeaveSection(c);
    return ok && !IsMalformed(c);
}

int32_t FindAtomicFrame(SectionCursor& c, int32_t frameCount) {
    SectionCursor before = c;
    int32_t frame = -1;
    while (frame < 0 && FindChildSection(c, kSectionAtomic)) {
        AtomicStruct a;
        if (FindChildSection(c, kSectionStruct) && ReadAtomicStruct(c, &a) &&
            a.geometryIndex == 0 && a.frameIndex >= 0 && a.frameIndex < frameCount)
            frame = a.frameIndex;
        if (c.depth > before.depth + 1)
            LeaveSection(c); // Struct
        LeaveSection(c);     // Atomic
    }
    if (IsMalformed(c))
        frame = -1;
    c = before;
    return frame;
}
