// Reading the chosen clump into its model (ClumpModel.h), without the host.
#pragma once

#include "Plugins/Import/ClumpModel.h"
#include "format/SectionReader.h"

// Reads clump clumpIndex (0-based among the top-level clumps of the cursor's
// stream) into model: its first geometry, then its Frame List (with every
// frame's name first when poseNames) and the frame of its atomic. The first
// failure stops the reading; it is recorded in model->result with the stage
// it stopped at (ClumpStage, stopFrame in the bone frames' Extensions).
// Whatever the outcome, model->stage says how far the records hold.
void ReadChosenClump(SectionCursor& c, int clumpIndex, bool poseNames, ClumpModel* model);
