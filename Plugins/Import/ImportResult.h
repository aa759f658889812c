// What an import step found wrong, with its detail. Steps fill it in and stop;
// the driver alone turns it into the text the user is shown.
#pragma once

#include <stdint.h>

#include "format/SectionReader.h"

enum class ImportProblem : uint8_t {
    kNone,
    kOpenFailed,     // the file is missing, unreadable or not a regular file
    kNoClump,        // no clump at the top of the file
    kMissingSection, // detail: section
    kUnsupported,    // detail: unsupported
    kBoneNotFound,   // detail: name (the frame without a HAnim node)
    kCorrupt,        // detail: corrupt (with index), or the stream problem and where it was found
    kOutOfMemory,
};

// A section the import needs, named by its path from the clump.
enum class ImportSection : uint8_t {
    kClump,
    kFrameList,
    kFrameListStruct,
    kFrameExtension,
    kCaptionFrame, // the Frame name section of the clump's caption frame
    kHAnim,
    kFrame,
    kGeometryList,
    kGeometry,
    kGeometryStruct,
};

enum class ImportUnsupported : uint8_t {
    kTristrip,
    kNoPositions,
    kTooManyVertices,
    kTooManyClumps,
};

// What made a file unsound, beyond the section stream's own problems.
enum class ImportCorrupt : uint8_t {
    kStream, // the cursor's problem: streamProblem, offset, sectionType
    kNegativeCounts,
    kGeometryCountsPastStruct,
    kMaterialCountPastStruct,
    kMeshCountPastBinMesh,
    kBinMeshIndicesNotTriangles,
    kBinMeshTooManyTriangles,
    kBinMeshMaterialBeyondList,
    kFrameCountPastStruct,
    kHAnimCountPastPlg,
    kFrameParent, // index: the frame
};

constexpr int kImportNameSize = 64;

struct ImportResult {
    ImportProblem problem = ImportProblem::kNone;
    ImportSection section = ImportSection::kClump;
    ImportUnsupported unsupported = ImportUnsupported::kTristrip;
    ImportCorrupt corrupt = ImportCorrupt::kStream;
    int32_t index = 0;
    StreamProblem streamProblem = StreamProblem::kNone;
    uint32_t offset = 0;
    uint32_t sectionType = 0;
    char name[kImportNameSize] = {};

    bool Ok() const { return problem == ImportProblem::kNone; }
};

ImportResult ImportFailure(ImportProblem problem);
ImportResult MissingSectionResult(ImportSection section);
ImportResult UnsupportedResult(ImportUnsupported what);
ImportResult CorruptResult(ImportCorrupt what, int32_t index = 0);
// The cursor's own record of what it found malformed.
ImportResult CorruptStreamResult(const SectionCursor& c);
// A failed section search or read: the cursor's own problem when it found the
// file malformed, otherwise the given result.
ImportResult SectionFailure(const SectionCursor& c, const ImportResult& otherwise);
ImportResult BoneNotFoundResult(const char* name);
