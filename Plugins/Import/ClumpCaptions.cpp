#include "Plugins/Import/ClumpCaptions.h"

#include <stdlib.h>

#include "Plugins/Import/ImportMessages.h"
#include "format/ClumpLayout.h"

bool CountClumps(ImportRun& run, int* count) {
    int found = 0;
    if (!ScanTopLevelClumps(run.cursor, &found)) {
        ReportSectionError(run, MSG_NO_CLUMP);
        return false;
    }
    if (found == 0) {
        ReportImportError(run, MSG_NO_CLUMP);
        return false;
    }
    if (found > kMaxClumps) {
        ReportImportError(run, MSG_UNSUPPORTED_TOO_MANY_CLUMPS);
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
        ReportSectionError(run, MSG_MISSING_CLUMP);
        return false;
    case BoneNameSearch::kMissingFrameList:
        ReportSectionError(run, MSG_MISSING_FRAME_LIST);
        return false;
    case BoneNameSearch::kMissingExtension:
        ReportSectionError(run, MSG_MISSING_FRAME_EXTENSION);
        return false;
    case BoneNameSearch::kMissingFrame:
        ReportSectionError(run, MSG_MISSING_CAPTION_FRAME);
        return false;
    }
    char* text = static_cast<char*>(malloc(kNameBufferSize));
    if (text == nullptr) {
        ReportImportError(run, MSG_OUT_OF_MEMORY);
        return false;
    }
    if (!ReadFirstBoneName(run.cursor, text, kNameBufferSize)) {
        free(text);
        ReportSectionError(run, MSG_MISSING_CAPTION_FRAME);
        return false;
    }
    *caption = text;
    return true;
}

bool CollectCaptions(ImportRun& run, int count, ClumpList& list) {
    list.captions = static_cast<char**>(calloc(static_cast<size_t>(count), sizeof(char*)));
    if (list.captions == nullptr) {
        ReportImportError(run, MSG_OUT_OF_MEMORY);
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
