#include "check/ProblemText.h"

#include <stdio.h>

void DescribeTextureProblem(const TextureReadProblem& p, char* text, size_t size) {
    if (size == 0)
        return;
    const unsigned level = p.level;
    switch (p.code) {
    case TextureReadCode::kNone:
        text[0] = '\0';
        return;
    case TextureReadCode::kStream: {
        const char* name = SectionTypeName(p.sectionType);
        snprintf(text, size, "%s at 0x%08X (0x%08X %s)", StreamProblemText(p.stream),
                 static_cast<unsigned>(p.offset), static_cast<unsigned>(p.sectionType),
                 name != nullptr ? name : "unknown");
        return;
    }
    case TextureReadCode::kNoDictionary:
        snprintf(text, size, "no Texture Dictionary");
        return;
    case TextureReadCode::kNoDictionaryStruct:
        snprintf(text, size, "Texture Dictionary without its Struct");
        return;
    case TextureReadCode::kTextureMissing:
        snprintf(text, size, "Texture Native %u of %u is missing",
                 static_cast<unsigned>(p.index + 1), static_cast<unsigned>(p.count));
        return;
    case TextureReadCode::kNoStruct:
        snprintf(text, size, "Texture Native %u has no Struct", static_cast<unsigned>(p.index + 1));
        return;
    case TextureReadCode::kStructTooShort:
        snprintf(text, size, "Texture Native Struct of %u bytes", static_cast<unsigned>(p.value));
        return;
    case TextureReadCode::kPlatform: {
        const char* name = TexturePlatformName(p.platformId);
        if (name != nullptr)
            snprintf(text, size, "platform %s is not supported", name);
        else
            snprintf(text, size, "platform 0x%08X is not supported",
                     static_cast<unsigned>(p.platformId));
        return;
    }
    case TextureReadCode::kRasterFormat:
        snprintf(text, size, "\"%s\": raster format 0x%08X (%s %u) is not supported", p.name,
                 static_cast<unsigned>(p.value),
                 p.platformId == kTexturePlatformD3D9 ? "d3dFormat" : "compression",
                 static_cast<unsigned>(p.detail));
        return;
    case TextureReadCode::kNoPixels:
        snprintf(text, size, "\"%s\": raster of %ux%u pixels", p.name, p.width, p.height);
        return;
    case TextureReadCode::kLevelCount:
        snprintf(text, size, "\"%s\": %u mip levels", p.name, static_cast<unsigned>(p.value));
        return;
    case TextureReadCode::kPalettePastEnd:
        snprintf(text, size, "\"%s\": the palette runs past the Texture Native", p.name);
        return;
    case TextureReadCode::kLevelPastEnd:
        snprintf(text, size, "\"%s\": mip level %u runs past the Texture Native", p.name, level);
        return;
    case TextureReadCode::kLevelSizePastEnd:
        snprintf(text, size, "\"%s\": mip level %u of %u bytes runs past the Texture Native",
                 p.name, level, static_cast<unsigned>(p.value));
        return;
    case TextureReadCode::kLevelTooShort:
        snprintf(text, size, "\"%s\": mip level %u holds %u bytes, too few for %ux%u %s pixels",
                 p.name, level, static_cast<unsigned>(p.value),
                 static_cast<unsigned>(MipSide(p.width, static_cast<int>(level))),
                 static_cast<unsigned>(MipSide(p.height, static_cast<int>(level))),
                 RasterEncodingName(p.encoding));
        return;
    }
    text[0] = '\0';
}

const char* StreamProblemText(StreamProblem problem) {
    switch (problem) {
    case StreamProblem::kNone:
        return "no problem";
    case StreamProblem::kTruncatedHeader:
        return "truncated header";
    case StreamProblem::kSizePastParent:
        return "size past the parent";
    case StreamProblem::kSizePastFile:
        return "size past the end of the file";
    case StreamProblem::kShortRead:
        return "short read";
    case StreamProblem::kFileTooLarge:
        return "file too large";
    case StreamProblem::kTooDeep:
        return "nested too deep";
    }
    return "unknown problem";
}
