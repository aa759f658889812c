// MQMatrix_FloatValue: reads or rebuilds a matrix by component code.
#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"
#include "frame/Transform.h"

void MQAPI MQMatrix_FloatValue(float* mtx, int32_t type_id, float* values) {
    if (mtx == nullptr || values == nullptr) {
        return;
    }
    // The sixteen floats are a Matrix4's (static_assert in frame/HostTypes.h).
    Matrix4* matrix = reinterpret_cast<Matrix4*>(mtx);
    switch (type_id) {
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
        ReportBreach(__func__, "unknown component code 0x%X", static_cast<unsigned>(type_id));
        break;
    }
}
