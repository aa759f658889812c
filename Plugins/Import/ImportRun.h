// The state of one import run, shared by the driver and its steps.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "Plugins/Import/ImportResult.h"
#include "format/SectionReader.h"
#include "frame/MQHost.h"

constexpr int kNameBufferSize = 64;

struct ImportRun {
    HostDocument doc = 0;
    SectionCursor cursor;
    float scale = 1.0f;
    // The imported file's base name without its extension.
    char stem[kNameBufferSize] = {};
    // Every name, trace line and formatted message of the run.
    char nameBuffer[kNameBufferSize] = {};
    // The mesh object the geometry step made.
    HostObject mesh = 0;
    // Rewrite the rotations of the frames known by name.
    bool resetPose = false;
    // A failure met before the steps (the clumps and their captions); the
    // driver shows it.
    ImportResult result;
    bool Failed() const { return !result.Ok(); }
};

// Records the run's failure (the first one stays) and returns false.
bool FailImport(ImportRun& run, const ImportResult& result);
// A failed section search or read: the cursor's own problem when it found the
// file malformed, otherwise the given result.
bool FailSection(ImportRun& run, const ImportResult& otherwise);
