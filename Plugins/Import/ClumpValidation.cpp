#include "Plugins/Import/ClumpValidation.h"

#include "Plugins/Import/FrameHierarchy.h"

namespace {

void Fail(ClumpModel* m, ClumpStage stage, const ImportResult& result) {
    m->stage = stage;
    m->result = result;
}

ImportResult OutOfMemory() {
    return ImportFailure(ImportProblem::kOutOfMemory);
}

// The material split: per-face materials and corners from the Bin Mesh PLG,
// the meshes' triangles in order from the first face on. The reader checked
// that they are no more than the triangles and name positions of the list.
void ResolveMaterialSplit(ClumpGeometry& g) {
    size_t t = 0;
    for (size_t k = 0; k < g.binMesh.meshes.Count(); ++k) {
        const BinMeshList& mesh = g.binMesh.meshes[k];
        uint16_t material = static_cast<uint16_t>(mesh.materialIndex & 0xFFFF);
        for (size_t i = 0; i + 2 < mesh.indices.Count(); i += 3) {
            TriangleRecord& r = g.record.triangles[t++];
            r.materialIndex = material;
            r.cornerB = static_cast<uint16_t>(mesh.indices[i]);
            r.cornerC = static_cast<uint16_t>(mesh.indices[i + 1]);
            r.cornerA = static_cast<uint16_t>(mesh.indices[i + 2]);
        }
    }
    g.splitTriangles = t;
    // Its memory is free again before the host takes on the faces.
    g.binMesh.meshes.Release();
}

// The frames' parents, checked. False with the failure recorded.
bool CheckParents(ClumpModel* m) {
    const FrameListRecord& list = m->frames.list;
    HeapArray<int32_t>& parents = m->frames.parents;
    size_t n = static_cast<size_t>(list.frameCount);
    if (!parents.Allocate(n) || !m->bones.tags.Allocate(n)) {
        Fail(m, ClumpStage::kFrameMemory, OutOfMemory());
        return false;
    }
    for (size_t i = 0; i < n; ++i)
        parents[i] = list.frames[i].parentIndex;
    if (m->stage <= ClumpStage::kFrameRecords)
        return false; // the frame records were not all read
    int32_t bad = 0;
    if (!CheckFrameParents(parents.Data(), list.frameCount, &bad)) {
        Fail(m, ClumpStage::kFrameParents,
             bad < 0 ? OutOfMemory() : CorruptResult(ImportCorrupt::kFrameParent, bad));
        return false;
    }
    return true;
}

// A HAnim PLG with nodes replaces the hierarchy the bones are looked up in
// (*hierarchy, whose nodes' frames are in b.nodeFrame).
bool TakeHierarchy(ClumpBones& b, const HAnimPlgRecord** hierarchy, const HAnimPlgRecord& hanim) {
    if (hanim.header.nodeCount == 0)
        return true;
    size_t n = static_cast<size_t>(hanim.header.nodeCount);
    if (!b.nodeFrame.Allocate(n))
        return false;
    for (size_t k = 0; k < n; ++k)
        b.nodeFrame[k] = -1;
    *hierarchy = &hanim;
    return true;
}

// Each bone frame before end finds its node id in the hierarchy in force.
// False with the failure recorded at the frame.
bool FindBoneNodes(ClumpModel* m, int32_t end, const HAnimPlgRecord** hierarchy) {
    const FrameListRecord& list = m->frames.list;
    ClumpBones& b = m->bones;
    for (int32_t i = 0; i < end; ++i) {
        const FrameExtensionRecord& e = list.extensions[static_cast<size_t>(i)];
        if (!e.hasHAnim)
            continue;
        if (!TakeHierarchy(b, hierarchy, e.hanim)) {
            m->stopFrame = i;
            Fail(m, ClumpStage::kBones, OutOfMemory());
            return false;
        }
        // The hierarchy lists one node per frame but the root; a bone met
        // before the hierarchy finds an empty table.
        int32_t nodeCount = static_cast<int32_t>(b.nodeFrame.Count());
        int32_t limit = list.frameCount - 1 < nodeCount ? list.frameCount - 1 : nodeCount;
        int32_t j = 0;
        while (j < limit &&
               (*hierarchy)->nodes[static_cast<size_t>(j)].nodeId != e.hanim.header.nodeId)
            ++j;
        if (j >= limit) {
            m->stopFrame = i;
            Fail(m, ClumpStage::kBones, BoneNotFoundResult(e.name));
            return false;
        }
        const HAnimNodeRecord& node = (*hierarchy)->nodes[static_cast<size_t>(j)];
        b.tags[static_cast<size_t>(i)] = HAnimTag{j, node.nodeId, node.nodeFlags};
        b.nodeFrame[static_cast<size_t>(j)] = i;
    }
    return true;
}

// Whether every weighted slot names a bone that has a matrix and a frame.
bool SkinFits(const ClumpGeometry& g, const ClumpBones& b) {
    const SkinRecord& r = g.skin;
    if (!g.hasSkin || 3 * static_cast<size_t>(r.vertexCount) != g.record.positions.Count())
        return false;
    for (size_t i = 0; i < 4 * static_cast<size_t>(r.vertexCount); ++i) {
        if (r.weights[i] == 0.0f)
            continue;
        uint8_t bone = r.boneIndices[i];
        if (bone >= r.boneCount || bone >= b.nodeFrame.Count() || b.nodeFrame[bone] < 0)
            return false;
    }
    return true;
}

} // namespace

void ValidateClump(ClumpModel* m) {
    if (m->stage > ClumpStage::kGeometryExtension)
        ResolveMaterialSplit(m->geometry);
    if (m->stage <= ClumpStage::kFrameMemory || !CheckParents(m))
        return;
    if (m->stage <= ClumpStage::kFrameNames)
        return; // the reader's failure in the names stands
    const FrameListRecord& list = m->frames.list;
    int32_t end = m->stage == ClumpStage::kDone ? list.frameCount : m->stopFrame;
    const HAnimPlgRecord* hierarchy = nullptr;
    if (!FindBoneNodes(m, end, &hierarchy))
        return;
    if (m->stage == ClumpStage::kBones) {
        // The frame whose reading failed had its HAnim PLG read first when
        // it was its name that was missing.
        const FrameExtensionRecord& e = list.extensions[static_cast<size_t>(end)];
        if (e.hasHAnim && !TakeHierarchy(m->bones, &hierarchy, e.hanim))
            m->result = OutOfMemory();
        return;
    }
    m->bones.skinFits = SkinFits(m->geometry, m->bones);
}

bool TriangleCornersOf(const ClumpGeometry& g, size_t k, uint16_t corners[3]) {
    const TriangleRecord& r = g.record.triangles[k];
    corners[0] = r.cornerA;
    corners[1] = r.cornerC;
    corners[2] = r.cornerB;
    uint32_t v = static_cast<uint32_t>(g.record.header.vertexCount);
    return corners[0] < v && corners[1] < v && corners[2] < v;
}

uint16_t TriangleMaterialOf(const ClumpGeometry& g, size_t k) {
    return k < g.splitTriangles ? g.record.triangles[k].materialIndex : kNoMaterial;
}
