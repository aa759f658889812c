#include "check/ProblemText.h"
#include "check/ReadFindings.h"

#include <stdio.h>

Finding& AddReadFinding(Rule rule, const char* reason, const SectionCursor& c, FindingList& out) {
    Finding& f = out.Add(rule);
    if (IsMalformed(c)) {
        snprintf(f.detail, sizeof f.detail, "%s: %s", reason, StreamProblemText(c.problem));
        f.offset = c.problemOffset;
        f.section = c.problemType;
    } else {
        SetFindingText(f.detail, reason);
    }
    return f;
}

void AddFrameListFinding(const FrameListRead& read, const SectionCursor& c, FindingList& out) {
    const char* reason = nullptr;
    Rule rule = Rule::kFileDamaged;
    switch (read.result) {
    case FrameListResult::kOk:
        return;
    case FrameListResult::kMissingFrameList:
        reason = "no Frame List";
        break;
    case FrameListResult::kMissingStruct:
        reason = "the Frame List has no Struct or frame count";
        break;
    case FrameListResult::kCountPastStruct:
        reason = "the frame count runs past the Frame List Struct";
        break;
    case FrameListResult::kShortStruct:
        reason = "a frame record is cut short";
        break;
    case FrameListResult::kOutOfMemory:
        rule = Rule::kNotChecked;
        reason = "not enough memory for the frames";
        break;
    case FrameListResult::kMissingExtension:
        reason = "the frame has no Extension";
        break;
    case FrameListResult::kMissingHAnim:
        reason = "the frame's HAnim PLG is cut short";
        break;
    case FrameListResult::kHAnimCountPastSection:
        reason = "the HAnim node count runs past the HAnim PLG";
        break;
    case FrameListResult::kMissingName:
        reason = "the frame's name cannot be read";
        break;
    }
    AddReadFinding(rule, reason, c, out).frame = read.frame;
}

void AddGeometryFinding(GeometryReadResult result, const SectionCursor& c, FindingList& out) {
    const char* reason = nullptr;
    Rule rule = Rule::kFileDamaged;
    switch (result) {
    case GeometryReadResult::kOk:
        return;
    case GeometryReadResult::kMalformed:
        reason = "the Geometry Struct is cut short";
        break;
    case GeometryReadResult::kTristrip:
        rule = Rule::kNotChecked;
        reason = "the geometry is made of triangle strips, which are not read";
        break;
    case GeometryReadResult::kNoPositions:
        rule = Rule::kNotChecked;
        reason = "the geometry stores no positions";
        break;
    case GeometryReadResult::kNegativeCount:
        reason = "a negative vertex or triangle count";
        break;
    case GeometryReadResult::kTooManyVertices:
        reason = "more vertices than are read";
        break;
    case GeometryReadResult::kCountsPastSection:
        reason = "the geometry's counts run past the Geometry Struct";
        break;
    case GeometryReadResult::kOutOfMemory:
        rule = Rule::kNotChecked;
        reason = "not enough memory for the geometry";
        break;
    }
    AddReadFinding(rule, reason, c, out);
}

void AddMaterialFinding(MaterialReadResult result, const SectionCursor& c, FindingList& out) {
    const char* reason = nullptr;
    Rule rule = Rule::kFileDamaged;
    switch (result) {
    case MaterialReadResult::kOk:
        return;
    case MaterialReadResult::kMalformed:
        reason = "the Material List is damaged";
        break;
    case MaterialReadResult::kCountPastSection:
        reason = "the material count runs past the Material List Struct";
        break;
    case MaterialReadResult::kOutOfMemory:
        rule = Rule::kNotChecked;
        reason = "not enough memory for the materials";
        break;
    }
    AddReadFinding(rule, reason, c, out);
}

void AddBinMeshFinding(BinMeshReadResult result, const SectionCursor& c, FindingList& out) {
    const char* reason = nullptr;
    Rule rule = Rule::kFileDamaged;
    switch (result) {
    case BinMeshReadResult::kOk:
        return;
    case BinMeshReadResult::kMalformed:
        reason = "the Bin Mesh PLG is cut short";
        break;
    case BinMeshReadResult::kTristrip:
        return; // the game draws strips; only their indices go unchecked
    case BinMeshReadResult::kMeshCountPastSection:
        reason = "the mesh count runs past the Bin Mesh PLG";
        break;
    case BinMeshReadResult::kIndexCountNotTriangles:
        reason = "a Bin Mesh index count is not a multiple of 3";
        break;
    case BinMeshReadResult::kTrianglesPastGeometry:
        reason = "the Bin Mesh PLG holds more triangles than the geometry";
        break;
    case BinMeshReadResult::kMaterialPastList:
        reason = "the Bin Mesh PLG names a material past the Material List";
        break;
    case BinMeshReadResult::kOutOfMemory:
        rule = Rule::kNotChecked;
        reason = "not enough memory for the Bin Mesh PLG";
        break;
    }
    AddReadFinding(rule, reason, c, out);
}

void AddSkinFinding(SkinReadResult result, const SectionCursor& c, FindingList& out) {
    switch (result) {
    case SkinReadResult::kOk:
        return;
    case SkinReadResult::kCountsPastSection:
        AddReadFinding(Rule::kFileDamaged, "the Skin PLG's counts run past the section", c, out);
        return;
    case SkinReadResult::kOutOfMemory:
        AddReadFinding(Rule::kNotChecked, "not enough memory for the skin", c, out);
        return;
    }
}
