// MQMatrix_FloatValue: reads or rebuilds a matrix by component code.
#include "hostsim/HostExports.h"
#include "hostsim/Transform.h"

void MQAPI MQMatrix_FloatValue(Matrix4* matrix, int32_t id, float* values) {
    if (matrix == nullptr || values == nullptr) {
        return;
    }
    switch (id) {
    case kMatrixGetScaling:
        TransformScaling(*matrix, values);
        break;
    case kMatrixGetRotation:
        TransformAngles(*matrix, values);
        break;
    case kMatrixGetTranslation:
        TransformTranslation(*matrix, values);
        break;
    case kMatrixSetTransform: {
        TransformParts parts;
        for (int i = 0; i < 3; ++i) {
            parts.scale[i] = values[i];
            parts.angles[i] = values[3 + i];
            parts.translation[i] = values[6 + i];
        }
        ComposeTransform(parts, matrix);
        break;
    }
    default:
        break;
    }
}
