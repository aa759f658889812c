#include "format/FrameListLayout.h"

#include <string.h>

namespace {

FrameListRead Stop(FrameListResult result, int32_t frame = -1) {
    return FrameListRead{result, frame};
}

// Finds the next HAnim PLG, reads it whole and leaves it.
FrameListResult ReadHAnimPlg(SectionCursor& c, HAnimPlgRecord* r) {
    if (!FindChildSection(c, kSectionHAnimPlg) || !ReadHAnimHeader(c, &r->header))
        return FrameListResult::kMissingHAnim;
    r->hierarchy = HAnimHierarchyHeader{0, 0};
    r->nodes.Release();
    int32_t count = r->header.nodeCount;
    if (count != 0) {
        uint8_t bytes[kHAnimHierarchyHeaderSize];
        if (count < 0 || !ReadBytes(c, bytes, sizeof bytes) ||
            static_cast<uint64_t>(count) * kHAnimNodeRecordSize > SectionBytesLeft(c))
            return FrameListResult::kHAnimCountPastSection;
        r->hierarchy.flags = static_cast<int32_t>(LoadU32(bytes));
        r->hierarchy.keyFrameSize = static_cast<int32_t>(LoadU32(bytes + 4));
        if (!r->nodes.Allocate(static_cast<size_t>(count)))
            return FrameListResult::kOutOfMemory;
        for (size_t k = 0; k < r->nodes.Count(); ++k)
            if (!ReadHAnimNodeRecord(c, &r->nodes[k]))
                return FrameListResult::kMissingHAnim;
    }
    LeaveSection(c);
    return FrameListResult::kOk;
}

} // namespace

bool WriteHAnimSection(ByteStream& s, const HAnimPlgRecord& r) {
    SectionStack stack;
    if (!BeginSection(s, stack, kSectionHAnimPlg))
        return false;
    WriteI32(s, r.header.version);
    WriteI32(s, r.header.nodeId);
    WriteI32(s, r.header.nodeCount);
    if (r.header.nodeCount > 0) {
        WriteI32(s, r.hierarchy.flags);
        WriteI32(s, r.hierarchy.keyFrameSize);
        for (size_t k = 0; k < r.nodes.Count(); ++k) {
            WriteI32(s, r.nodes[k].nodeId);
            WriteI32(s, r.nodes[k].nodeIndex);
            WriteI32(s, r.nodes[k].nodeFlags);
        }
    }
    return EndSection(s, stack);
}

bool WriteFrameNameSection(ByteStream& s, const char* name) {
    return WriteSection(s, kSectionFrame, name, static_cast<uint32_t>(strlen(name)));
}

void WriteFrameRecord(ByteStream& s, const FrameRecord& r) {
    for (int i = 0; i < 9; ++i)
        WriteF32(s, r.rotation[i]);
    for (int i = 0; i < 3; ++i)
        WriteF32(s, r.position[i]);
    WriteI32(s, r.parentIndex);
    WriteU32(s, r.matrixFlags);
}

bool WriteFrameListSection(ByteStream& s, const FrameListRecord& r) {
    SectionStack stack;
    if (!BeginSection(s, stack, kSectionFrameList) || !BeginSection(s, stack, kSectionStruct))
        return false;
    WriteI32(s, r.frameCount);
    for (int32_t i = 0; i < r.frameCount; ++i)
        WriteFrameRecord(s, r.frames[static_cast<size_t>(i)]);
    EndSection(s, stack);
    for (int32_t i = 0; i < r.frameCount; ++i) {
        const FrameExtensionRecord& e = r.extensions[static_cast<size_t>(i)];
        if (!e.hasHAnim && !e.hasName) {
            WriteEmptyExtension(s);
            continue;
        }
        BeginSection(s, stack, kSectionExtension);
        if (e.hasHAnim)
            WriteHAnimSection(s, e.hanim);
        if (e.hasName)
            WriteFrameNameSection(s, e.name);
        EndSection(s, stack);
    }
    return EndSection(s, stack);
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

bool ReadHAnimHeader(SectionCursor& c, HAnimHeader* r) {
    return ReadI32(c, &r->version) && ReadI32(c, &r->nodeId) && ReadI32(c, &r->nodeCount);
}

bool ReadHAnimNodeRecord(SectionCursor& c, HAnimNodeRecord* r) {
    return ReadI32(c, &r->nodeId) && ReadI32(c, &r->nodeIndex) && ReadI32(c, &r->nodeFlags);
}

FrameListRead ReadFrameListStruct(SectionCursor& c, FrameListRecord* out) {
    out->frameCount = 0;
    if (!FindChildSection(c, kSectionFrameList))
        return Stop(FrameListResult::kMissingFrameList);
    int32_t count = 0;
    if (!FindChildSection(c, kSectionStruct) || !ReadI32(c, &count))
        return Stop(FrameListResult::kMissingStruct);
    if (count < 0 || static_cast<uint64_t>(count) * kFrameRecordSize > SectionBytesLeft(c))
        return Stop(FrameListResult::kCountPastStruct);
    out->frameCount = count;
    size_t n = static_cast<size_t>(count);
    if (!out->frames.Allocate(n) || !out->extensions.Allocate(n))
        return Stop(FrameListResult::kOutOfMemory);
    for (size_t i = 0; i < n; ++i)
        if (!ReadFrameRecord(c, &out->frames[i]))
            return Stop(FrameListResult::kShortStruct);
    LeaveSection(c); // Struct
    return FrameListRead{};
}

namespace {

// The Frame name section of the Extension the cursor is in, when there is
// one; false when it cannot be read or the file is malformed.
bool ReadOptionalFrameName(SectionCursor& c, FrameExtensionRecord* e) {
    if (!FindChildSection(c, kSectionFrame))
        return !IsMalformed(c);
    e->nameLength = SectionBodyLength(c);
    if (!ReadSectionText(c, e->name, sizeof e->name))
        return false;
    e->hasName = true;
    LeaveSection(c); // Frame
    return true;
}

} // namespace

FrameListRead ReadFrameNames(SectionCursor& c, FrameListRecord* out) {
    for (int32_t i = 0; i < out->frameCount; ++i) {
        FrameExtensionRecord& e = out->extensions[static_cast<size_t>(i)];
        e.hasName = false;
        if (!FindChildSection(c, kSectionExtension))
            return Stop(FrameListResult::kMissingExtension, i);
        if (!ReadOptionalFrameName(c, &e))
            return Stop(FrameListResult::kMissingName, i);
        LeaveSection(c); // Extension
    }
    RewindSection(c);
    return FrameListRead{};
}

FrameListRead ReadBoneExtensions(SectionCursor& c, FrameListRecord* out) {
    for (int32_t i = 0; i < out->frameCount; ++i) {
        const FrameRecord& f = out->frames[static_cast<size_t>(i)];
        FrameExtensionRecord& e = out->extensions[static_cast<size_t>(i)];
        e.hasHAnim = false;
        if (!FindChildSection(c, kSectionExtension))
            return Stop(FrameListResult::kMissingExtension, i);
        bool bone = !(f.matrixFlags & kFrameFlagNotBone);
        if (bone && f.parentIndex == -1) {
            bone = FindChildSection(c, kSectionHAnimPlg);
            if (bone) {
                LeaveSection(c);
                RewindSection(c);
            } else if (IsMalformed(c)) {
                return Stop(FrameListResult::kMissingHAnim, i);
            }
        }
        if (!bone) {
            LeaveSection(c); // Extension
            continue;
        }
        FrameListResult result = ReadHAnimPlg(c, &e.hanim);
        if (result != FrameListResult::kOk)
            return Stop(result, i);
        e.hasHAnim = true;
        // The name follows the HAnim PLG.
        if (!FindChildSection(c, kSectionFrame))
            return Stop(FrameListResult::kMissingName, i);
        e.nameLength = SectionBodyLength(c);
        if (!ReadSectionText(c, e.name, sizeof e.name))
            return Stop(FrameListResult::kMissingName, i);
        e.hasName = true;
        LeaveSection(c); // Frame
        LeaveSection(c); // Extension
    }
    LeaveSection(c); // Frame List
    return FrameListRead{};
}

FrameListRead ReadFrameExtensions(SectionCursor& c, FrameListRecord* out) {
    for (int32_t i = 0; i < out->frameCount; ++i) {
        FrameExtensionRecord& e = out->extensions[static_cast<size_t>(i)];
        e.hasHAnim = false;
        e.hasName = false;
        if (!FindChildSection(c, kSectionExtension))
            return Stop(FrameListResult::kMissingExtension, i);
        if (FindChildSection(c, kSectionHAnimPlg)) {
            // Found; read whole from the Extension's start.
            LeaveSection(c);
            RewindSection(c);
            FrameListResult result = ReadHAnimPlg(c, &e.hanim);
            if (result != FrameListResult::kOk)
                return Stop(result, i);
            e.hasHAnim = true;
        } else if (IsMalformed(c)) {
            return Stop(FrameListResult::kMissingHAnim, i);
        }
        RewindSection(c);
        if (!ReadOptionalFrameName(c, &e))
            return Stop(FrameListResult::kMissingName, i);
        LeaveSection(c); // Extension
    }
    LeaveSection(c); // Frame List
    return FrameListRead{};
}
