#include "Plugins/Import/ImportMessages.h"

#include <stdio.h>

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

// The short English reason after the malformed-file text.
void FormatCorruptReason(const ImportResult& result, char* reason, size_t size) {
    if (result.reason[0] != '\0') {
        snprintf(reason, size, "%s", result.reason);
        return;
    }
    const char* name = SectionTypeName(result.sectionType);
    if (result.sectionType != 0 || name != nullptr)
        snprintf(reason, size, "%s at 0x%08X (0x%08X %s)", StreamProblemText(result.streamProblem),
                 static_cast<unsigned>(result.offset), static_cast<unsigned>(result.sectionType),
                 name != nullptr ? name : "unknown");
    else
        snprintf(reason, size, "%s at 0x%08X", StreamProblemText(result.streamProblem),
                 static_cast<unsigned>(result.offset));
}

} // namespace

void FormatImportMessage(const ImportResult& result, char* text, size_t size) {
    if (size == 0)
        return;
    char reason[128];
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
