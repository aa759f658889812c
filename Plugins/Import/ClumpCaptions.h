// Counting the clumps of a file and collecting one caption per clump: the
// name of the second frame of its frame list (the first bone).
#pragma once

#include "Plugins/Import/ImportRun.h"
#include "frame/Options.h"

// Counts the top-level clumps. Fails the run and returns false when there is none,
// too many, or the file is damaged before its end (zero padding after the
// last section is allowed).
bool CountClumps(ImportRun& run, int* count);
// Builds the caption list from the start of the file; fails the run and returns false
// on a missing section. The list is owned by the caller (ReleaseCaptions).
bool CollectCaptions(ImportRun& run, int count, ClumpList& list);
void ReleaseCaptions(ClumpList& list);
