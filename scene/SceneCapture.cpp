#include "scene/SceneCapture.h"

#include <utility>

#include "hostsim/HostState.h"

namespace {

SceneMaterial MaterialOf(const HostSimMaterial& m) {
    SceneMaterial out;
    out.name = m.name;
    out.color = m.color;
    out.alpha = m.alpha;
    out.diffuse = m.diffuse;
    out.ambient = m.ambient;
    out.emission = m.emission;
    out.specular = m.specular;
    out.power = m.power;
    out.shader = m.shader;
    out.vertexColor = m.vertexColor != 0;
    out.texture = m.textureName;
    out.alphaMap = m.alphaName;
    out.bumpMap = m.bumpName;
    return out;
}

SceneObject ObjectOf(const HostSimObject& o) {
    SceneObject out;
    out.name = o.name;
    out.shading = o.shading;
    out.smoothAngle = o.smoothAngle;
    out.visible = o.visible != 0;
    out.depth = o.depth;
    out.vertices = o.vertices;
    out.faces.reserve(o.faces.size());
    for (const HostSimFace& f : o.faces) {
        SceneFace face;
        face.Resize(f.pointCount);
        face.material = f.material;
        for (int i = 0; i < f.pointCount; ++i) {
            face.points[i] = f.points[i];
            face.uv[i] = f.uv[i];
        }
        out.faces.push_back(std::move(face));
    }
    return out;
}

} // namespace

bool CaptureScene(HostDocument doc, Scene* scene) {
    const HostSimDocument* d = HostSimFindDocument(doc);
    if (d == nullptr)
        return false;
    *scene = Scene();
    for (HostMaterial handle : d->materials) {
        const HostSimMaterial* m = HostSimFindMaterial(handle);
        if (m != nullptr)
            scene->materials.push_back(MaterialOf(*m));
    }
    for (HostObject handle : d->objects) {
        const HostSimObject* o = HostSimFindObject(handle);
        if (o != nullptr)
            scene->objects.push_back(ObjectOf(*o));
    }
    return true;
}
