// Builds a host document from a scene through the host's own functions, and
// hands the scene's Keynote data to the Keynote stand-in.
#include "scene/SceneBuild.h"

#include <utility>

#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"
#include "hostsim/WholeFile.h"
#include "scene/SceneRead.h"

namespace {

HostMaterial BuildMaterial(const SceneMaterial& in) {
    HostMaterial mat = MQ_CreateMaterial();
    MQMat_SetName(mat, in.name.c_str());
    ColorRGB color = in.color;
    MQMat_SetColor(mat, &color);
    MQMat_SetAlpha(mat, in.alpha);
    MQMat_SetDiffuse(mat, in.diffuse);
    MQMat_SetAmbient(mat, in.ambient);
    MQMat_SetEmission(mat, in.emission);
    MQMat_SetSpecular(mat, in.specular);
    MQMat_SetPower(mat, in.power);
    MQMat_SetIntValue(mat, kMaterialShader, in.shader);
    MQMat_SetIntValue(mat, kMaterialVertexColor, in.vertexColor ? 1 : 0);
    MQMat_SetTextureName(mat, in.texture.c_str());
    MQMat_SetAlphaName(mat, in.alphaMap.c_str());
    MQMat_SetBumpName(mat, in.bumpMap.c_str());
    return mat;
}

HostObject BuildObject(const SceneObject& in) {
    HostObject obj = MQ_CreateObject();
    MQObj_SetName(obj, in.name.c_str());
    MQObj_SetShading(obj, in.shading);
    MQObj_SetSmoothAngle(obj, in.smoothAngle);
    MQObj_SetVisible(obj, in.visible ? 15 : 0);
    MQObj_SetIntValue(obj, kObjectDepth, in.depth);
    HostSimObject* record = FindObject(obj);
    if (record != nullptr) {
        record->vertices.reserve(in.vertices.size());
        record->vertexRefCounts.reserve(in.vertices.size());
        record->faces.reserve(in.faces.size());
    }
    for (Point3 v : in.vertices) {
        MQObj_AddVertex(obj, &v);
    }
    // The host's declarations take non-const arrays it only reads.
    for (const SceneFace& face : in.faces) {
        int32_t index =
            MQObj_AddFace(obj, face.pointCount, const_cast<int32_t*>(face.points.Data()));
        MQObj_SetFaceMaterial(obj, index, face.material);
        MQObj_SetFaceCoordinateArray(obj, index, const_cast<TexCoord*>(face.uv.Data()));
    }
    return obj;
}

KeynoteObjectData KeynoteData(const SceneObject& in, HostObject obj) {
    KeynoteObjectData data;
    data.object = obj;
    data.skin = in.skin;
    data.normals.reserve(in.faces.size());
    for (const SceneFace& face : in.faces) {
        data.normals.push_back(face.normals);
    }
    return data;
}

// The folder part of path, or "." for a bare file name.
std::string FolderOf(const std::string& path) {
#if defined(_WIN32)
    size_t slash = path.find_last_of("/\\");
#else
    size_t slash = path.find_last_of('/');
#endif
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

} // namespace

HostDocument BuildSceneDocument(const Scene& scene, const char* folder) {
    HostDocument doc = HostSimCreateDocument(folder);
    KeynoteDocumentData keynote;
    keynote.present = scene.keynotePresent;
    keynote.versionAnswer = scene.versionAnswer;
    keynote.bones = scene.bones;
    for (const SceneMaterial& material : scene.materials) {
        MQDoc_AddMaterial(doc, BuildMaterial(material));
    }
    for (const SceneObject& object : scene.objects) {
        HostObject obj = BuildObject(object);
        MQDoc_AddObject(doc, obj);
        if (object.keynote) {
            keynote.objects.push_back(KeynoteData(object, obj));
        }
    }
    HostSimSetKeynoteData(doc, std::move(keynote));
    return doc;
}

bool HostSimLoadSceneText(std::string_view text, const char* folder, HostDocument* doc,
                          std::string* error) {
    *doc = 0;
    Scene scene;
    if (!ParseScene(text, &scene, error)) {
        return false;
    }
    *doc = BuildSceneDocument(scene, folder);
    return true;
}

bool HostSimLoadScene(const char* path, HostDocument* doc, std::string* error) {
    *doc = 0;
    WholeFileView file;
    if (!file.Open(path)) {
        if (error != nullptr) {
            *error = std::string("cannot read the scene file ") + (path != nullptr ? path : "");
        }
        return false;
    }
    std::string folder = FolderOf(path);
    if (!HostSimLoadSceneText(file.Bytes(), folder.c_str(), doc, error)) {
        if (error != nullptr) {
            *error = std::string(path) + ": " + *error;
        }
        return false;
    }
    return true;
}
