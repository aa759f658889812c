// The import's building steps, in the order the driver runs them once the
// chosen clump is read (ClumpRead.h) and checked (ClumpValidation.h). They
// alone talk to the host: each builds what the model holds up to where it
// stopped, and returns the model's failure when it stopped in its part (or
// ran out of memory), else a success.
#pragma once

#include "Plugins/Import/ClumpModel.h"
#include "Plugins/Import/ImportResult.h"
#include "Plugins/Import/ImportRun.h"

// The mesh object with its materials (run.mesh), added only when the whole
// geometry was read; the materials stay once the Material List was read.
ImportResult ImportGeometry(ImportRun& run, const ClumpModel& model);
// The bone object with its bone materials, then the mesh placed in its bones.
// The bone materials of the bone frames before the one that failed stay; the
// bone object is added and the mesh placed only when everything was read.
ImportResult ImportSkeleton(ImportRun& run, const ClumpModel& model);
