#include "format/FileStream.h"
#include "tools/skelvane/ImportScene.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "format/GeometryLayout.h"
#include "format/SkinLayout.h"
#include "hostsim/BoneObjectSkeleton.h"
#include "scene/SceneCapture.h"
#include "scene/SceneText.h"
#include "hostsim/WholeFile.h"

namespace {

// The skin of the first geometry of clump clumpIndex, one entry per vertex;
// empty when the file has none that reads soundly.
std::vector<KeynoteSkinVertex> FileSkin(const char* path, int clumpIndex) {
    std::vector<KeynoteSkinVertex> skin;
    FileStream file;
    SectionCursor c;
    if (!file.OpenForRead(path) || !OpenSectionCursor(c, file))
        return skin;
    for (int i = 0; i < clumpIndex; ++i) {
        if (!FindChildSection(c, kSectionClump))
            return skin;
        LeaveSection(c);
    }
    GeometryHeader header;
    if (!FindChildSection(c, kSectionClump) || !FindChildSection(c, kSectionGeometryList) ||
        !FindChildSection(c, kSectionGeometry) || !FindChildSection(c, kSectionStruct) ||
        !ReadGeometryHeader(c, &header) || header.vertexCount < 0)
        return skin;
    LeaveSection(c);
    SkinRecord record;
    uint32_t vertexCount = static_cast<uint32_t>(header.vertexCount);
    if (!FindChildSection(c, kSectionExtension) || !FindChildSection(c, kSectionSkinPlg) ||
        ReadSkinPlg(c, vertexCount, &record) != SkinReadResult::kOk)
        return skin;
    skin.resize(vertexCount);
    for (size_t k = 0; k < vertexCount; ++k)
        for (int s = 0; s < 4; ++s) {
            float w = record.weights[4 * k + static_cast<size_t>(s)];
            // Empty slots are bone 0 with weight 0, as Keynote gives them.
            if (isfinite(w) && w != 0.0f) {
                skin[k].bone[s] = record.boneIndices[4 * k + static_cast<size_t>(s)];
                skin[k].weight[s] = w;
            }
        }
    return skin;
}

} // namespace

bool WriteImportScene(HostDocument doc, const char* dffPath, int clumpIndex, const char* scenePath,
                      std::string* error) {
    Scene scene;
    const HostSimDocument* d = HostSimFindDocument(doc);
    if (d == nullptr || !CaptureScene(doc, &scene)) {
        *error = "no document to write";
        return false;
    }
    const HostSimObject* boneObject = FindBoneObject(*d);
    if (boneObject != nullptr)
        scene.bones = BonesFromBoneObject(*d, *boneObject);
    std::vector<SceneObject> meshes;
    for (SceneObject& o : scene.objects)
        if (strncmp(o.name.c_str(), "bone:", 5) != 0)
            meshes.push_back(std::move(o));
    scene.objects = std::move(meshes);
    std::vector<KeynoteSkinVertex> skin = FileSkin(dffPath, clumpIndex);
    for (SceneObject& o : scene.objects)
        if (strncmp(o.name.c_str(), "sdef:", 5) == 0 && o.vertices.size() == skin.size())
            o.skin = skin;
    if (!WriteWholeFile(scenePath, SceneText(scene))) {
        *error = std::string("cannot write ") + scenePath;
        return false;
    }
    return true;
}
