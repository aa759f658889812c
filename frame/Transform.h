// The transform convention of the host's matrix function: how a Matrix4 is
// built from scaling, rotation angles and translation, and how those parts are
// read back. The modeller does not document how head, pitch and bank compose
// (this order was inferred from the game's own model files), so the plug-ins
// compute their constant rotations here instead of asking the host, and the
// simulated host's MQMatrix_FloatValue follows the same functions.
#pragma once

#include "frame/MQHost.h"

// Nine values: scaling x, y, z; angles head, pitch, bank in degrees;
// translation x, y, z.
struct TransformParts {
    float scale[3];
    float angles[3];
    float translation[3];
};

// M = S x Ry(-head) x Rx(-pitch) x Rz(-bank) x T for row vectors, where Rx, Ry
// and Rz are the right-handed rotations for row vectors; the rotation part is
// the transpose of Rz(bank) x Rx(pitch) x Ry(head).
void ComposeTransform(const TransformParts& parts, Matrix4* out);

// The lengths of rows 0 to 2.
void TransformScaling(const Matrix4& m, float out[3]);
// Head, pitch and bank in degrees that ComposeTransform turns into the
// rotation of m (pitch within -90..90; bank 0 when pitch is at either end).
void TransformAngles(const Matrix4& m, float out[3]);
// Row 3.
void TransformTranslation(const Matrix4& m, float out[3]);
