#include "Plugins/Import/ImportMessages.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "Plugins/Import/TextureImport.h"

namespace {

const char* MissingText(ImportSection section) {
    switch (section) {
    case ImportSection::kClump:
        return MSG_MISSING_CLUMP;
    case ImportSection::kFrameList:
        return MSG_MISSING_FRAME_LIST;
    case ImportSection::kFrameListStruct:
        return MSG_MISSING_FRAME_LIST_STRUCT;
    case ImportSection::kFrameExtension:
        return MSG_MISSING_FRAME_EXTENSION;
    case ImportSection::kCaptionFrame:
        return MSG_MISSING_CAPTION_FRAME;
    case ImportSection::kHAnim:
        return MSG_MISSING_HANIM;
    case ImportSection::kFrame:
        return MSG_MISSING_FRAME;
    case ImportSection::kGeometryList:
        return MSG_MISSING_GEOMETRY_LIST;
    case ImportSection::kGeometry:
        return MSG_MISSING_GEOMETRY;
    case ImportSection::kGeometryStruct:
        return MSG_MISSING_GEOMETRY_STRUCT;
    }
    return MSG_MISSING;
}

const char* UnsupportedText(ImportUnsupported what) {
    switch (what) {
    case ImportUnsupported::kTristrip:
        return MSG_UNSUPPORTED_TRISTRIP;
    case ImportUnsupported::kNoPositions:
        return MSG_UNSUPPORTED_NO_POSITIONS;
    case ImportUnsupported::kTooManyVertices:
        return MSG_UNSUPPORTED_TOO_MANY_VERTICES;
    case ImportUnsupported::kTooManyClumps:
        return MSG_UNSUPPORTED_TOO_MANY_CLUMPS;
    }
    return MSG_UNSUPPORTED;
}

const char* StreamText(StreamProblem problem) {
    switch (problem) {
    case StreamProblem::kTruncatedHeader:
        return MSG_CORRUPT_TRUNCATED_HEADER;
    case StreamProblem::kSizePastParent:
        return MSG_CORRUPT_SIZE_PAST_PARENT;
    case StreamProblem::kSizePastFile:
        return MSG_CORRUPT_SIZE_PAST_FILE;
    case StreamProblem::kShortRead:
    case StreamProblem::kNone:
        return MSG_CORRUPT_SHORT_READ;
    case StreamProblem::kFileTooLarge:
        return MSG_CORRUPT_FILE_TOO_LARGE;
    case StreamProblem::kTooDeep:
        return MSG_CORRUPT_TOO_DEEP;
    }
    return MSG_CORRUPT_SHORT_READ;
}

const char* CorruptText(ImportCorrupt what) {
    switch (what) {
    case ImportCorrupt::kStream:
        return "";
    case ImportCorrupt::kNegativeCounts:
        return MSG_CORRUPT_NEGATIVE_COUNTS;
    case ImportCorrupt::kGeometryCountsPastStruct:
        return MSG_CORRUPT_GEOMETRY_COUNTS;
    case ImportCorrupt::kMaterialCountPastStruct:
        return MSG_CORRUPT_MATERIAL_COUNT;
    case ImportCorrupt::kMeshCountPastBinMesh:
        return MSG_CORRUPT_MESH_COUNT;
    case ImportCorrupt::kBinMeshIndicesNotTriangles:
        return MSG_CORRUPT_BIN_MESH_INDICES;
    case ImportCorrupt::kBinMeshTooManyTriangles:
        return MSG_CORRUPT_BIN_MESH_TRIANGLES;
    case ImportCorrupt::kBinMeshMaterialBeyondList:
        return MSG_CORRUPT_BIN_MESH_MATERIAL;
    case ImportCorrupt::kFrameCountPastStruct:
        return MSG_CORRUPT_FRAME_COUNT;
    case ImportCorrupt::kHAnimCountPastPlg:
        return MSG_CORRUPT_HANIM_COUNT;
    case ImportCorrupt::kFrameParent:
        return MSG_CORRUPT_FRAME_PARENT;
    }
    return "";
}

// The reason after the malformed-file text: what the readers found, or the
// section stream's problem with where it stands.
void FormatCorruptReason(const ImportResult& result, char* reason, size_t size) {
    if (result.corrupt == ImportCorrupt::kFrameParent) {
        snprintf(reason, size, MSG_CORRUPT_FRAME_PARENT, static_cast<int>(result.index));
        return;
    }
    if (result.corrupt != ImportCorrupt::kStream) {
        snprintf(reason, size, "%s", CorruptText(result.corrupt));
        return;
    }
    const char* name = SectionTypeName(result.sectionType);
    if (result.sectionType != 0 || name != nullptr)
        snprintf(reason, size, "%s" MSG_CORRUPT_AT, StreamText(result.streamProblem),
                 static_cast<unsigned>(result.offset), static_cast<unsigned>(result.sectionType),
                 name != nullptr ? name : "?");
    else
        snprintf(reason, size, "%s" MSG_CORRUPT_AT_OFFSET, StreamText(result.streamProblem),
                 static_cast<unsigned>(result.offset));
}

// The texts of the whole text as it grows, each cut to what is left.
struct Text {
    char* text;
    size_t size;
};

void Append(Text& t, const char* format, ...) __attribute__((format(printf, 2, 3)));

void Append(Text& t, const char* format, ...) {
    const size_t used = strlen(t.text);
    va_list args;
    va_start(args, format);
    vsnprintf(t.text + used, t.size - used, format, args);
    va_end(args);
}

// Why a texture of the dictionary cannot be read: the main line and the
// reason.
void AppendTextureReason(Text& t, const TextureReadProblem& p) {
    switch (p.code) {
    case TextureReadCode::kStructTooShort:
        Append(t, MSG_CORRUPT MSG_CORRUPT_TEXTURE_STRUCT_SIZE, static_cast<unsigned>(p.value));
        return;
    case TextureReadCode::kPlatform: {
        const char* name = TexturePlatformName(p.platformId);
        if (name != nullptr)
            Append(t, MSG_UNSUPPORTED MSG_UNSUPPORTED_PLATFORM, name);
        else
            Append(t, MSG_UNSUPPORTED MSG_UNSUPPORTED_PLATFORM_ID,
                   static_cast<unsigned>(p.platformId));
        return;
    }
    case TextureReadCode::kRasterFormat:
        Append(t,
               p.platformId == kTexturePlatformD3D9 ? MSG_UNSUPPORTED MSG_UNSUPPORTED_RASTER_D3D9
                                                    : MSG_UNSUPPORTED MSG_UNSUPPORTED_RASTER_D3D8,
               static_cast<unsigned>(p.value), static_cast<unsigned>(p.detail));
        return;
    case TextureReadCode::kNoPixels:
        Append(t, MSG_CORRUPT MSG_CORRUPT_TEXTURE_SIZE, p.width, p.height);
        return;
    case TextureReadCode::kLevelCount:
        Append(t, MSG_CORRUPT MSG_CORRUPT_LEVEL_COUNT, static_cast<unsigned>(p.value));
        return;
    case TextureReadCode::kPalettePastEnd:
        Append(t, "%s", MSG_CORRUPT MSG_CORRUPT_PALETTE_PAST_END);
        return;
    case TextureReadCode::kLevelPastEnd:
        Append(t, MSG_CORRUPT MSG_CORRUPT_LEVEL_PAST_END, static_cast<unsigned>(p.level));
        return;
    case TextureReadCode::kLevelSizePastEnd:
        Append(t, MSG_CORRUPT MSG_CORRUPT_LEVEL_SIZE_PAST_END, static_cast<unsigned>(p.level),
               static_cast<unsigned>(p.value));
        return;
    case TextureReadCode::kLevelTooShort: {
        const int level = static_cast<int>(p.level);
        Append(t, MSG_CORRUPT MSG_CORRUPT_LEVEL_TOO_SHORT, static_cast<unsigned>(p.level),
               static_cast<unsigned>(p.value), static_cast<unsigned>(MipSide(p.width, level)),
               static_cast<unsigned>(MipSide(p.height, level)), RasterEncodingName(p.encoding));
        return;
    }
    default:
        Append(t, "%s", MSG_MISSING_TEXTURE_STRUCT);
        return;
    }
}

// Why the dictionary or one of its textures cannot be read: the main line,
// the reason, then the texture and where it stands.
void AppendReadProblem(Text& t, const TextureReadProblem& p) {
    switch (p.code) {
    case TextureReadCode::kStream: {
        const char* name = SectionTypeName(p.sectionType);
        Append(t, MSG_CORRUPT "%s" MSG_CORRUPT_AT, StreamText(p.stream),
               static_cast<unsigned>(p.offset), static_cast<unsigned>(p.sectionType),
               name != nullptr ? name : "?");
        return;
    }
    case TextureReadCode::kNone:
    case TextureReadCode::kNoDictionary:
        Append(t, "%s", MSG_MISSING_TEXTURE_DICTIONARY);
        return;
    case TextureReadCode::kNoDictionaryStruct:
        Append(t, "%s", MSG_MISSING_TEXTURE_DICTIONARY_STRUCT);
        return;
    case TextureReadCode::kTextureMissing:
        Append(t, MSG_CORRUPT MSG_CORRUPT_TEXTURE_MISSING, static_cast<unsigned>(p.count),
               static_cast<unsigned>(p.index + 1));
        return;
    default:
        break;
    }
    AppendTextureReason(t, p);
    Append(t, MSG_TEXTURE_NUMBER, static_cast<unsigned>(p.index + 1),
           static_cast<unsigned>(p.count));
    if (p.name[0] != '\0')
        Append(t, MSG_TEXTURE_NAMED, p.name);
    Append(t, MSG_CORRUPT_AT, static_cast<unsigned>(p.offset),
           static_cast<unsigned>(kSectionTextureNative), SectionTypeName(kSectionTextureNative));
}

void AppendLeftOut(Text& t, const TextureLeftOut& r) {
    Append(t, MSG_TEXTURE_ENTRY, r.name);
    switch (r.reason) {
    case TextureLeftOutReason::kUnreadable:
        AppendReadProblem(t, r.read);
        return;
    case TextureLeftOutReason::kCannotOpen:
        Append(t, "%s", MSG_TEXTURE_CANNOT_OPEN);
        return;
    case TextureLeftOutReason::kPaletteIndex:
        Append(t, "%s", MSG_TEXTURE_PALETTE_INDEX);
        return;
    case TextureLeftOutReason::kCannotWrite:
        Append(t, "%s", MSG_TEXTURE_CANNOT_WRITE);
        return;
    default:
        Append(t, "%s", MSG_OUT_OF_MEMORY);
        return;
    }
}

void AppendMore(Text& t, const TexturesLeftOut& list) {
    if (list.more > 0)
        Append(t, "\n" MSG_TEXTURES_MORE, list.more);
}

} // namespace

void FormatTextureNotice(const TextureNotice& notice, char* text, size_t size) {
    if (size == 0)
        return;
    text[0] = '\0';
    Text t{text, size};
    if (notice.leftOut.Any()) {
        Append(t, "%s", MSG_TEXTURES_LEFT_OUT);
        for (int i = 0; i < notice.leftOut.count; ++i)
            AppendLeftOut(t, notice.leftOut.items[i]);
        AppendMore(t, notice.leftOut);
    }
    if (notice.noLevels.Any()) {
        Append(t, "%s%s", notice.leftOut.Any() ? "\n\n" : "", MSG_TEXTURES_NO_LEVELS);
        for (int i = 0; i < notice.noLevels.count; ++i)
            Append(t, "\n%s", notice.noLevels.items[i].name);
        AppendMore(t, notice.noLevels);
    }
}

void FormatImportMessage(const ImportResult& result, char* text, size_t size) {
    if (size == 0)
        return;
    char reason[256];
    switch (result.problem) {
    case ImportProblem::kNone:
        text[0] = '\0';
        return;
    case ImportProblem::kOpenFailed:
        snprintf(text, size, "%s", MSG_OPEN_FAILED);
        return;
    case ImportProblem::kNoClump:
        snprintf(text, size, "%s", MSG_NO_CLUMP);
        return;
    case ImportProblem::kMissingSection:
        snprintf(text, size, "%s", MissingText(result.section));
        return;
    case ImportProblem::kUnsupported:
        snprintf(text, size, "%s", UnsupportedText(result.unsupported));
        return;
    case ImportProblem::kBoneNotFound:
        snprintf(text, size, MSG_BONE_NOT_FOUND, result.name);
        return;
    case ImportProblem::kCorrupt:
        FormatCorruptReason(result, reason, sizeof reason);
        snprintf(text, size, "%s%s", MSG_CORRUPT, reason);
        return;
    case ImportProblem::kOutOfMemory:
        snprintf(text, size, "%s", MSG_OUT_OF_MEMORY);
        return;
    }
    text[0] = '\0';
}
