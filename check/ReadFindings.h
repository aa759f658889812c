// Readers' results as findings: a damaged file (file-damaged) or a part the
// readers do not take (not-checked), with the reader's reason and, when the
// section cursor found the damage, where.
#pragma once

#include "check/Finding.h"
#include "format/BinMeshLayout.h"
#include "format/FrameListLayout.h"
#include "format/GeometryLayout.h"
#include "format/MaterialLayout.h"
#include "format/SectionReader.h"
#include "format/SkinLayout.h"

// Adds the rule's finding with reason as its detail; the cursor's recorded
// damage, when there is some, adds its text, offset and section type.
Finding& AddReadFinding(Rule rule, const char* reason, const SectionCursor& c, FindingList& out);

// Each reader's result as a finding (none for kOk, nor for a Bin Mesh PLG of
// triangle strips, which the game draws and whose indices alone go unchecked).
void AddFrameListFinding(const FrameListRead& read, const SectionCursor& c, FindingList& out);
void AddGeometryFinding(GeometryReadResult result, const SectionCursor& c, FindingList& out);
void AddMaterialFinding(MaterialReadResult result, const SectionCursor& c, FindingList& out);
void AddBinMeshFinding(BinMeshReadResult result, const SectionCursor& c, FindingList& out);
void AddSkinFinding(SkinReadResult result, const SectionCursor& c, FindingList& out);
