// Host functions of an object's own values: name, visibility, shading,
// modelling modes and attribute values. Values outside the host's ranges are
// breaches (HostSimSetBreachHandler) and change nothing.
#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"

namespace {

// The host's ranges of the modelling modes and of the hierarchy depth.
constexpr int32_t kLastShading = 1; // flat, Gouraud
constexpr int32_t kLastPatchType = 4;
constexpr int32_t kLastMirrorType = 2;
constexpr int32_t kLastLatheType = 3;
constexpr int32_t kDeepestObject = 255;

void SetMode(const char* function, HostObject obj, int32_t HostSimObject::*field, int64_t value,
             int32_t last) {
    HostSimObject* object = ObjectOf(function, obj);
    if (object != nullptr && InRange(function, "mode", value, 0, last)) {
        object->*field = static_cast<int32_t>(value);
    }
}

// The object whose colour array is named, or null (a breach for an unknown
// handle or attribute id).
HostSimObject* ColorArrayOf(const char* function, HostObject obj, int32_t type_id,
                            const float* array) {
    HostSimObject* object = ObjectOf(function, obj);
    if (object == nullptr || array == nullptr) {
        return nullptr;
    }
    if (type_id != kObjectColor) {
        ReportBreach(function, "unknown float array attribute 0x%X",
                     static_cast<unsigned>(type_id));
        return nullptr;
    }
    return object;
}

} // namespace

void MQAPI MQObj_GetName(HostObject obj, char* buffer, int32_t size) {
    HostSimObject* object = ObjectOf(__func__, obj);
    CopyBoundedText(object != nullptr ? object->name : std::string(), buffer, size);
}

void MQAPI MQObj_SetName(HostObject obj, const char* name) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object != nullptr) {
        object->name = TextOrEmpty(name);
    }
}

// Visibility is a bit set: 0 hidden, anything else shown.
uint32_t MQAPI MQObj_GetVisible(HostObject obj) {
    HostSimObject* object = ObjectOf(__func__, obj);
    return object != nullptr ? object->visible : 0;
}

void MQAPI MQObj_SetVisible(HostObject obj, uint32_t visible) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object != nullptr) {
        object->visible = visible;
    }
}

void MQAPI MQObj_SetPatchType(HostObject obj, uint32_t type) {
    SetMode(__func__, obj, &HostSimObject::patchType, type, kLastPatchType);
}

int32_t MQAPI MQObj_GetShading(HostObject obj) {
    HostSimObject* object = ObjectOf(__func__, obj);
    return object != nullptr ? object->shading : 0;
}

void MQAPI MQObj_SetShading(HostObject obj, int32_t type) {
    SetMode(__func__, obj, &HostSimObject::shading, type, kLastShading);
}

float MQAPI MQObj_GetSmoothAngle(HostObject obj) {
    HostSimObject* object = ObjectOf(__func__, obj);
    return object != nullptr ? object->smoothAngle : 0.0f;
}

// Degrees, 0 to 180.
void MQAPI MQObj_SetSmoothAngle(HostObject obj, float degree) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object == nullptr) {
        return;
    }
    if (!(degree >= 0.0f && degree <= 180.0f)) {
        ReportBreach(__func__, "smoothing angle %g outside 0..180 degrees", degree);
        return;
    }
    object->smoothAngle = degree;
}

void MQAPI MQObj_SetMirrorType(HostObject obj, int32_t type) {
    SetMode(__func__, obj, &HostSimObject::mirrorType, type, kLastMirrorType);
}

void MQAPI MQObj_SetLatheType(HostObject obj, int32_t type) {
    SetMode(__func__, obj, &HostSimObject::latheType, type, kLastLatheType);
}

// Int attributes, passed and returned as values: 0x101 the hierarchy depth,
// 0x201 whether the object's own colour is used. An unknown id reads as 0.
int32_t MQAPI MQObj_GetIntValue(HostObject obj, int32_t type_id) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object == nullptr) {
        return 0;
    }
    switch (type_id) {
    case kObjectDepth:
        return object->depth;
    case kObjectColorType:
        return object->colorType;
    default:
        ReportBreach(__func__, "unknown int attribute 0x%X", static_cast<unsigned>(type_id));
        return 0;
    }
}

void MQAPI MQObj_SetIntValue(HostObject obj, int32_t type_id, int32_t value) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object == nullptr) {
        return;
    }
    switch (type_id) {
    case kObjectDepth:
        if (InRange(__func__, "depth", value, 0, kDeepestObject)) {
            object->depth = value;
        }
        return;
    case kObjectColorType:
        if (InRange(__func__, "own colour switch", value, 0, 1)) {
            object->colorType = value;
        }
        return;
    default:
        ReportBreach(__func__, "unknown int attribute 0x%X", static_cast<unsigned>(type_id));
        return;
    }
}

// Float array attribute 0x201: the object's colour, red, green, blue.
void MQAPI MQObj_GetFloatArray(HostObject obj, int32_t type_id, float* array) {
    HostSimObject* object = ColorArrayOf(__func__, obj, type_id, array);
    if (object == nullptr) {
        return;
    }
    array[0] = object->color.r;
    array[1] = object->color.g;
    array[2] = object->color.b;
}

void MQAPI MQObj_SetFloatArray(HostObject obj, int32_t type_id, const float* array) {
    HostSimObject* object = ColorArrayOf(__func__, obj, type_id, array);
    if (object == nullptr) {
        return;
    }
    object->color = ColorRGB{array[0], array[1], array[2]};
}
