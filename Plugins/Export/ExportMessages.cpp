#include "Plugins/Export/ExportMessages.h"

#include <stdio.h>

namespace {

// The fixed text of a result without detail; null for those with detail.
const char* FixedText(ExportProblem problem) {
    switch (problem) {
    case ExportProblem::kNone:
        return "";
    case ExportProblem::kKeynoteVersion:
        return MSG_KEYNOTE_VERSION;
    case ExportProblem::kKeynoteMissing:
        return MSG_KEYNOTE_MISSING;
    case ExportProblem::kOutOfMemory:
        return MSG_EXPORT_OUT_OF_MEMORY;
    case ExportProblem::kTooManyVertices:
        return MSG_TOO_MANY_VERTICES;
    case ExportProblem::kTooManyBones:
        return MSG_TOO_MANY_BONES;
    case ExportProblem::kNumberOutOfRange:
        return MSG_NUMBER_OUT_OF_RANGE;
    case ExportProblem::kDffCreateFailed:
        return MSG_DFF_CREATE_FAILED;
    case ExportProblem::kDffWriteFailed:
        return MSG_DFF_WRITE_FAILED;
    case ExportProblem::kDffReplaceFailed:
        return MSG_DFF_REPLACE_FAILED;
    case ExportProblem::kTxdCreateFailed:
        return MSG_TXD_CREATE_FAILED;
    case ExportProblem::kTxdWriteFailed:
        return MSG_TXD_WRITE_FAILED;
    case ExportProblem::kTxdReplaceFailed:
        return MSG_TXD_REPLACE_FAILED;
    case ExportProblem::kTxdSameAsDff:
        return MSG_TXD_SAME_AS_DFF;
    case ExportProblem::kMissingBone:
    case ExportProblem::kTextureCannotLoad:
        break;
    }
    return nullptr;
}

} // namespace

void FormatExportMessage(const ExportResult& result, char* text, size_t size) {
    if (size == 0)
        return;
    const char* fixed = FixedText(result.problem);
    if (fixed != nullptr)
        snprintf(text, size, "%s", fixed);
    else if (result.problem == ExportProblem::kMissingBone)
        snprintf(text, size, MSG_BONE_NUMBER_MISSING, static_cast<int>(result.boneNumber));
    else
        snprintf(text, size, MSG_TEXTURE_LOAD_FAILED, result.textureName);
}
