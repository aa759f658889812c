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

} // namespace

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
