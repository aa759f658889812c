// Turns one object of Keynote's document into a WorkMesh: triangulated and
// split where texture coordinates or normals differ (the split path), or a
// compacted clone of the host object with normals from its shading (the clone
// path).
#pragma once

#include "Plugins/Export/KeynoteDocument.h"
#include "Plugins/Export/WorkMesh.h"
#include "frame/Options.h"

// Both return false (with the WorkMesh released) when memory runs out or the
// host cannot make the work object.
bool ConvertSplit(XSRecord object, const ExportOptions& options, UsedMaterialMap& used,
                  WorkMesh* out);
bool ConvertClone(XSRecord object, UsedMaterialMap& used, WorkMesh* out);
