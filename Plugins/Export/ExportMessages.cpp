#include "Plugins/Export/ExportMessages.h"

#include <stdio.h>
#include <string.h>

#include "check/Finding.h"

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
        break;
    }
    return nullptr;
}

// The notice's text as it grows: lines past the last one allowed are only
// counted.
struct NoticeText {
    char* text;
    size_t size;
    int lines = 0;
    bool more = false;
};

void Append(NoticeText& n, const char* part) {
    const size_t used = strlen(n.text);
    snprintf(n.text + used, n.size - used, "%s", part);
}

// The heading comes with the first line.
void AddLine(NoticeText& n, const char* line) {
    if (n.lines == kMaxNoticeLines) {
        n.more = true;
        return;
    }
    if (n.lines++ == 0)
        Append(n, MSG_NOTICE_HEADING);
    Append(n, "\n");
    Append(n, line);
}

// Whether a finding before index in the list has the same rule and name.
bool NamedBefore(const FindingList& list, size_t index) {
    const Finding& f = list.items[index];
    for (size_t k = 0; k < index; ++k)
        if (list.items[k].rule == f.rule && strcmp(list.items[k].name, f.name) == 0)
            return true;
    return false;
}

void AddMendedLine(NoticeText& n, const FindingList& list, size_t index) {
    const Finding& f = list.items[index];
    if (NamedBefore(list, index))
        return;
    char line[256];
    if (f.rule == Rule::kFrameNameLength)
        snprintf(line, sizeof line, MSG_NOTICE_FRAME_NAME_CUT, f.name);
    else if (f.rule == Rule::kTextureNameLength)
        snprintf(line, sizeof line, MSG_NOTICE_TEXTURE_NAME_CUT, f.name);
    else
        snprintf(line, sizeof line, MSG_NOTICE_UNCOMPRESSED, f.name, static_cast<int>(f.value),
                 static_cast<int>(f.limit));
    AddLine(n, line);
}

// The HAnim ids of every ped-bone-missing finding, as one line.
void AddPedBonesLine(NoticeText& n, const FindingList& list) {
    char ids[160] = "";
    for (const Finding& f : list.items) {
        if (f.rule != Rule::kPedBoneMissing)
            continue;
        const size_t used = strlen(ids);
        snprintf(ids + used, sizeof ids - used, "%s%d", used > 0 ? ", " : "",
                 static_cast<int>(f.nodeId));
    }
    char line[256];
    snprintf(line, sizeof line, MSG_NOTICE_PED_BONES_MISSING, ids);
    AddLine(n, line);
}

void AddFoundLine(NoticeText& n, const FindingList& list, size_t index, bool* pedBonesShown) {
    const Finding& f = list.items[index];
    char line[256];
    switch (f.rule) {
    case Rule::kPedBoneMissing:
        if (!*pedBonesShown)
            AddPedBonesLine(n, list);
        *pedBonesShown = true;
        return;
    case Rule::kBoneLimit:
        snprintf(line, sizeof line, MSG_NOTICE_BONE_LIMIT, static_cast<int>(f.value));
        break;
    case Rule::kWeightSumZero:
        snprintf(line, sizeof line, MSG_NOTICE_WEIGHT_SUM_ZERO, static_cast<unsigned>(f.count),
                 static_cast<int>(f.vertex));
        break;
    case Rule::kTextureDuplicate:
        if (NamedBefore(list, index))
            return;
        snprintf(line, sizeof line, MSG_NOTICE_TEXTURE_DUPLICATE, f.name);
        break;
    default:
        if (f.severity != Severity::kError)
            return;
        snprintf(line, sizeof line, MSG_NOTICE_RULE, RuleId(f.rule));
        break;
    }
    AddLine(n, line);
}

void AddLeftOutLines(NoticeText& n, const TexturesLeftOut& list) {
    for (int i = 0; i < list.count; ++i) {
        const TextureLeftOut& r = list.items[i];
        const char* format =
            r.reason == TextureLeftOutReason::kCannotLoad      ? MSG_NOTICE_TEXTURE_NOT_LOADED
            : r.reason == TextureLeftOutReason::kPastFileLimit ? MSG_NOTICE_TEXTURE_PAST_FILE_LIMIT
                                                               : MSG_NOTICE_TEXTURE_NO_MEMORY;
        char line[kTextureLeftOutNameSize + 128];
        snprintf(line, sizeof line, format, r.name);
        AddLine(n, line);
    }
    if (list.more > 0) {
        char line[128];
        snprintf(line, sizeof line, MSG_NOTICE_TEXTURES_MORE, list.more);
        AddLine(n, line);
    }
}

} // namespace

void FormatExportNotice(const ExportNotes& notes, char* text, size_t size) {
    if (size == 0)
        return;
    text[0] = '\0';
    NoticeText n{text, size};
    AddLeftOutLines(n, notes.leftOut);
    for (size_t i = 0; i < notes.mended.items.size(); ++i)
        AddMendedLine(n, notes.mended, i);
    bool pedBonesShown = false;
    for (size_t i = 0; i < notes.found.items.size(); ++i)
        AddFoundLine(n, notes.found, i, &pedBonesShown);
    if (n.more)
        Append(n, "\n" MSG_NOTICE_MORE);
}

void FormatExportMessage(const ExportResult& result, char* text, size_t size) {
    if (size == 0)
        return;
    const char* fixed = FixedText(result.problem);
    if (fixed != nullptr)
        snprintf(text, size, "%s", fixed);
    else
        snprintf(text, size, MSG_BONE_NUMBER_MISSING, static_cast<int>(result.boneNumber));
}
