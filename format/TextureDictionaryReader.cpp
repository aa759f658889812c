#include "format/TextureDictionaryReader.h"

#include <stdio.h>

namespace {

// The cursor's recorded malformation, or what was missing.
void SectionProblem(const SectionCursor& c, const char* missing, char* problem, size_t size) {
    if (!IsMalformed(c)) {
        snprintf(problem, size, "%s", missing);
        return;
    }
    const char* name = SectionTypeName(c.problemType);
    snprintf(problem, size, "%s at 0x%08X (0x%08X %s)", StreamProblemText(c.problem),
             static_cast<unsigned>(c.problemOffset), static_cast<unsigned>(c.problemType),
             name != nullptr ? name : "unknown");
}

} // namespace

bool OpenTextureDictionary(TextureDictionaryReader& reader, ByteStream& stream, char* problem,
                           size_t problemSize) {
    reader = TextureDictionaryReader();
    SectionCursor& c = reader.cursor;
    if (!OpenSectionCursor(c, stream) || !FindChildSection(c, kSectionTextureDictionary)) {
        SectionProblem(c, "no Texture Dictionary", problem, problemSize);
        return false;
    }
    uint8_t bytes[kTextureDictionaryStructSize];
    TextureDictionaryStruct header;
    if (!FindChildSection(c, kSectionStruct) ||
        !ParseTextureDictionaryStruct(bytes, ReadBytes(c, bytes, sizeof bytes) ? sizeof bytes : 0,
                                      &header)) {
        SectionProblem(c, "Texture Dictionary without its Struct", problem, problemSize);
        return false;
    }
    LeaveSection(c);
    reader.textureCount = header.textureCount;
    return true;
}

TextureReadResult ReadNextTexture(TextureDictionaryReader& reader, HeapArray<uint8_t>& body,
                                  TextureNative* texture, char* problem, size_t problemSize) {
    SectionCursor& c = reader.cursor;
    if (reader.nextIndex >= reader.textureCount)
        return TextureReadResult::kEnd;
    const unsigned index = reader.nextIndex++;
    if (!FindChildSection(c, kSectionTextureNative)) {
        char missing[96];
        snprintf(missing, sizeof missing, "Texture Native %u of %u is missing", index + 1,
                 static_cast<unsigned>(reader.textureCount));
        SectionProblem(c, missing, problem, problemSize);
        reader.nextIndex = reader.textureCount;
        return TextureReadResult::kFileBroken;
    }
    TextureReadResult result = TextureReadResult::kTexture;
    if (!FindChildSection(c, kSectionStruct)) {
        if (IsMalformed(c)) {
            SectionProblem(c, "", problem, problemSize);
            reader.nextIndex = reader.textureCount;
            return TextureReadResult::kFileBroken;
        }
        snprintf(problem, problemSize, "Texture Native %u has no Struct", index + 1);
        result = TextureReadResult::kTextureBroken;
    } else {
        const uint32_t size = SectionBodyLength(c);
        if (!body.Allocate(size))
            return TextureReadResult::kOutOfMemory;
        if (!ReadBytes(c, body.Data(), size)) {
            SectionProblem(c, "", problem, problemSize);
            reader.nextIndex = reader.textureCount;
            return TextureReadResult::kFileBroken;
        }
        if (!ParseTextureNative(body.Data(), size, texture, problem, problemSize))
            result = TextureReadResult::kTextureBroken;
        LeaveSection(c); // Struct
    }
    LeaveSection(c); // Texture Native
    return result;
}
