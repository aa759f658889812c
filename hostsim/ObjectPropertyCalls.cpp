// Host functions of an object's own values: name, visibility, shading,
// modelling modes and attribute values.
#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"

void MQAPI MQObj_GetName(HostObject obj, char* buffer, int32_t size) {
    HostSimObject* object = FindObject(obj);
    CopyBoundedText(object != nullptr ? object->name : std::string(), buffer, size);
}

void MQAPI MQObj_SetName(HostObject obj, const char* name) {
    HostSimObject* object = FindObject(obj);
    if (object != nullptr) {
        object->name = TextOrEmpty(name);
    }
}

int32_t MQAPI MQObj_GetVisible(HostObject obj) {
    HostSimObject* object = FindObject(obj);
    return object != nullptr ? object->visible : 0;
}

void MQAPI MQObj_SetVisible(HostObject obj, int32_t visible) {
    HostSimObject* object = FindObject(obj);
    if (object != nullptr) {
        object->visible = visible;
    }
}

void MQAPI MQObj_SetPatchType(HostObject obj, int32_t type) {
    HostSimObject* object = FindObject(obj);
    if (object != nullptr) {
        object->patchType = type;
    }
}

int32_t MQAPI MQObj_GetShading(HostObject obj) {
    HostSimObject* object = FindObject(obj);
    return object != nullptr ? object->shading : 0;
}

void MQAPI MQObj_SetShading(HostObject obj, int32_t shading) {
    HostSimObject* object = FindObject(obj);
    if (object != nullptr) {
        object->shading = shading;
    }
}

float MQAPI MQObj_GetSmoothAngle(HostObject obj) {
    HostSimObject* object = FindObject(obj);
    return object != nullptr ? object->smoothAngle : 0.0f;
}

void MQAPI MQObj_SetSmoothAngle(HostObject obj, float degrees) {
    HostSimObject* object = FindObject(obj);
    if (object != nullptr) {
        object->smoothAngle = degrees;
    }
}

void MQAPI MQObj_SetMirrorType(HostObject obj, int32_t type) {
    HostSimObject* object = FindObject(obj);
    if (object != nullptr) {
        object->mirrorType = type;
    }
}

void MQAPI MQObj_SetLatheType(HostObject obj, int32_t type) {
    HostSimObject* object = FindObject(obj);
    if (object != nullptr) {
        object->latheType = type;
    }
}

// Int attributes: 0x101 the hierarchy depth, 0x201 whether the object's own
// colour is used. Unknown ids are refused with 0.
HostBool MQAPI MQObj_GetIntValue(HostObject obj, int32_t id, int32_t* values) {
    HostSimObject* object = FindObject(obj);
    if (object == nullptr || values == nullptr) {
        return 0;
    }
    switch (id) {
    case kObjectDepth:
        values[0] = object->depth;
        return 1;
    case kObjectColorType:
        values[0] = object->colorType;
        return 1;
    default:
        return 0;
    }
}

HostBool MQAPI MQObj_SetIntValue(HostObject obj, int32_t id, const int32_t* values) {
    HostSimObject* object = FindObject(obj);
    if (object == nullptr || values == nullptr) {
        return 0;
    }
    switch (id) {
    case kObjectDepth:
        object->depth = values[0];
        return 1;
    case kObjectColorType:
        object->colorType = values[0];
        return 1;
    default:
        return 0;
    }
}

// Float array attribute 0x201: the object's colour, red, green, blue.
HostBool MQAPI MQObj_GetFloatArray(HostObject obj, int32_t id, float* values) {
    HostSimObject* object = FindObject(obj);
    if (object == nullptr || values == nullptr || id != kObjectColor) {
        return 0;
    }
    values[0] = object->color.r;
    values[1] = object->color.g;
    values[2] = object->color.b;
    return 1;
}

HostBool MQAPI MQObj_SetFloatArray(HostObject obj, int32_t id, const float* values) {
    HostSimObject* object = FindObject(obj);
    if (object == nullptr || values == nullptr || id != kObjectColor) {
        return 0;
    }
    object->color = ColorRGB{values[0], values[1], values[2]};
    return 1;
}
