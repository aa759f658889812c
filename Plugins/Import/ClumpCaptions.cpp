#include "Plugins/Import/ClumpCaptions.h"

#include <stdlib.h>
#include <string.h>

#include "Plugins/Import/ImportMessages.h"
#include "format/ClumpLayout.h"

// Whether every byte from offset to the end of the stream is zero: the padding
// archive tools leave after a model.
static bool OnlyZerosFrom(ByteStream& stream, uint32_t offset) {
    uint8_t block[4096];
    if (!stream.Seek(offset))
        return false;
    for (;;) {
        uint32_t got = stream.Read(block, sizeof block);
        if (got == 0)
            return stream.Tell() >= stream.Size();
        for (uint32_t i = 0; i < got; ++i)
            if (block[i] != 0)
                return false;
    }
}

bool CountClumps(ImportRun& run, int* count) {
    SectionCursor& c = run.cursor;
    SeekTopLevel(c, 0);
    int found = 0;
    while (FindChildSection(c, kSectionClump)) {
        ++found;
        LeaveSection(c);
    }
    if (IsMalformed(c)) {
        // After the clumps, padding and the few stray bytes some writers leave
        // cannot be a clump: the clumps before them stand. A clump that runs
        // past the end is damage.
        bool trailer =
            c.problem == StreamProblem::kTruncatedHeader ||
            (c.problem == StreamProblem::kSizePastFile && c.problemType != kSectionClump) ||
            OnlyZerosFrom(*c.stream, c.problemOffset);
        if (found == 0 || !trailer) {
            ReportSectionError(run, MSG_NO_CLUMP);
            return false;
        }
        // Later scans stop at the trailer.
        c.problem = StreamProblem::kNone;
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

// Reads the caption of the clump at the cursor (depth 0) and leaves the clump.
static bool ReadCaption(ImportRun& run, char** caption) {
    SectionCursor& c = run.cursor;
    if (!FindChildSection(c, kSectionClump)) {
        ReportSectionError(run, MSG_MISSING_CLUMP);
        return false;
    }
    if (!FindChildSection(c, kSectionFrameList)) {
        ReportSectionError(run, MSG_MISSING_FRAME_LIST);
        return false;
    }
    // The first frame's Extension, then the second one's.
    if (!FindChildSection(c, kSectionExtension)) {
        ReportSectionError(run, MSG_MISSING_FRAME_EXTENSION);
        return false;
    }
    LeaveSection(c);
    if (!FindChildSection(c, kSectionExtension)) {
        ReportSectionError(run, MSG_MISSING_FRAME_EXTENSION);
        return false;
    }
    if (!FindChildSection(c, kSectionFrame)) {
        ReportSectionError(run, MSG_MISSING_CAPTION_FRAME);
        return false;
    }
    char* text = static_cast<char*>(malloc(kNameBufferSize));
    if (text == nullptr) {
        ReportImportError(run, MSG_OUT_OF_MEMORY);
        return false;
    }
    if (!ReadSectionText(c, text, kNameBufferSize)) {
        free(text);
        ReportSectionError(run, MSG_MISSING_CAPTION_FRAME);
        return false;
    }
    *caption = text;
    for (int i = 0; i < 4; ++i) // Frame, Extension, Frame List, Clump
        LeaveSection(c);
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
