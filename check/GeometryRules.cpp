#include "check/GeometryRules.h"

#include <string.h>

#include "format/TextureDictionaryLayout.h"

namespace {

// Counts vertex indices past the geometry, remembering the first.
struct IndexTally {
    uint32_t vertexCount;
    uint32_t count = 0;
    uint32_t first = 0;
    void Note(uint32_t index) {
        if (index < vertexCount)
            return;
        if (count++ == 0)
            first = index;
    }
};

void CheckNameLength(Rule rule, const char* name, int32_t material, FindingList& out) {
    size_t length = strlen(name);
    if (length <= kMaxTextureNameLength)
        return;
    Finding& f = out.Add(rule);
    f.material = material;
    f.value = static_cast<int64_t>(length);
    f.limit = kMaxTextureNameLength;
    SetFindingText(f.name, name);
}

} // namespace

void CheckGeometry(const GeometryRecord& geometry, const BinMeshRecord* binMesh, bool skinned,
                   FindingList& out) {
    const int32_t vertexCount = geometry.header.vertexCount;
    if (vertexCount > kMaxGeometryVertices) {
        Finding& f = out.Add(Rule::kVertexLimit);
        f.value = vertexCount;
        f.limit = kMaxGeometryVertices;
    }
    IndexTally tally{vertexCount > 0 ? static_cast<uint32_t>(vertexCount) : 0};
    for (size_t t = 0; t < geometry.triangles.Count(); ++t) {
        const TriangleRecord& r = geometry.triangles[t];
        tally.Note(r.cornerA);
        tally.Note(r.cornerB);
        tally.Note(r.cornerC);
    }
    if (binMesh != nullptr)
        for (size_t m = 0; m < binMesh->meshes.Count(); ++m) {
            const BinMeshList& mesh = binMesh->meshes[m];
            for (size_t i = 0; i < mesh.indices.Count(); ++i)
                tally.Note(mesh.indices[i]);
        }
    if (tally.count > 0) {
        // Indices of the Bin Mesh PLG are 32-bit: the first is the value.
        Finding& f = out.Add(Rule::kVertexIndexRange);
        f.value = tally.first;
        f.count = tally.count;
        f.limit = vertexCount;
    }
    // The flag makes the game light the geometry by normals, which are
    // stored only when the morph target says so.
    const bool normals =
        (geometry.header.formatFlags & kGeometryNormals) && geometry.morphTarget.hasNormals != 0;
    if (skinned && !normals) {
        Finding& f = out.Add(Rule::kNoNormals);
        f.value = (geometry.header.formatFlags & kGeometryPrelit) ? 1 : 0;
    }
}

void CheckMaterials(const MaterialListRecord& materials, const TextureNames* dictionary,
                    FindingList& out) {
    for (size_t m = 0; m < materials.materials.Count(); ++m) {
        const MaterialRecord& r = materials.materials[m];
        if (!r.present || !r.hasTexture)
            continue;
        const int32_t index = static_cast<int32_t>(m);
        CheckNameLength(Rule::kTextureNameLength, r.textureName, index, out);
        CheckNameLength(Rule::kMaskNameLength, r.maskName, index, out);
        // A name too long for the game is reported above, and nothing matches it.
        if (dictionary != nullptr && r.textureName[0] != '\0' &&
            strlen(r.textureName) <= kMaxTextureNameLength &&
            !HoldsTextureName(*dictionary, r.textureName)) {
            Finding& f = out.Add(Rule::kTextureMissing);
            f.material = index;
            SetFindingText(f.name, r.textureName);
        }
    }
}

void CheckAtomic(const AtomicRecord& atomic, int32_t index, int32_t frameCount,
                 int32_t geometryCount, const bool* skinned, FindingList& out) {
    const AtomicStruct& a = atomic.atomic;
    const bool frameInside = a.frameIndex >= 0 && a.frameIndex < frameCount;
    const bool geometryInside = a.geometryIndex >= 0 && a.geometryIndex < geometryCount;
    if (!frameInside || !geometryInside) {
        // The index past its list stands in the place's field.
        Finding& f = out.Add(Rule::kAtomicIndexRange);
        f.atomic = index;
        if (frameInside) {
            f.geometry = a.geometryIndex;
            f.limit = geometryCount;
        } else {
            f.frame = a.frameIndex;
            f.limit = frameCount;
        }
        return;
    }
    if (!skinned[a.geometryIndex])
        return;
    const RightToRenderBody& r = atomic.rightToRender;
    if (atomic.hasRightToRender && r.pluginId == kRightToRenderPlugin &&
        r.extraData == kRightToRenderExtraData)
        return;
    Finding& f = out.Add(Rule::kRightToRender);
    f.atomic = index;
    f.frame = a.frameIndex;
    f.geometry = a.geometryIndex;
}
