#include "Plugins/Import/ImportResult.h"

#include <string.h>

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

ImportResult CorruptResult(const char* reason) {
    ImportResult r = ImportFailure(ImportProblem::kCorrupt);
    r.reason = reason;
    return r;
}

ImportResult CorruptStreamResult(const SectionCursor& c) {
    ImportResult r = ImportFailure(ImportProblem::kCorrupt);
    r.streamProblem = c.problem;
    r.offset = c.problemOffset;
    r.sectionType = c.problemType;
    return r;
}

ImportResult BoneNotFoundResult(const char* name) {
    ImportResult r = ImportFailure(ImportProblem::kBoneNotFound);
    size_t length = strlen(name);
    if (length > sizeof r.name - 1)
        length = sizeof r.name - 1;
    memcpy(r.name, name, length);
    r.name[length] = '\0';
    return r;
}
