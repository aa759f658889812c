// Reads a JSON scene into plain records, checking every value and reference;
// errors name the JSON path of the value at fault. Valid scenes take the
// single-pass reader (SceneFastParse.cpp); this one builds the JSON tree and
// runs only when that reader gives up.
#include <float.h>
#include <math.h>

#include <initializer_list>

#include <nlohmann/json.hpp>

#include "hostsim/SceneFastParse.h"
#include "hostsim/SceneFile.h"

namespace {

using Json = nlohmann::json;

std::string Indexed(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::string Member(const std::string& path, const char* key) {
    return path.empty() ? std::string(key) : path + "." + key;
}

class SceneReader {
  public:
    explicit SceneReader(std::string* error) : error_(error) {}

    bool Read(const Json& root, Scene* scene);

  private:
    bool Fail(const std::string& path, const std::string& message) {
        *error_ = (path.empty() ? std::string("scene") : path) + ": " + message;
        return false;
    }

    bool CheckObject(const Json& value, const std::string& path,
                     std::initializer_list<const char*> keys);
    bool CheckArray(const Json& value, const std::string& path);
    bool ReadInt(const Json& value, const std::string& path, int32_t* out);
    bool ReadFloat(const Json& value, const std::string& path, float* out);
    bool ReadBool(const Json& value, const std::string& path, bool* out);
    bool ReadText(const Json& value, const std::string& path, std::string* out);
    bool ReadFloats(const Json& value, const std::string& path, size_t count, float* out);
    bool ReadPoint(const Json& value, const std::string& path, Point3* out);

    // Optional members: the default stays when the key is absent.
    template <typename T, typename Reader>
    bool Optional(const Json& object, const std::string& path, const char* key, T* out,
                  Reader reader) {
        auto it = object.find(key);
        return it == object.end() || (this->*reader)(*it, Member(path, key), out);
    }
    bool Required(const Json& object, const std::string& path, const char* key,
                  const Json** value) {
        auto it = object.find(key);
        if (it == object.end()) {
            return Fail(path, std::string("missing \"") + key + "\"");
        }
        *value = &*it;
        return true;
    }

    bool ReadKeynote(const Json& value, const std::string& path, Scene* scene);
    bool ReadMaterial(const Json& value, const std::string& path, SceneMaterial* out);
    bool ReadObject(const Json& value, const std::string& path, size_t materialCount,
                    SceneObject* out);
    bool ReadVertices(const Json& value, const std::string& path, SceneObject* out);
    bool ReadFace(const Json& value, const std::string& path, size_t vertexCount,
                  size_t materialCount, SceneFace* out);
    bool ReadCorners(const Json& value, const std::string& path, int32_t pointCount, size_t width,
                     CornerArray<SceneCorner>* out);
    bool ReadSkin(const Json& value, const std::string& path, SceneObject* out);
    bool ReadSkinVertex(const Json& value, const std::string& path, KeynoteSkinVertex* out);
    bool ReadBone(const Json& value, const std::string& path, size_t boneCount, KeynoteBone* out);
    bool ReadBoneText(const Json& value, const std::string& path, std::string* out);

    std::string* error_;
};

bool SceneReader::CheckObject(const Json& value, const std::string& path,
                              std::initializer_list<const char*> keys) {
    if (!value.is_object()) {
        return Fail(path, "expected an object");
    }
    for (auto it = value.begin(); it != value.end(); ++it) {
        bool known = false;
        for (const char* key : keys) {
            known = known || it.key() == key;
        }
        if (!known) {
            return Fail(Member(path, it.key().c_str()), "unknown key");
        }
    }
    return true;
}

bool SceneReader::CheckArray(const Json& value, const std::string& path) {
    return value.is_array() || Fail(path, "expected an array");
}

bool SceneReader::ReadInt(const Json& value, const std::string& path, int32_t* out) {
    if (value.is_number_unsigned()) {
        uint64_t v = value.get<uint64_t>();
        if (v > INT32_MAX) {
            return Fail(path, "integer out of range");
        }
        *out = static_cast<int32_t>(v);
        return true;
    }
    if (value.is_number_integer()) {
        int64_t v = value.get<int64_t>();
        if (v < INT32_MIN || v > INT32_MAX) {
            return Fail(path, "integer out of range");
        }
        *out = static_cast<int32_t>(v);
        return true;
    }
    return Fail(path, "expected an integer");
}

bool SceneReader::ReadFloat(const Json& value, const std::string& path, float* out) {
    if (!value.is_number()) {
        return Fail(path, "expected a number");
    }
    double v = value.get<double>();
    if (!(fabs(v) <= FLT_MAX)) {
        return Fail(path, "number out of range for a 32-bit float");
    }
    *out = static_cast<float>(v);
    return true;
}

bool SceneReader::ReadBool(const Json& value, const std::string& path, bool* out) {
    if (!value.is_boolean()) {
        return Fail(path, "expected true or false");
    }
    *out = value.get<bool>();
    return true;
}

bool SceneReader::ReadText(const Json& value, const std::string& path, std::string* out) {
    if (!value.is_string()) {
        return Fail(path, "expected a string");
    }
    *out = value.get<std::string>();
    if (out->find('\0') != std::string::npos) {
        return Fail(path, "text holds a NUL character");
    }
    return true;
}

bool SceneReader::ReadFloats(const Json& value, const std::string& path, size_t count, float* out) {
    if (!value.is_array() || value.size() != count) {
        return Fail(path, "expected an array of " + std::to_string(count) + " numbers");
    }
    for (size_t i = 0; i < count; ++i) {
        if (!ReadFloat(value[i], Indexed(path, i), &out[i])) {
            return false;
        }
    }
    return true;
}

bool SceneReader::ReadPoint(const Json& value, const std::string& path, Point3* out) {
    float v[3];
    if (!ReadFloats(value, path, 3, v)) {
        return false;
    }
    *out = Point3{v[0], v[1], v[2]};
    return true;
}

bool SceneReader::ReadKeynote(const Json& value, const std::string& path, Scene* scene) {
    return CheckObject(value, path, {"present", "versionAnswer"}) &&
           Optional(value, path, "present", &scene->keynotePresent, &SceneReader::ReadBool) &&
           Optional(value, path, "versionAnswer", &scene->versionAnswer, &SceneReader::ReadInt);
}

bool SceneReader::ReadMaterial(const Json& value, const std::string& path, SceneMaterial* out) {
    const Json* name = nullptr;
    float color[3] = {out->color.r, out->color.g, out->color.b};
    if (!CheckObject(value, path,
                     {"name", "color", "alpha", "diffuse", "ambient", "emission", "specular",
                      "power", "shader", "vertexColor", "texture", "alphaMap", "bumpMap"}) ||
        !Required(value, path, "name", &name) ||
        !ReadText(*name, Member(path, "name"), &out->name)) {
        return false;
    }
    auto it = value.find("color");
    if (it != value.end() && !ReadFloats(*it, Member(path, "color"), 3, color)) {
        return false;
    }
    out->color = ColorRGB{color[0], color[1], color[2]};
    if (!Optional(value, path, "alpha", &out->alpha, &SceneReader::ReadFloat) ||
        !Optional(value, path, "diffuse", &out->diffuse, &SceneReader::ReadFloat) ||
        !Optional(value, path, "ambient", &out->ambient, &SceneReader::ReadFloat) ||
        !Optional(value, path, "emission", &out->emission, &SceneReader::ReadFloat) ||
        !Optional(value, path, "specular", &out->specular, &SceneReader::ReadFloat) ||
        !Optional(value, path, "power", &out->power, &SceneReader::ReadFloat) ||
        !Optional(value, path, "shader", &out->shader, &SceneReader::ReadInt) ||
        !Optional(value, path, "vertexColor", &out->vertexColor, &SceneReader::ReadBool) ||
        !Optional(value, path, "texture", &out->texture, &SceneReader::ReadText) ||
        !Optional(value, path, "alphaMap", &out->alphaMap, &SceneReader::ReadText) ||
        !Optional(value, path, "bumpMap", &out->bumpMap, &SceneReader::ReadText)) {
        return false;
    }
    if (out->shader < 0 || out->shader > 4) {
        return Fail(Member(path, "shader"), "shader must be 0 to 4");
    }
    return true;
}

bool SceneReader::ReadVertices(const Json& value, const std::string& path, SceneObject* out) {
    if (!CheckArray(value, path)) {
        return false;
    }
    out->vertices.resize(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (!ReadPoint(value[i], Indexed(path, i), &out->vertices[i])) {
            return false;
        }
    }
    return true;
}

// One entry of width (2 or 3) numbers per corner.
bool SceneReader::ReadCorners(const Json& value, const std::string& path, int32_t pointCount,
                              size_t width, CornerArray<SceneCorner>* out) {
    if (!value.is_array() || value.size() != static_cast<size_t>(pointCount)) {
        return Fail(path, "expected one entry per point (" + std::to_string(pointCount) + ")");
    }
    out->Reserve(pointCount, SceneCorner{});
    for (size_t i = 0; i < value.size(); ++i) {
        if (!ReadFloats(value[i], Indexed(path, i), width, (*out)[static_cast<int32_t>(i)].value)) {
            return false;
        }
    }
    return true;
}

bool SceneReader::ReadFace(const Json& value, const std::string& path, size_t vertexCount,
                           size_t materialCount, SceneFace* out) {
    const Json* points = nullptr;
    if (!CheckObject(value, path, {"points", "material", "uv", "normals"}) ||
        !Required(value, path, "points", &points)) {
        return false;
    }
    std::string pointsPath = Member(path, "points");
    if (!points->is_array() || points->empty() ||
        points->size() > static_cast<size_t>(kMaxScenePoints)) {
        return Fail(pointsPath, "a face has 1 to " + std::to_string(kMaxScenePoints) + " points");
    }
    out->Resize(static_cast<int32_t>(points->size()));
    for (size_t i = 0; i < points->size(); ++i) {
        int32_t& index = out->points[i];
        if (!ReadInt((*points)[i], Indexed(pointsPath, i), &index)) {
            return false;
        }
        if (index < 0 || static_cast<size_t>(index) >= vertexCount) {
            return Fail(Indexed(pointsPath, i), "vertex " + std::to_string(index) +
                                                    " out of range (" +
                                                    std::to_string(vertexCount) + " vertices)");
        }
    }
    if (!Optional(value, path, "material", &out->material, &SceneReader::ReadInt)) {
        return false;
    }
    if (out->material < -1 ||
        (out->material >= 0 && static_cast<size_t>(out->material) >= materialCount)) {
        return Fail(Member(path, "material"),
                    "material " + std::to_string(out->material) + " out of range (" +
                        std::to_string(materialCount) + " materials; -1 for none)");
    }
    CornerArray<SceneCorner> corners;
    auto uv = value.find("uv");
    if (uv != value.end()) {
        if (!ReadCorners(*uv, Member(path, "uv"), out->pointCount, 2, &corners)) {
            return false;
        }
        for (int32_t i = 0; i < out->pointCount; ++i) {
            out->uv[i] = TexCoord{corners[i].value[0], corners[i].value[1]};
        }
    }
    auto normals = value.find("normals");
    if (normals != value.end()) {
        if (!ReadCorners(*normals, Member(path, "normals"), out->pointCount, 3, &corners)) {
            return false;
        }
        out->normals.given = true;
        out->normals.corner.Reserve(out->pointCount, Point3{0.0f, 0.0f, 0.0f});
        for (int32_t i = 0; i < out->pointCount; ++i) {
            const float* n = corners[i].value;
            out->normals.corner[i] = Point3{n[0], n[1], n[2]};
        }
    }
    return true;
}

bool SceneReader::ReadSkinVertex(const Json& value, const std::string& path,
                                 KeynoteSkinVertex* out) {
    if (!CheckObject(value, path, {"bones", "weights"})) {
        return false;
    }
    auto bones = value.find("bones");
    if (bones != value.end()) {
        std::string bonesPath = Member(path, "bones");
        if (!bones->is_array() || bones->size() > 4) {
            return Fail(bonesPath, "expected an array of at most 4 bone numbers");
        }
        for (size_t i = 0; i < bones->size(); ++i) {
            if (!ReadInt((*bones)[i], Indexed(bonesPath, i), &out->bone[i])) {
                return false;
            }
        }
    }
    auto weights = value.find("weights");
    if (weights != value.end()) {
        std::string weightsPath = Member(path, "weights");
        if (!weights->is_array() || weights->size() > 4) {
            return Fail(weightsPath, "expected an array of at most 4 weights");
        }
        for (size_t i = 0; i < weights->size(); ++i) {
            if (!ReadFloat((*weights)[i], Indexed(weightsPath, i), &out->weight[i])) {
                return false;
            }
        }
    }
    return true;
}

bool SceneReader::ReadSkin(const Json& value, const std::string& path, SceneObject* out) {
    if (!CheckArray(value, path)) {
        return false;
    }
    if (value.size() != out->vertices.size()) {
        return Fail(path, "expected one entry per vertex (" + std::to_string(out->vertices.size()) +
                              "), found " + std::to_string(value.size()));
    }
    out->skin.resize(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (!ReadSkinVertex(value[i], Indexed(path, i), &out->skin[i])) {
            return false;
        }
    }
    return true;
}

bool SceneReader::ReadObject(const Json& value, const std::string& path, size_t materialCount,
                             SceneObject* out) {
    const Json* name = nullptr;
    if (!CheckObject(value, path,
                     {"name", "shading", "smoothAngle", "visible", "depth", "keynote", "vertices",
                      "faces", "skin"}) ||
        !Required(value, path, "name", &name) ||
        !ReadText(*name, Member(path, "name"), &out->name) ||
        !Optional(value, path, "shading", &out->shading, &SceneReader::ReadInt) ||
        !Optional(value, path, "smoothAngle", &out->smoothAngle, &SceneReader::ReadFloat) ||
        !Optional(value, path, "visible", &out->visible, &SceneReader::ReadBool) ||
        !Optional(value, path, "depth", &out->depth, &SceneReader::ReadInt) ||
        !Optional(value, path, "keynote", &out->keynote, &SceneReader::ReadBool)) {
        return false;
    }
    if (out->shading != 0 && out->shading != 1) {
        return Fail(Member(path, "shading"), "shading must be 0 (flat) or 1 (smooth)");
    }
    if (out->depth < 0) {
        return Fail(Member(path, "depth"), "depth must not be negative");
    }
    auto vertices = value.find("vertices");
    if (vertices != value.end() && !ReadVertices(*vertices, Member(path, "vertices"), out)) {
        return false;
    }
    auto faces = value.find("faces");
    if (faces != value.end()) {
        std::string facesPath = Member(path, "faces");
        if (!CheckArray(*faces, facesPath)) {
            return false;
        }
        out->faces.resize(faces->size());
        for (size_t i = 0; i < faces->size(); ++i) {
            if (!ReadFace((*faces)[i], Indexed(facesPath, i), out->vertices.size(), materialCount,
                          &out->faces[i])) {
                return false;
            }
        }
    }
    auto skin = value.find("skin");
    return skin == value.end() || ReadSkin(*skin, Member(path, "skin"), out);
}

// Bone texts fill fixed 256-byte fields with their terminator.
bool SceneReader::ReadBoneText(const Json& value, const std::string& path, std::string* out) {
    if (!ReadText(value, path, out)) {
        return false;
    }
    return out->size() < 256 || Fail(path, "text longer than 255 bytes");
}

bool SceneReader::ReadBone(const Json& value, const std::string& path, size_t boneCount,
                           KeynoteBone* out) {
    const Json* name = nullptr;
    const Json* tag = nullptr;
    if (!CheckObject(value, path, {"name", "tag", "parent", "position", "matrix"}) ||
        !Required(value, path, "name", &name) ||
        !ReadBoneText(*name, Member(path, "name"), &out->name) ||
        !Required(value, path, "tag", &tag) ||
        !ReadBoneText(*tag, Member(path, "tag"), &out->tag) ||
        !Optional(value, path, "position", &out->position, &SceneReader::ReadPoint)) {
        return false;
    }
    auto matrix = value.find("matrix");
    if (matrix != value.end() && !ReadFloats(*matrix, Member(path, "matrix"), 16, out->bind.m)) {
        return false;
    }
    auto parent = value.find("parent");
    if (parent == value.end() || parent->is_null()) {
        out->parent = -1;
        return true;
    }
    std::string parentPath = Member(path, "parent");
    if (!ReadInt(*parent, parentPath, &out->parent)) {
        return false;
    }
    if (out->parent < 0 || static_cast<size_t>(out->parent) >= boneCount) {
        return Fail(parentPath, "bone " + std::to_string(out->parent) + " out of range (" +
                                    std::to_string(boneCount) + " bones; null for none)");
    }
    return true;
}

bool SceneReader::Read(const Json& root, Scene* scene) {
    if (!CheckObject(root, "", {"keynote", "materials", "objects", "bones"})) {
        return false;
    }
    auto keynote = root.find("keynote");
    if (keynote != root.end() && !ReadKeynote(*keynote, "keynote", scene)) {
        return false;
    }
    auto materials = root.find("materials");
    if (materials != root.end()) {
        if (!CheckArray(*materials, "materials")) {
            return false;
        }
        scene->materials.resize(materials->size());
        for (size_t i = 0; i < materials->size(); ++i) {
            if (!ReadMaterial((*materials)[i], Indexed("materials", i), &scene->materials[i])) {
                return false;
            }
        }
    }
    auto objects = root.find("objects");
    if (objects != root.end()) {
        if (!CheckArray(*objects, "objects")) {
            return false;
        }
        scene->objects.resize(objects->size());
        for (size_t i = 0; i < objects->size(); ++i) {
            if (!ReadObject((*objects)[i], Indexed("objects", i), scene->materials.size(),
                            &scene->objects[i])) {
                return false;
            }
        }
    }
    auto bones = root.find("bones");
    if (bones != root.end()) {
        if (!CheckArray(*bones, "bones")) {
            return false;
        }
        scene->bones.resize(bones->size());
        for (size_t i = 0; i < bones->size(); ++i) {
            if (!ReadBone((*bones)[i], Indexed("bones", i), bones->size(), &scene->bones[i])) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool ParseSceneChecked(std::string_view text, Scene* scene, std::string* error) {
    std::string ignored;
    if (error == nullptr) {
        error = &ignored;
    }
    *scene = Scene();
    try {
        Json root = Json::parse(text);
        SceneReader reader(error);
        if (!reader.Read(root, scene)) {
            *scene = Scene();
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        // Malformed JSON, or memory exhausted by a huge scene.
        *error = std::string("not a valid JSON scene: ") + e.what();
        *scene = Scene();
        return false;
    }
}

// A valid scene is read in one pass; anything else is read again by the
// checking reader to say what is wrong and where.
bool ParseScene(std::string_view text, Scene* scene, std::string* error) {
    try {
        if (ParseSceneFast(text, scene)) {
            return true;
        }
    } catch (const std::exception&) {
        // Memory exhausted: the checking reader reports it.
    }
    return ParseSceneChecked(text, scene, error);
}
