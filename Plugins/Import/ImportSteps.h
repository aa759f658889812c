// The import's steps, in the order the driver runs them.
#pragma once

#include "Plugins/Import/ImportResult.h"
#include "Plugins/Import/ImportRun.h"

// The steps. Each returns the run's result: failed ones stop the import.
ImportResult ImportGeometry(ImportRun& run);
ImportResult ImportSkeleton(ImportRun& run);
