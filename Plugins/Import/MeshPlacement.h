// Placing the mesh object where the game shows it once the bones are built.
#pragma once

#include "Plugins/Import/ClumpModel.h"
#include "frame/MQHost.h"

// Places every vertex of mesh (file vertex k is mesh vertex k) in the frames'
// pose. With a skin that fits (ClumpBones::skinFits): the sum over its bones
// of weight x (stored position x inverse bind matrix x the bone's
// model-space matrix), a vertex without weights moved by the atomic's frame;
// otherwise each vertex moved by reference about reference's own
// translation. locals are the frames' local matrices (after any pose reset),
// the model's parents checked; positions are scaled; a position that is not
// finite becomes the origin.
void PlaceMesh(HostObject mesh, const ClumpModel& model, const Matrix4* locals,
               const Matrix4& reference, float scale);
