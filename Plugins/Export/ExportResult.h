// What an export step ended with: done, or what stopped it, with its detail.
// The steps return results; the driver alone turns them into messages.
// Textures left out are no failure: they are collected (TexturesLeftOut).
#pragma once

#include <stdint.h>

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
    kTxdSameAsDff, // the model's own name ends in .txd
};

struct ExportResult {
    ExportProblem problem = ExportProblem::kNone;
    int32_t boneNumber = 0;

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
