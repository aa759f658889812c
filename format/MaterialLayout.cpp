#include "format/MaterialLayout.h"

#include <string.h>

#include "format/ClumpLayout.h"

void WriteMaterialStruct(ByteStream& s, const MaterialStruct& r) {
    WriteI32(s, r.flags);
    s.Write(r.colour, 4);
    WriteI32(s, r.reserved);
    WriteI32(s, r.isTextured);
    WriteF32(s, r.ambient);
    WriteF32(s, r.specular);
    WriteF32(s, r.diffuse);
}

// Field by field: a short Struct is reported where its first missing field starts.
bool ReadMaterialStruct(SectionCursor& c, MaterialStruct* r) {
    return ReadI32(c, &r->flags) && ReadBytes(c, r->colour, 4) && ReadI32(c, &r->reserved) &&
           ReadI32(c, &r->isTextured) && ReadF32(c, &r->ambient) && ReadF32(c, &r->specular) &&
           ReadF32(c, &r->diffuse);
}

uint32_t StringBodyLength(uint32_t textLength) {
    return (textLength & ~3u) + 4;
}

bool WriteStringSection(ByteStream& s, const char* text) {
    uint32_t length = static_cast<uint32_t>(strlen(text));
    uint32_t body = StringBodyLength(length);
    if (!WriteU32(s, kSectionString) || !WriteU32(s, body) || !WriteU32(s, LibraryVersionStamp))
        return false;
    static const uint8_t kZeros[4] = {0, 0, 0, 0};
    return s.Write(text, length) && s.Write(kZeros, body - length);
}

bool WriteTextureSection(ByteStream& s, const char* name, const char* maskName) {
    SectionStack stack;
    return BeginSection(s, stack, kSectionTexture) && BeginSection(s, stack, kSectionStruct) &&
           WriteU32(s, kTextureSampling) && EndSection(s, stack) && WriteStringSection(s, name) &&
           WriteStringSection(s, maskName) && WriteEmptyExtension(s) && EndSection(s, stack);
}

bool WriteMaterialSection(ByteStream& s, const MaterialRecord& r) {
    SectionStack stack;
    bool ok = BeginSection(s, stack, kSectionMaterial);
    if (r.hasStruct) {
        ok = ok && BeginSection(s, stack, kSectionStruct);
        WriteMaterialStruct(s, r.values);
        ok = ok && EndSection(s, stack);
    }
    if (r.hasTexture)
        ok = ok && WriteTextureSection(s, r.textureName, r.maskName);
    return ok && WriteEmptyExtension(s) && EndSection(s, stack);
}

bool WriteMaterialListSection(ByteStream& s, const MaterialListRecord& r) {
    SectionStack stack;
    bool ok =
        BeginSection(s, stack, kSectionMaterialList) && BeginSection(s, stack, kSectionStruct);
    BlockWriter block(s);
    block.U32(static_cast<uint32_t>(r.count));
    for (int32_t i = 0; i < r.count; ++i)
        block.U32(0xFFFFFFFFu);
    ok = block.Finish() && ok && EndSection(s, stack);
    for (size_t m = 0; m < r.materials.Count(); ++m)
        if (r.materials[m].present)
            ok = ok && WriteMaterialSection(s, r.materials[m]);
    return ok && EndSection(s, stack);
}

namespace {

// The body of the entered Material: its Struct, then its Texture's name and mask name.
MaterialReadResult ReadMaterial(SectionCursor& c, MaterialRecord* r) {
    r->present = true;
    if (FindChildSection(c, kSectionStruct)) {
        if (!ReadMaterialStruct(c, &r->values))
            return MaterialReadResult::kMalformed;
        r->hasStruct = true;
        LeaveSection(c);
    } else if (IsMalformed(c)) {
        return MaterialReadResult::kMalformed;
    }
    if (!FindChildSection(c, kSectionTexture))
        return IsMalformed(c) ? MaterialReadResult::kMalformed : MaterialReadResult::kOk;
    if (FindChildSection(c, kSectionString)) {
        if (!ReadSectionText(c, r->textureName, sizeof r->textureName))
            return MaterialReadResult::kMalformed;
        r->hasTexture = true;
        LeaveSection(c);
        // The mask name is taken when it reads; damage past the name is left
        // to the Texture's end, which the cursor moves to whole.
        SectionCursor before = c;
        if (FindChildSection(c, kSectionString) &&
            ReadSectionText(c, r->maskName, sizeof r->maskName))
            LeaveSection(c);
        if (IsMalformed(c)) {
            c = before;
            r->maskName[0] = '\0';
        }
    } else if (IsMalformed(c)) {
        return MaterialReadResult::kMalformed;
    }
    LeaveSection(c);
    return MaterialReadResult::kOk;
}

} // namespace

MaterialReadResult ReadMaterialList(SectionCursor& c, MaterialListRecord* out) {
    out->count = 0;
    if (FindChildSection(c, kSectionStruct)) {
        if (!ReadI32(c, &out->count))
            return MaterialReadResult::kMalformed;
        if (out->count < 0 || static_cast<uint64_t>(out->count) * 4 > SectionBytesLeft(c))
            return MaterialReadResult::kCountPastSection;
        LeaveSection(c);
    } else if (IsMalformed(c)) {
        return MaterialReadResult::kMalformed;
    }
    // Every Material takes at least a header's bytes of the list, so no more
    // than that many can follow, whatever the count says.
    uint32_t room = SectionBytesLeft(c) / kSectionHeaderSize;
    uint32_t count = static_cast<uint32_t>(out->count);
    if (!out->materials.Allocate(count < room ? count : room))
        return MaterialReadResult::kOutOfMemory;
    for (size_t m = 0; m < count; ++m) {
        // Once a search finds no Material, it has reached the list's end.
        if (!FindChildSection(c, kSectionMaterial))
            return IsMalformed(c) ? MaterialReadResult::kMalformed : MaterialReadResult::kOk;
        MaterialReadResult r = ReadMaterial(c, &out->materials[m]);
        if (r != MaterialReadResult::kOk)
            return r;
        LeaveSection(c);
    }
    return MaterialReadResult::kOk;
}
