#include "Plugins/Import/ImportRun.h"

bool FailImport(ImportRun& run, const ImportResult& result) {
    if (run.result.Ok())
        run.result = result;
    return false;
}

bool FailSection(ImportRun& run, const ImportResult& otherwise) {
    return FailImport(run, SectionFailure(run.cursor, otherwise));
}
