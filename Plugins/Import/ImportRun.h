// The state of one import run, shared by the driver and its steps.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "Plugins/Import/ImportSkin.h"
#include "format/Sections.h"
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
    HostObject mesh = 0;
    // Rewrite the rotations of the frames known by name.
    bool resetPose = false;
    ImportSkin skin;
    bool failed = false;
};

// Shows an error message box (owner: the host window) and marks the run failed.
void ReportImportError(ImportRun& run, const char* message);
// Reports a failed section search or read: the malformed-file message when the
// cursor found the file malformed, otherwise the given message.
void ReportSectionError(ImportRun& run, const char* missingMessage);
// Reports a malformed file with a short reason.
void ReportCorrupt(ImportRun& run, const char* reason);
// Formats into a bounded buffer, cutting what does not fit (names are
// limited to the host's 64-byte buffers).
void FormatCut(char* buffer, size_t size, const char* format, ...);
// Formats a trace line into the name buffer and writes it.
void ImportTrace(ImportRun& run, const char* format, ...);

// The steps. Each returns false after reporting its error.
bool ImportGeometry(ImportRun& run);
bool ImportSkeleton(ImportRun& run);
