// What an export step ended with: done, or what stopped it, with its detail.
// The steps return results; the driver alone turns them into messages.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "frame/MQHost.h"

enum class ExportProblem : uint8_t {
    kNone,
    kKeynoteVersion,   // Keynote refused the document version
    kKeynoteMissing,   // Keynote gave no document
    kOutOfMemory,      // memory could not be had
    kTooManyVertices,  // more than 65535 vertices
    kTooManyBones,     // more than 255 bones
    kNumberOutOfRange, // a number written is NaN or infinite
    kMissingBone,      // a bone number without its bone (detail: boneNumber)
    kDffCreateFailed,
    kDffWriteFailed,
    kDffReplaceFailed,
    kTxdCreateFailed,
    kTxdWriteFailed,
    kTxdReplaceFailed,
    kTxdSameAsDff,      // the model's own name ends in .txd
    kTextureCannotLoad, // a texture left out (detail: textureName)
};

// Room for a texture name: names pass through the host's 64-byte buffers.
constexpr size_t kExportResultNameSize = kHostPathSize;

struct ExportResult {
    ExportProblem problem = ExportProblem::kNone;
    int32_t boneNumber = 0;
    char textureName[kExportResultNameSize] = {};

    bool Ok() const { return problem == ExportProblem::kNone; }
};

inline ExportResult ExportDone() {
    return ExportResult();
}

inline ExportResult ExportFailure(ExportProblem problem) {
    ExportResult r;
    r.problem = problem;
    return r;
}

inline ExportResult MissingBoneResult(int32_t boneNumber) {
    ExportResult r = ExportFailure(ExportProblem::kMissingBone);
    r.boneNumber = boneNumber;
    return r;
}

// The name is cut to fit, as the host's buffers cut it.
inline ExportResult TextureCannotLoadResult(const char* name) {
    ExportResult r = ExportFailure(ExportProblem::kTextureCannotLoad);
    size_t length = strnlen(name, kExportResultNameSize - 1);
    memcpy(r.textureName, name, length);
    r.textureName[length] = '\0';
    return r;
}

// Where a step reports a problem it goes on from (a texture left out of the
// dictionary); the driver shows each at once, in the order they come.
class ExportNotices {
  public:
    virtual void Notice(const ExportResult& result) = 0;

  protected:
    ~ExportNotices() = default;
};
