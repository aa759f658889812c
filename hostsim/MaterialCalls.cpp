// Host functions of materials: lifetime, surface values, map names and
// attribute values.
#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"

namespace {

float ValueOf(const char* function, HostMaterial mat, float HostSimMaterial::*field) {
    HostSimMaterial* material = MaterialOf(function, mat);
    return material != nullptr ? material->*field : 0.0f;
}

void SetValue(const char* function, HostMaterial mat, float HostSimMaterial::*field, float value) {
    HostSimMaterial* material = MaterialOf(function, mat);
    if (material != nullptr) {
        material->*field = value;
    }
}

void GetText(const char* function, HostMaterial mat, std::string HostSimMaterial::*field,
             char* buffer, int32_t size) {
    HostSimMaterial* material = MaterialOf(function, mat);
    CopyBoundedText(material != nullptr ? material->*field : std::string(), buffer, size);
}

void SetText(const char* function, HostMaterial mat, std::string HostSimMaterial::*field,
             const char* text) {
    HostSimMaterial* material = MaterialOf(function, mat);
    if (material != nullptr) {
        material->*field = TextOrEmpty(text);
    }
}

// The int attribute named by id with its range: 0x101 the shader (classic,
// constant, Lambert, Phong, Blinn), 0x102 the vertex-colour mode (off, on).
// Null for an id this host does not know.
int32_t* IntAttribute(HostSimMaterial& material, int32_t id, int32_t* last) {
    switch (id) {
    case kMaterialShader:
        *last = 4;
        return &material.shader;
    case kMaterialVertexColor:
        *last = 1;
        return &material.vertexColor;
    default:
        return nullptr;
    }
}

} // namespace

// Only materials that no document owns can be deleted.
void MQAPI MQMat_Delete(HostMaterial mat) {
    HostSimMaterial* material = MaterialOf(__func__, mat);
    if (material != nullptr && material->owner == 0) {
        GetHostState().materials.Remove(mat);
    }
}

// Int attributes are passed and returned as values.
int32_t MQAPI MQMat_GetIntValue(HostMaterial mat, int32_t type_id) {
    HostSimMaterial* material = MaterialOf(__func__, mat);
    int32_t last = 0;
    int32_t* attribute = material != nullptr ? IntAttribute(*material, type_id, &last) : nullptr;
    if (material != nullptr && attribute == nullptr) {
        ReportBreach(__func__, "unknown int attribute 0x%X", static_cast<unsigned>(type_id));
    }
    return attribute != nullptr ? *attribute : 0;
}

void MQAPI MQMat_SetIntValue(HostMaterial mat, int32_t type_id, int32_t value) {
    HostSimMaterial* material = MaterialOf(__func__, mat);
    if (material == nullptr) {
        return;
    }
    int32_t last = 0;
    int32_t* attribute = IntAttribute(*material, type_id, &last);
    if (attribute == nullptr) {
        ReportBreach(__func__, "unknown int attribute 0x%X", static_cast<unsigned>(type_id));
    } else if (InRange(__func__, type_id == kMaterialShader ? "shader" : "vertex colour mode",
                       value, 0, last)) {
        *attribute = value;
    }
}

void MQAPI MQMat_GetName(HostMaterial mat, char* buffer, int32_t size) {
    GetText(__func__, mat, &HostSimMaterial::name, buffer, size);
}

void MQAPI MQMat_SetName(HostMaterial mat, const char* name) {
    SetText(__func__, mat, &HostSimMaterial::name, name);
}

void MQAPI MQMat_GetColor(HostMaterial mat, ColorRGB* color) {
    HostSimMaterial* material = MaterialOf(__func__, mat);
    if (color != nullptr) {
        *color = material != nullptr ? material->color : ColorRGB{0.0f, 0.0f, 0.0f};
    }
}

void MQAPI MQMat_SetColor(HostMaterial mat, ColorRGB* color) {
    HostSimMaterial* material = MaterialOf(__func__, mat);
    if (material != nullptr && color != nullptr) {
        material->color = *color;
    }
}

float MQAPI MQMat_GetAlpha(HostMaterial mat) {
    return ValueOf(__func__, mat, &HostSimMaterial::alpha);
}

float MQAPI MQMat_GetDiffuse(HostMaterial mat) {
    return ValueOf(__func__, mat, &HostSimMaterial::diffuse);
}

float MQAPI MQMat_GetAmbient(HostMaterial mat) {
    return ValueOf(__func__, mat, &HostSimMaterial::ambient);
}

float MQAPI MQMat_GetEmission(HostMaterial mat) {
    return ValueOf(__func__, mat, &HostSimMaterial::emission);
}

float MQAPI MQMat_GetSpecular(HostMaterial mat) {
    return ValueOf(__func__, mat, &HostSimMaterial::specular);
}

float MQAPI MQMat_GetPower(HostMaterial mat) {
    return ValueOf(__func__, mat, &HostSimMaterial::power);
}

void MQAPI MQMat_SetAlpha(HostMaterial mat, float value) {
    SetValue(__func__, mat, &HostSimMaterial::alpha, value);
}

void MQAPI MQMat_SetDiffuse(HostMaterial mat, float value) {
    SetValue(__func__, mat, &HostSimMaterial::diffuse, value);
}

void MQAPI MQMat_SetAmbient(HostMaterial mat, float value) {
    SetValue(__func__, mat, &HostSimMaterial::ambient, value);
}

void MQAPI MQMat_SetEmission(HostMaterial mat, float value) {
    SetValue(__func__, mat, &HostSimMaterial::emission, value);
}

void MQAPI MQMat_SetSpecular(HostMaterial mat, float value) {
    SetValue(__func__, mat, &HostSimMaterial::specular, value);
}

void MQAPI MQMat_SetPower(HostMaterial mat, float value) {
    SetValue(__func__, mat, &HostSimMaterial::power, value);
}

void MQAPI MQMat_GetTextureName(HostMaterial mat, char* buffer, int32_t size) {
    GetText(__func__, mat, &HostSimMaterial::textureName, buffer, size);
}

void MQAPI MQMat_GetAlphaName(HostMaterial mat, char* buffer, int32_t size) {
    GetText(__func__, mat, &HostSimMaterial::alphaName, buffer, size);
}

void MQAPI MQMat_GetBumpName(HostMaterial mat, char* buffer, int32_t size) {
    GetText(__func__, mat, &HostSimMaterial::bumpName, buffer, size);
}

void MQAPI MQMat_SetTextureName(HostMaterial mat, const char* name) {
    SetText(__func__, mat, &HostSimMaterial::textureName, name);
}

void MQAPI MQMat_SetAlphaName(HostMaterial mat, const char* name) {
    SetText(__func__, mat, &HostSimMaterial::alphaName, name);
}

void MQAPI MQMat_SetBumpName(HostMaterial mat, const char* name) {
    SetText(__func__, mat, &HostSimMaterial::bumpName, name);
}
