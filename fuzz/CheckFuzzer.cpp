// libFuzzer target: checks each input as a texture dictionary and as a model
// with that dictionary's names beside it, as `skelvane check` does, and stops
// (abort) when the checks break one of their promises: a finding of a rule
// that does not exist or of another severity than its rule's, a text field
// left unterminated, damage reported without the reader's reason, more
// findings kept than the bound, or totals that do not add up.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "check/DictionaryCheck.h"
#include "check/ModelCheck.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition)
        return;
    fprintf(stderr, "check fuzzer: %s\n", what);
    abort();
}

void RequireSound(const FindingList& list) {
    Require(list.items.size() <= kMaxFindings, "more findings kept than the bound");
    Require(list.errors + list.warnings == list.items.size() + list.dropped,
            "totals that do not add up");
    for (const Finding& f : list.items) {
        Require(static_cast<size_t>(f.rule) < kRuleCount, "a rule that does not exist");
        Require(f.severity == RuleSeverity(f.rule), "a severity other than the rule's");
        Require(strnlen(f.name, sizeof f.name) < sizeof f.name, "a name left unterminated");
        Require(strnlen(f.detail, sizeof f.detail) < sizeof f.detail, "a detail left unterminated");
        if (f.rule == Rule::kFileDamaged || f.rule == Rule::kTextureDamaged ||
            f.rule == Rule::kNotChecked)
            Require(f.detail[0] != '\0', "damage without the reader's reason");
        if (f.rule == Rule::kVertexIndexRange)
            Require(f.value >= f.limit && f.count > 0, "an index in range reported");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryStream dictionary(data, size);
    FindingList dictionaryFindings;
    TextureNames names;
    const bool opened = CheckDictionaryStream(dictionary, dictionaryFindings, &names);
    RequireSound(dictionaryFindings);
    MemoryStream model(data, size);
    FindingList modelFindings;
    ModelCounts counts;
    CheckModelStream(model, opened ? &names : nullptr, modelFindings, &counts);
    RequireSound(modelFindings);
    Require(counts.clumps >= 0 && counts.mostGeometries >= 0, "negative counts");
    return 0;
}
