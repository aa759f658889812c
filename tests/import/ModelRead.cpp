#include "format/FileStream.h"
#include "tests/import/ModelRead.h"

#include <gtest/gtest.h>

#include "format/GeometryLayout.h"

namespace {

bool ReadFrames(SectionCursor& c, ReadModel* model) {
    int32_t count = 0;
    if (!FindChildSection(c, kSectionFrameList) || !FindChildSection(c, kSectionStruct) ||
        !ReadI32(c, &count))
        return false;
    model->frames.resize(static_cast<size_t>(count));
    for (ReadFrame& f : model->frames)
        if (!ReadFrameRecord(c, &f.record))
            return false;
    LeaveSection(c);
    for (ReadFrame& f : model->frames) {
        if (!FindChildSection(c, kSectionExtension))
            return false;
        if (FindChildSection(c, kSectionHAnimPlg)) {
            f.hasHAnim = ReadHAnimHeader(c, &f.hanim);
            if (f.hanim.nodeCount > 0 && SkipBytes(c, kHAnimHierarchyHeaderSize)) {
                f.nodes.resize(static_cast<size_t>(f.hanim.nodeCount));
                for (HAnimNodeRecord& n : f.nodes)
                    ReadHAnimNodeRecord(c, &n);
            }
            LeaveSection(c);
        }
        RewindSection(c);
        if (FindChildSection(c, kSectionFrame)) {
            char name[256];
            ReadSectionText(c, name, sizeof name);
            f.name = name;
            LeaveSection(c);
        }
        LeaveSection(c);
    }
    LeaveSection(c);
    return !IsMalformed(c);
}

bool ReadGeometry(SectionCursor& c, ReadModel* model) {
    GeometryHeader h;
    if (!FindChildSection(c, kSectionGeometryList) || !FindChildSection(c, kSectionGeometry) ||
        !FindChildSection(c, kSectionStruct) || !ReadGeometryHeader(c, &h))
        return false;
    uint32_t v = static_cast<uint32_t>(h.vertexCount);
    uint32_t sets = (h.formatFlags & kGeometryTextured2)
                        ? h.texCoordSetCount
                        : ((h.formatFlags & kGeometryTextured) ? 1 : 0);
    if (h.formatFlags & kGeometryPrelit)
        SkipBytes(c, 4 * v);
    SkipBytes(c, 8 * v * sets);
    model->used.assign(v, false);
    for (int32_t t = 0; t < h.triangleCount; ++t) {
        uint8_t bytes[kTriangleRecordSize];
        ReadBytes(c, bytes, sizeof bytes);
        TriangleRecord r = LoadTriangleRecord(bytes);
        for (uint16_t corner : {r.cornerA, r.cornerB, r.cornerC})
            if (corner < v)
                model->used[corner] = true;
    }
    SkipBytes(c, kMorphTargetHeaderSize);
    model->positions.resize(v);
    for (Point3& p : model->positions)
        if (!ReadF32(c, &p.x) || !ReadF32(c, &p.y) || !ReadF32(c, &p.z))
            return false;
    LeaveSection(c);
    return FindChildSection(c, kSectionExtension) && FindChildSection(c, kSectionSkinPlg) &&
           ReadSkinPlg(c, v, &model->skin) == SkinReadResult::kOk;
}

} // namespace

bool ReadModelFile(const std::string& path, ReadModel* model) {
    FileStream file;
    SectionCursor c;
    bool ok = file.OpenForRead(path.c_str()) && OpenSectionCursor(c, file) &&
              FindChildSection(c, kSectionClump) && ReadFrames(c, model) && ReadGeometry(c, model);
    EXPECT_TRUE(ok) << path;
    return ok;
}

std::vector<Matrix4> FrameGlobals(const ReadModel& model) {
    size_t n = model.frames.size();
    std::vector<Matrix4> globals(n);
    for (size_t i = 0; i < n; ++i) {
        IdentityMatrix4(&globals[i]);
        for (int32_t k = static_cast<int32_t>(i); k >= 0 && static_cast<size_t>(k) < n;
             k = model.frames[static_cast<size_t>(k)].record.parentIndex) {
            const FrameRecord& p = model.frames[static_cast<size_t>(k)].record;
            Matrix4 local = {{p.rotation[0], p.rotation[1], p.rotation[2], 0, p.rotation[3],
                              p.rotation[4], p.rotation[5], 0, p.rotation[6], p.rotation[7],
                              p.rotation[8], 0, p.position[0], p.position[1], p.position[2], 1}};
            MultiplyMatrix4(&globals[i], &globals[i], &local);
        }
    }
    return globals;
}

std::vector<size_t> NodeFrames(const ReadModel& model) {
    std::vector<size_t> nodeFrame;
    for (const ReadFrame& f : model.frames)
        for (const HAnimNodeRecord& node : f.nodes)
            for (size_t i = 0; i < model.frames.size(); ++i)
                if (model.frames[i].hasHAnim && model.frames[i].hanim.nodeId == node.nodeId) {
                    nodeFrame.push_back(i);
                    break;
                }
    return nodeFrame;
}

std::vector<Point3> ShownPositions(const ReadModel& model) {
    std::vector<Matrix4> globals = FrameGlobals(model);
    std::vector<size_t> nodeFrame = NodeFrames(model);
    const SkinRecord& s = model.skin;
    std::vector<Point3> shown(model.positions.size());
    for (size_t k = 0; k < shown.size(); ++k) {
        double sum[3] = {0, 0, 0};
        for (int slot = 0; slot < 4; ++slot) {
            float w = s.weights[4 * k + static_cast<size_t>(slot)];
            uint8_t b = s.boneIndices[4 * k + static_cast<size_t>(slot)];
            if (w == 0.0f || b >= nodeFrame.size())
                continue;
            const float* ibm = &s.inverseMatrices[16 * static_cast<size_t>(b)];
            Matrix4 m = {{ibm[0], ibm[1], ibm[2], 0, ibm[4], ibm[5], ibm[6], 0, ibm[8], ibm[9],
                          ibm[10], 0, ibm[12], ibm[13], ibm[14], 1}};
            MultiplyMatrix4(&m, &m, &globals[nodeFrame[b]]);
            const Point3& v = model.positions[k];
            for (int col = 0; col < 3; ++col)
                sum[col] +=
                    w * (v.x * m.m[col] + v.y * m.m[4 + col] + v.z * m.m[8 + col] + m.m[12 + col]);
        }
        shown[k] = Point3{static_cast<float>(sum[0]), static_cast<float>(sum[1]),
                          static_cast<float>(sum[2])};
    }
    return shown;
}
