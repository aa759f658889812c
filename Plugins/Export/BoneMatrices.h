// Bone matrices: the general 4x4 inverse, and the model-space matrix of a
// bone as the file wants it.
#pragma once

#include <stdint.h>

#include "frame/MQHost.h"

// The general inverse (adjugate over determinant, products in double); the
// identity when the determinant is exactly 0.
void InvertMatrix4(Matrix4* out, const Matrix4* m);

// The quarter turn the host builds from scale 1, heading -90: the same for
// every bone of an export.
void AxisTurnMatrix(Matrix4* out);

// AxisTurn x bind, with the translation replaced by the bone's position,
// shifted by -shift along x and scaled.
void BoneWorldMatrix(Matrix4* out, const Matrix4& axisTurn, const Matrix4& bind,
                     const Point3& position, float shift, float scale);
