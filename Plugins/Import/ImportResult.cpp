#include "Plugins/Import/ImportResult.h"

#include <string.h>

namespace {

template <size_t kSize> void CopyCut(char (&to)[kSize], const char* text) {
    size_t length = strlen(text);
    if (length > kSize - 1)
        length = kSize - 1;
    memcpy(to, text, length);
    to[length] = '\0';
}

} // namespace

ImportResult ImportFailure(ImportProblem problem) {
    ImportResult r;
    r.problem = problem;
    return r;
}

ImportResult MissingSectionResult(ImportSection section) {
    ImportResult r = ImportFailure(ImportProblem::kMissingSection);
    r.section = section;
    return r;
}

ImportResult UnsupportedResult(ImportUnsupported what) {
    ImportResult r = ImportFailure(ImportProblem::kUnsupported);
    r.unsupported = what;
    return r;
}

ImportResult CorruptResult(ImportCorrupt what, int32_t index) {
    ImportResult r = ImportFailure(ImportProblem::kCorrupt);
    r.corrupt = what;
    r.index = index;
    return r;
}

ImportResult CorruptStreamResult(const SectionCursor& c) {
    ImportResult r = ImportFailure(ImportProblem::kCorrupt);
    r.streamProblem = c.problem;
    r.offset = c.problemOffset;
    r.sectionType = c.problemType;
    return r;
}

ImportResult SectionFailure(const SectionCursor& c, const ImportResult& otherwise) {
    return IsMalformed(c) ? CorruptStreamResult(c) : otherwise;
}

ImportResult BoneNotFoundResult(const char* name) {
    ImportResult r = ImportFailure(ImportProblem::kBoneNotFound);
    CopyCut(r.name, name);
    return r;
}
