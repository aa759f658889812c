#include "format/TextureDictionaryReader.h"

namespace {

// The cursor's recorded malformation, or else the code of what was missing.
void SectionProblem(const SectionCursor& c, TextureReadCode missing, TextureReadProblem* problem) {
    if (!IsMalformed(c)) {
        problem->code = missing;
        return;
    }
    problem->code = TextureReadCode::kStream;
    problem->stream = c.problem;
    problem->offset = c.problemOffset;
    problem->sectionType = c.problemType;
}

} // namespace

bool OpenTextureDictionary(TextureDictionaryReader& reader, ByteStream& stream,
                           TextureReadProblem* problem) {
    reader = TextureDictionaryReader();
    *problem = TextureReadProblem();
    SectionCursor& c = reader.cursor;
    if (!OpenSectionCursor(c, stream) || !FindChildSection(c, kSectionTextureDictionary)) {
        SectionProblem(c, TextureReadCode::kNoDictionary, problem);
        return false;
    }
    uint8_t bytes[kTextureDictionaryStructSize];
    TextureDictionaryStruct header;
    if (!FindChildSection(c, kSectionStruct) ||
        !ParseTextureDictionaryStruct(bytes, ReadBytes(c, bytes, sizeof bytes) ? sizeof bytes : 0,
                                      &header)) {
        SectionProblem(c, TextureReadCode::kNoDictionaryStruct, problem);
        return false;
    }
    LeaveSection(c);
    reader.textureCount = header.textureCount;
    return true;
}

TextureReadResult ReadNextTexture(TextureDictionaryReader& reader, HeapArray<uint8_t>& body,
                                  TextureNative* texture, TextureReadProblem* problem) {
    SectionCursor& c = reader.cursor;
    if (reader.nextIndex >= reader.textureCount)
        return TextureReadResult::kEnd;
    *problem = TextureReadProblem();
    problem->index = reader.nextIndex++;
    problem->count = reader.textureCount;
    if (!FindChildSection(c, kSectionTextureNative)) {
        SectionProblem(c, TextureReadCode::kTextureMissing, problem);
        reader.nextIndex = reader.textureCount;
        return TextureReadResult::kFileBroken;
    }
    // Problems of the texture itself stand at its Texture Native.
    const uint32_t at = c.bodyStart[c.depth - 1] - kSectionHeaderSize;
    TextureReadResult result = TextureReadResult::kTexture;
    if (!FindChildSection(c, kSectionStruct)) {
        if (IsMalformed(c)) {
            SectionProblem(c, TextureReadCode::kNoStruct, problem);
            reader.nextIndex = reader.textureCount;
            return TextureReadResult::kFileBroken;
        }
        problem->code = TextureReadCode::kNoStruct;
        result = TextureReadResult::kTextureBroken;
    } else {
        const uint32_t size = SectionBodyLength(c);
        if (!body.Allocate(size))
            return TextureReadResult::kOutOfMemory;
        if (!ReadBytes(c, body.Data(), size)) {
            SectionProblem(c, TextureReadCode::kStream, problem);
            reader.nextIndex = reader.textureCount;
            return TextureReadResult::kFileBroken;
        }
        if (!ParseTextureNative(body.Data(), size, texture, problem))
            result = TextureReadResult::kTextureBroken;
        LeaveSection(c); // Struct
    }
    if (result == TextureReadResult::kTextureBroken) {
        problem->offset = at;
        problem->sectionType = kSectionTextureNative;
    }
    LeaveSection(c); // Texture Native
    return result;
}
