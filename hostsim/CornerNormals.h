// Keynote's per-corner normals of faces for which the scene gives none.
#pragma once

#include <vector>

#include "hostsim/XSDocumentWriter.h"

// Normalised (V2 - V0) x (V1 - V0) of the face's first three points; zero for
// faces of fewer than three points and for degenerate ones.
Point3 KeynoteFaceNormal(const KeynoteObject& object, const KeynoteFace& face);

// Sets the corner normals of every face f with compute[f] true. Flat shading:
// each corner takes the face normal. Smooth shading: each corner takes the
// normalised sum of the face normals of all faces that use its vertex (each
// face counted once). Faces past the end of compute are left as they are.
void ComputeCornerNormals(KeynoteObject* object, bool smooth, const std::vector<bool>& compute);
