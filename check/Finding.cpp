#include "check/Finding.h"

#include <string.h>

namespace {

struct RuleEntry {
    Rule rule;
    const char* id;
    Severity severity;
};

// One entry per rule, in the enum's order.
constexpr RuleEntry kRules[] = {
    {Rule::kFileUnreadable, "file-unreadable", Severity::kError},
    {Rule::kFileDamaged, "file-damaged", Severity::kError},
    {Rule::kTextureDamaged, "texture-damaged", Severity::kError},
    {Rule::kNotChecked, "not-checked", Severity::kWarning},
    {Rule::kFrameNameLength, "frame-name-length", Severity::kError},
    {Rule::kHAnimVersion, "hanim-version", Severity::kError},
    {Rule::kHAnimBoneCount, "hanim-bone-count", Severity::kError},
    // Whether a skinned model is a ped is the game's data files' to say, so
    // the bones a ped needs can only be a warning here.
    {Rule::kPedBoneMissing, "ped-bone-missing", Severity::kWarning},
    {Rule::kBoneIdUnknown, "bone-id-unknown", Severity::kWarning},
    {Rule::kBoneLimit, "bone-limit", Severity::kError},
    {Rule::kWeightSumZero, "weight-sum-zero", Severity::kWarning},
    {Rule::kWeightBoneRange, "weight-bone-range", Severity::kError},
    {Rule::kSkinMaxWeights, "skin-max-weights", Severity::kWarning},
    {Rule::kSkinUsedBones, "skin-used-bones", Severity::kWarning},
    {Rule::kVertexLimit, "vertex-limit", Severity::kError},
    {Rule::kVertexIndexRange, "vertex-index-range", Severity::kError},
    {Rule::kNoNormals, "no-normals", Severity::kWarning},
    {Rule::kRightToRender, "right-to-render", Severity::kError},
    {Rule::kAtomicIndexRange, "atomic-index-range", Severity::kError},
    {Rule::kTextureNameLength, "texture-name-length", Severity::kError},
    // The game finds a texture of a dictionary by its name; a mask name
    // that can match nothing shows in the game as far less certain.
    {Rule::kMaskNameLength, "mask-name-length", Severity::kWarning},
    {Rule::kTextureMissing, "texture-missing", Severity::kWarning},
    {Rule::kTexturePlatform, "texture-platform", Severity::kError},
    {Rule::kTextureD3D8, "texture-d3d8", Severity::kWarning},
    {Rule::kTextureNoLevels, "texture-no-levels", Severity::kError},
    {Rule::kTextureBlockSize, "texture-block-size", Severity::kError},
    {Rule::kTextureSizePowerOfTwo, "texture-size-power-of-two", Severity::kWarning},
    {Rule::kTextureDuplicate, "texture-duplicate", Severity::kWarning},
};
static_assert(sizeof kRules / sizeof kRules[0] == kRuleCount, "one entry per rule");

constexpr bool RulesInOrder() {
    for (size_t i = 0; i < kRuleCount; ++i)
        if (static_cast<size_t>(kRules[i].rule) != i)
            return false;
    return true;
}
static_assert(RulesInOrder(), "the table follows the enum");

const RuleEntry& EntryOf(Rule rule) {
    return kRules[static_cast<size_t>(rule)];
}

} // namespace

const char* RuleId(Rule rule) {
    return EntryOf(rule).id;
}

Severity RuleSeverity(Rule rule) {
    return EntryOf(rule).severity;
}

const char* SeverityName(Severity severity) {
    return severity == Severity::kError ? "error" : "warning";
}

Finding& FindingList::Add(Rule rule) {
    const Severity severity = RuleSeverity(rule);
    if (severity == Severity::kError)
        ++errors;
    else
        ++warnings;
    Finding* f = &scratch;
    if (items.size() < kMaxFindings) {
        items.emplace_back();
        f = &items.back();
    } else {
        ++dropped;
    }
    *f = Finding();
    f->rule = rule;
    f->severity = severity;
    f->clump = clump;
    f->geometry = geometry;
    return *f;
}

void SetFindingText(char* field, size_t size, const char* text) {
    if (size == 0)
        return;
    size_t length = strnlen(text, size - 1);
    memcpy(field, text, length);
    field[length] = '\0';
}
