// The chosen clump read in the order the import has always read it: the
// geometry's Struct, Material List and Extension, then the Frame List and the
// atomic. Each failure keeps the result it was given where it was met, so the
// cursor's recorded damage decides between a damaged and a missing section.
#include "Plugins/Import/ClumpRead.h"

#include "format/AtomicLayout.h"

namespace {

constexpr int32_t kMaxImportVertices = 65535;

// Records where the reading stopped and why; false.
bool Stop(ClumpModel* m, ClumpStage stage, const ImportResult& result) {
    m->stage = stage;
    m->result = result;
    return false;
}

ImportResult OutOfMemory() {
    return ImportFailure(ImportProblem::kOutOfMemory);
}

// Enters the chosen clump down to its geometry's Struct.
bool EnterChosenGeometry(SectionCursor& c, int clumpIndex, ClumpModel* m) {
    SeekTopLevel(c, 0);
    for (int i = 0; i < clumpIndex; ++i) {
        if (!FindChildSection(c, kSectionClump))
            return Stop(m, ClumpStage::kEnter,
                        SectionFailure(c, MissingSectionResult(ImportSection::kClump)));
        LeaveSection(c);
    }
    struct Step {
        uint32_t type;
        ImportSection missing;
    };
    static const Step kSteps[] = {
        {kSectionClump, ImportSection::kClump},
        {kSectionGeometryList, ImportSection::kGeometryList},
        {kSectionGeometry, ImportSection::kGeometry},
        {kSectionStruct, ImportSection::kGeometryStruct},
    };
    for (const Step& step : kSteps) {
        if (!FindChildSection(c, step.type))
            return Stop(m, ClumpStage::kEnter,
                        SectionFailure(c, MissingSectionResult(step.missing)));
    }
    return true;
}

ImportResult GeometryFailure(const SectionCursor& c, GeometryReadResult result) {
    switch (result) {
    case GeometryReadResult::kOk:
    case GeometryReadResult::kMalformed:
        break;
    case GeometryReadResult::kTristrip:
        return UnsupportedResult(ImportUnsupported::kTristrip);
    case GeometryReadResult::kNoPositions:
        return UnsupportedResult(ImportUnsupported::kNoPositions);
    case GeometryReadResult::kNegativeCount:
        return CorruptResult(ImportCorrupt::kNegativeCounts);
    case GeometryReadResult::kTooManyVertices:
        return UnsupportedResult(ImportUnsupported::kTooManyVertices);
    case GeometryReadResult::kCountsPastSection:
        return CorruptResult(ImportCorrupt::kGeometryCountsPastStruct);
    case GeometryReadResult::kOutOfMemory:
        return OutOfMemory();
    }
    return SectionFailure(c, MissingSectionResult(ImportSection::kGeometryStruct));
}

// The entered Struct: header, arrays and positions; then leaves it (normals
// and later morph targets are not read).
bool ReadStruct(SectionCursor& c, ClumpModel* m) {
    GeometryRecord& g = m->geometry.record;
    GeometryReadResult r = ReadGeometryStructHeader(c, kMaxImportVertices, &g);
    if (r != GeometryReadResult::kOk)
        return Stop(m, ClumpStage::kGeometryHeader, GeometryFailure(c, r));
    r = ReadGeometryArrays(c, &g);
    if (r == GeometryReadResult::kOutOfMemory)
        return Stop(m, ClumpStage::kGeometryMemory, OutOfMemory());
    if (r != GeometryReadResult::kOk)
        return Stop(m, ClumpStage::kGeometryArrays, GeometryFailure(c, r));
    r = ReadGeometryPositions(c, &g);
    if (r != GeometryReadResult::kOk)
        return Stop(m, ClumpStage::kPositions, GeometryFailure(c, r));
    LeaveSection(c); // Struct
    return true;
}

// A damaged Material List or Extension of the geometry.
ImportResult GeometryPartFailure(const SectionCursor& c) {
    return SectionFailure(c, MissingSectionResult(ImportSection::kGeometry));
}

bool ReadMaterials(SectionCursor& c, ClumpModel* m) {
    if (!FindChildSection(c, kSectionMaterialList))
        return !IsMalformed(c) || Stop(m, ClumpStage::kMaterialList, GeometryPartFailure(c));
    switch (ReadMaterialList(c, &m->geometry.materials)) {
    case MaterialReadResult::kOk:
        break;
    case MaterialReadResult::kMalformed:
        return Stop(m, ClumpStage::kMaterialList, GeometryPartFailure(c));
    case MaterialReadResult::kCountPastSection:
        return Stop(m, ClumpStage::kMaterialList,
                    CorruptResult(ImportCorrupt::kMaterialCountPastStruct));
    case MaterialReadResult::kOutOfMemory:
        return Stop(m, ClumpStage::kMaterialList, OutOfMemory());
    }
    LeaveSection(c); // Material List
    return true;
}

ImportResult BinMeshFailure(const SectionCursor& c, BinMeshReadResult result) {
    switch (result) {
    case BinMeshReadResult::kOk:
    case BinMeshReadResult::kMalformed:
        break;
    case BinMeshReadResult::kTristrip:
        return UnsupportedResult(ImportUnsupported::kTristrip);
    case BinMeshReadResult::kMeshCountPastSection:
        return CorruptResult(ImportCorrupt::kMeshCountPastBinMesh);
    case BinMeshReadResult::kIndexCountNotTriangles:
        return CorruptResult(ImportCorrupt::kBinMeshIndicesNotTriangles);
    case BinMeshReadResult::kTrianglesPastGeometry:
        return CorruptResult(ImportCorrupt::kBinMeshTooManyTriangles);
    case BinMeshReadResult::kMaterialPastList:
        return CorruptResult(ImportCorrupt::kBinMeshMaterialBeyondList);
    case BinMeshReadResult::kOutOfMemory:
        return OutOfMemory();
    }
    return GeometryPartFailure(c);
}

// The Skin PLG of the entered geometry Extension. A skin that is missing or
// does not fit its section is only left unused: the import goes on without
// it, so the cursor is restored when the search or the read finds damage.
void ReadSkin(SectionCursor& c, ClumpGeometry& g) {
    SectionCursor before = c;
    RewindSection(c);
    if (FindChildSection(c, kSectionSkinPlg)) {
        uint32_t vertexCount = static_cast<uint32_t>(g.record.header.vertexCount);
        g.hasSkin = ReadSkinPlg(c, vertexCount, &g.skin) == SkinReadResult::kOk;
        LeaveSection(c);
    }
    if (IsMalformed(c)) {
        g.hasSkin = false;
        c = before;
    }
}

// The geometry's Extension: the Bin Mesh PLG (checked against the triangles
// and the Material List), then the skin.
bool ReadGeometryExtension(SectionCursor& c, ClumpModel* m) {
    ClumpGeometry& g = m->geometry;
    if (!FindChildSection(c, kSectionExtension))
        return !IsMalformed(c) || Stop(m, ClumpStage::kGeometryExtension, GeometryPartFailure(c));
    if (FindChildSection(c, kSectionBinMeshPlg)) {
        BinMeshReadResult r =
            ReadBinMeshPlg(c, static_cast<uint32_t>(g.record.header.triangleCount),
                           static_cast<uint32_t>(g.materials.count), &g.binMesh);
        if (r != BinMeshReadResult::kOk)
            return Stop(m, ClumpStage::kGeometryExtension, BinMeshFailure(c, r));
        LeaveSection(c); // Bin Mesh PLG
    } else if (IsMalformed(c)) {
        return Stop(m, ClumpStage::kGeometryExtension, GeometryPartFailure(c));
    }
    ReadSkin(c, g);
    LeaveSection(c); // Extension
    return true;
}

ImportResult FrameListFailure(const SectionCursor& c, FrameListResult result) {
    switch (result) {
    case FrameListResult::kOk:
        break;
    case FrameListResult::kMissingFrameList:
        return SectionFailure(c, MissingSectionResult(ImportSection::kFrameList));
    case FrameListResult::kMissingStruct:
    case FrameListResult::kShortStruct:
        return SectionFailure(c, MissingSectionResult(ImportSection::kFrameListStruct));
    case FrameListResult::kCountPastStruct:
        return CorruptResult(ImportCorrupt::kFrameCountPastStruct);
    case FrameListResult::kOutOfMemory:
        return OutOfMemory();
    case FrameListResult::kMissingExtension:
        return SectionFailure(c, MissingSectionResult(ImportSection::kFrameExtension));
    case FrameListResult::kMissingHAnim:
        return SectionFailure(c, MissingSectionResult(ImportSection::kHAnim));
    case FrameListResult::kHAnimCountPastSection:
        return CorruptResult(ImportCorrupt::kHAnimCountPastPlg);
    case FrameListResult::kMissingName:
        return SectionFailure(c, MissingSectionResult(ImportSection::kFrame));
    }
    return ImportResult();
}

// From the clump's start: the Frame List's Struct, the names for the pose
// reset, the bone frames' Extensions; then the atomic's frame.
bool ReadFrames(SectionCursor& c, bool poseNames, ClumpModel* m) {
    ClumpFrames& f = m->frames;
    FrameListRead read = ReadFrameListStruct(c, &f.list);
    switch (read.result) {
    case FrameListResult::kOk:
        break;
    case FrameListResult::kMissingFrameList:
    case FrameListResult::kMissingStruct:
    case FrameListResult::kCountPastStruct:
        return Stop(m, ClumpStage::kFrameList, FrameListFailure(c, read.result));
    case FrameListResult::kOutOfMemory:
        return Stop(m, ClumpStage::kFrameMemory, OutOfMemory());
    default:
        return Stop(m, ClumpStage::kFrameRecords, FrameListFailure(c, read.result));
    }
    if (poseNames) {
        f.poseNames.frameCount = f.list.frameCount;
        if (!f.poseNames.extensions.Allocate(static_cast<size_t>(f.list.frameCount)))
            return Stop(m, ClumpStage::kFrameNames, OutOfMemory());
        read = ReadFrameNames(c, &f.poseNames);
        if (read.result != FrameListResult::kOk)
            return Stop(m, ClumpStage::kFrameNames, FrameListFailure(c, read.result));
    }
    read = ReadBoneExtensions(c, &f.list);
    if (read.result != FrameListResult::kOk) {
        m->stopFrame = read.frame;
        return Stop(m, ClumpStage::kBones, FrameListFailure(c, read.result));
    }
    // The frame the clump's atomic of the first geometry hangs from.
    f.atomicFrame = FindAtomicFrame(c, f.list.frameCount);
    LeaveSection(c); // Clump
    return true;
}

} // namespace

void ReadChosenClump(SectionCursor& c, int clumpIndex, bool poseNames, ClumpModel* model) {
    model->stage = ClumpStage::kEnter;
    model->result = ImportResult();
    if (!EnterChosenGeometry(c, clumpIndex, model) || !ReadStruct(c, model) ||
        !ReadMaterials(c, model) || !ReadGeometryExtension(c, model))
        return;
    LeaveSection(c); // Geometry
    LeaveSection(c); // Geometry List
    RewindSection(c);
    if (ReadFrames(c, poseNames, model))
        model->stage = ClumpStage::kDone;
}
