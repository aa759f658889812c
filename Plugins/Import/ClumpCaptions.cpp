#include "Plugins/Import/ClumpCaptions.h"

#include <stdlib.h>

#include "format/ClumpLayout.h"

bool CountClumps(ImportRun& run, int* count) {
    int found = 0;
    if (!ScanTopLevelClumps(run.cursor, &found)) {
        FailSection(run, ImportFailure(ImportProblem::kNoClump));
        return false;
    }
    if (found == 0) {
        FailImport(run, ImportFailure(ImportProblem::kNoClump));
        return false;
    }
    if (found > kMaxClumps) {
        FailImport(run, UnsupportedResult(ImportUnsupported::kTooManyClumps));
        return false;
    }
    *count = found;
    return true;
}

// Reads the caption of the next clump, the name of its first bone, and
// leaves the clump.
static bool ReadCaption(ImportRun& run, char** caption) {
    switch (EnterFirstBoneName(run.cursor)) {
    case BoneNameSearch::kFound:
        break;
    case BoneNameSearch::kMissingClump:
        FailSection(run, MissingSectionResult(ImportSection::kClump));
        return false;
    case BoneNameSearch::kMissingFrameList:
        FailSection(run, MissingSectionResult(ImportSection::kFrameList));
        return false;
    case BoneNameSearch::kMissingExtension:
        FailSection(run, MissingSectionResult(ImportSection::kFrameExtension));
        return false;
    case BoneNameSearch::kMissingFrame:
        FailSection(run, MissingSectionResult(ImportSection::kCaptionFrame));
        return false;
    }
    char* text = static_cast<char*>(malloc(kNameBufferSize));
    if (text == nullptr) {
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return false;
    }
    if (!ReadFirstBoneName(run.cursor, text, kNameBufferSize)) {
        free(text);
        FailSection(run, MissingSectionResult(ImportSection::kCaptionFrame));
        return false;
    }
    *caption = text;
    return true;
}

bool CollectCaptions(ImportRun& run, int count, ClumpList& list) {
    list.captions = static_cast<char**>(calloc(static_cast<size_t>(count), sizeof(char*)));
    if (list.captions == nullptr) {
        FailImport(run, ImportFailure(ImportProblem::kOutOfMemory));
        return false;
    }
    SeekTopLevel(run.cursor, 0);
    for (int i = 0; i < count; ++i) {
        if (!ReadCaption(run, &list.captions[i]))
            return false;
        list.count = static_cast<int8_t>(i + 1);
    }
    return true;
}

void ReleaseCaptions(ClumpList& list) {
    if (list.captions != nullptr)
        for (int i = 0; i < list.count; ++i)
            free(list.captions[i]);
    free(list.captions);
    list.captions = nullptr;
    list.count = 0;
}
