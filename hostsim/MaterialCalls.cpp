// Host functions of materials: lifetime, surface values, map names and
// attribute values.
#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"

namespace {

float ValueOf(HostMaterial mat, float HostSimMaterial::*field) {
    HostSimMaterial* material = FindMaterial(mat);
    return material != nullptr ? material->*field : 0.0f;
}

void SetValue(HostMaterial mat, float HostSimMaterial::*field, float value) {
    HostSimMaterial* material = FindMaterial(mat);
    if (material != nullptr) {
        material->*field = value;
    }
}

void GetText(HostMaterial mat, std::string HostSimMaterial::*field, char* buffer, int32_t size) {
    HostSimMaterial* material = FindMaterial(mat);
    CopyBoundedText(material != nullptr ? material->*field : std::string(), buffer, size);
}

void SetText(HostMaterial mat, std::string HostSimMaterial::*field, const char* text) {
    HostSimMaterial* material = FindMaterial(mat);
    if (material != nullptr) {
        material->*field = TextOrEmpty(text);
    }
}

// The int attribute named by id: 0x101 the shader, 0x102 the vertex-colour mode.
int32_t* IntAttribute(HostSimMaterial& material, int32_t id) {
    switch (id) {
    case kMaterialShader:
        return &material.shader;
    case kMaterialVertexColor:
        return &material.vertexColor;
    default:
        return nullptr;
    }
}

} // namespace

// Only materials that no document owns can be deleted.
void MQAPI MQMat_Delete(HostMaterial mat) {
    HostSimMaterial* material = FindMaterial(mat);
    if (material != nullptr && material->owner == 0) {
        GetHostState().materials.Remove(mat);
    }
}

HostBool MQAPI MQMat_GetIntValue(HostMaterial mat, int32_t id, int32_t* values) {
    HostSimMaterial* material = FindMaterial(mat);
    if (material == nullptr || values == nullptr) {
        return 0;
    }
    int32_t* attribute = IntAttribute(*material, id);
    if (attribute == nullptr) {
        return 0;
    }
    values[0] = *attribute;
    return 1;
}

HostBool MQAPI MQMat_SetIntValue(HostMaterial mat, int32_t id, const int32_t* values) {
    HostSimMaterial* material = FindMaterial(mat);
    if (material == nullptr || values == nullptr) {
        return 0;
    }
    int32_t* attribute = IntAttribute(*material, id);
    if (attribute == nullptr) {
        return 0;
    }
    *attribute = values[0];
    return 1;
}

void MQAPI MQMat_GetName(HostMaterial mat, char* buffer, int32_t size) {
    GetText(mat, &HostSimMaterial::name, buffer, size);
}

void MQAPI MQMat_SetName(HostMaterial mat, const char* name) {
    SetText(mat, &HostSimMaterial::name, name);
}

void MQAPI MQMat_GetColor(HostMaterial mat, ColorRGB* out) {
    if (out == nullptr) {
        return;
    }
    HostSimMaterial* material = FindMaterial(mat);
    *out = material != nullptr ? material->color : ColorRGB{0.0f, 0.0f, 0.0f};
}

void MQAPI MQMat_SetColor(HostMaterial mat, const ColorRGB* color) {
    HostSimMaterial* material = FindMaterial(mat);
    if (material != nullptr && color != nullptr) {
        material->color = *color;
    }
}

float MQAPI MQMat_GetAlpha(HostMaterial mat) {
    return ValueOf(mat, &HostSimMaterial::alpha);
}

float MQAPI MQMat_GetDiffuse(HostMaterial mat) {
    return ValueOf(mat, &HostSimMaterial::diffuse);
}

float MQAPI MQMat_GetAmbient(HostMaterial mat) {
    return ValueOf(mat, &HostSimMaterial::ambient);
}

float MQAPI MQMat_GetEmission(HostMaterial mat) {
    return ValueOf(mat, &HostSimMaterial::emission);
}

float MQAPI MQMat_GetSpecular(HostMaterial mat) {
    return ValueOf(mat, &HostSimMaterial::specular);
}

float MQAPI MQMat_GetPower(HostMaterial mat) {
    return ValueOf(mat, &HostSimMaterial::power);
}

void MQAPI MQMat_SetAlpha(HostMaterial mat, float value) {
    SetValue(mat, &HostSimMaterial::alpha, value);
}

void MQAPI MQMat_SetDiffuse(HostMaterial mat, float value) {
    SetValue(mat, &HostSimMaterial::diffuse, value);
}

void MQAPI MQMat_SetAmbient(HostMaterial mat, float value) {
    SetValue(mat, &HostSimMaterial::ambient, value);
}

void MQAPI MQMat_SetEmission(HostMaterial mat, float value) {
    SetValue(mat, &HostSimMaterial::emission, value);
}

void MQAPI MQMat_SetSpecular(HostMaterial mat, float value) {
    SetValue(mat, &HostSimMaterial::specular, value);
}

void MQAPI MQMat_SetPower(HostMaterial mat, float value) {
    SetValue(mat, &HostSimMaterial::power, value);
}

void MQAPI MQMat_GetTextureName(HostMaterial mat, char* buffer, int32_t size) {
    GetText(mat, &HostSimMaterial::textureName, buffer, size);
}

void MQAPI MQMat_GetAlphaName(HostMaterial mat, char* buffer, int32_t size) {
    GetText(mat, &HostSimMaterial::alphaName, buffer, size);
}

void MQAPI MQMat_GetBumpName(HostMaterial mat, char* buffer, int32_t size) {
    GetText(mat, &HostSimMaterial::bumpName, buffer, size);
}

void MQAPI MQMat_SetTextureName(HostMaterial mat, const char* name) {
    SetText(mat, &HostSimMaterial::textureName, name);
}

void MQAPI MQMat_SetAlphaName(HostMaterial mat, const char* name) {
    SetText(mat, &HostSimMaterial::alphaName, name);
}

void MQAPI MQMat_SetBumpName(HostMaterial mat, const char* name) {
    SetText(mat, &HostSimMaterial::bumpName, name);
}
