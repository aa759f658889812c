// What an export left out, what it mended in the records it writes and what
// the game's rules still find in them: plain records, which the driver words
// as one notice once the files are written.
#pragma once

#include "check/Finding.h"
#include "Plugins/Shared/TextureLeftOut.h"

struct ExportNotes {
    // The textures left out of the dictionary, and why.
    TexturesLeftOut leftOut;
    // The rules' findings over the records as they came, each mended before
    // writing: frame-name-length and texture-name-length for names cut to
    // the game's limits (name: the name as it was, value: its length),
    // texture-block-size for a texture written uncompressed instead.
    FindingList mended;
    // The rules over the records as written, model and dictionary.
    FindingList found;
};

// A mended name: the rule's finding with the name as it was (cut, whole
// characters, to the finding's field), its length and the limit.
Finding& AddMendedName(ExportNotes& notes, Rule rule, const char* name, size_t length,
                       size_t limit);
