#include "tests/import/PedModel.h"

#include <math.h>

namespace {

// 4x3 affine matrices in double precision, row vectors.
struct M43 {
    double m[4][3];
};

M43 Rotation(double z, double y, double x) {
    double cz = cos(z), sz = sin(z), cy = cos(y), sy = sin(y), cx = cos(x), sx = sin(x);
    // Rows of Rx x Ry x Rz for row vectors.
    M43 r = {{{cy * cz, cy * sz, -sy},
              {sx * sy * cz - cx * sz, sx * sy * sz + cx * cz, sx * cy},
              {cx * sy * cz + sx * sz, cx * sy * sz - sx * cz, cx * cy},
              {0, 0, 0}}};
    return r;
}

M43 Multiply(const M43& a, const M43& b) {
    M43 out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            double s = r == 3 ? b.m[3][c] : 0.0;
            for (int k = 0; k < 3; ++k)
                s += a.m[r][k] * b.m[k][c];
            out.m[r][c] = s;
        }
    return out;
}

// The inverse of a rotation with translation.
M43 InverseRigid(const M43& a) {
    M43 out;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out.m[r][c] = a.m[c][r];
    for (int c = 0; c < 3; ++c)
        out.m[3][c] =
            -(a.m[3][0] * out.m[0][c] + a.m[3][1] * out.m[1][c] + a.m[3][2] * out.m[2][c]);
    return out;
}

Point3 Apply(const M43& a, double x, double y, double z) {
    double v[3];
    for (int c = 0; c < 3; ++c)
        v[c] = x * a.m[0][c] + y * a.m[1][c] + z * a.m[2][c] + a.m[3][c];
    return Point3{static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

struct BoneSpec {
    const char* name;
    int parent; // frame index
    double position[3];
    double angles[3]; // radians about z, y, x
    int32_t nodeId;
    int32_t nodeFlags;
};

// The ped's turned axes: rows (0 0 1 / 1 0 0 / 0 1 0).
const M43 kPedAxes = {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}}};

const BoneSpec kBones[] = {
    {"Root", 0, {0, 0, 0}, {0, 0, 0}, 0, 0},
    {" Pelvis", 1, {0, 0.02, 0.98}, {0.02, -0.01, 0.03}, 1, 0},
    {" Spine", 2, {0.09, 0, 0}, {0.05, 0, 0}, 2, 0}, // along the pelvis' axis
    {" Spine1", 3, {0.12, 0.004, 0}, {0.1, 0.02, 0}, 3, 2},
    {" Neck", 4, {0.22, 0.01, 0}, {-0.2, 0, 0.01}, 4, 0},
    {" Head", 5, {0.08, 0, 0}, {0.1, 0, 0}, 5, 1},
    {" L Clavicle", 4, {0.18, 0.03, 0.05}, {0.3, 1.4, 0.2}, 31, 0},
    {" L UpperArm", 7, {0.15, 0, 0}, {-0.4, 0.2, 0.1}, 32, 1},
    {" R Clavicle", 4, {0.18, 0.03, -0.05}, {-0.3, -1.4, 0.2}, 21, 0},
    {" R UpperArm", 9, {0.15, 0, 0}, {0.4, -0.2, 0.1}, 22, 1},
    {" L Thigh", 2, {-0.01, 0, 0.09}, {3.0, 0.05, 0.1}, 41, 2},
    {" L Calf", 11, {0.43, 0, 0}, {0.1, 0, 0}, 42, 1},
    {" R Thigh", 2, {-0.01, 0, -0.09}, {3.0, -0.05, -0.1}, 51, 0},
    {" R Calf", 13, {0.43, 0, 0}, {0.1, 0, 0}, 52, 1},
};
constexpr int kBoneCount = sizeof kBones / sizeof kBones[0];

} // namespace

PedModel MakePedModel(int32_t atomicFrame) {
    PedModel ped;
    TestClump& clump = ped.clump;
    clump.atomicFrame = atomicFrame;
    TestFrame root;
    root.flags = 0x20003;
    root.writeHAnim = false;
    root.writeName = false;
    clump.frames.push_back(root);
    std::vector<M43> globals(1, Rotation(0, 0, 0));
    for (int b = 0; b < kBoneCount; ++b) {
        const BoneSpec& s = kBones[b];
        M43 local = Rotation(s.angles[0], s.angles[1], s.angles[2]);
        if (b < 2)
            local = Multiply(local, kPedAxes); // Root and Pelvis carry the ped's axes
        for (int c = 0; c < 3; ++c)
            local.m[3][c] = s.position[c];
        TestFrame f;
        f.name = s.name;
        f.parent = s.parent;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                f.rotation[3 * r + c] = static_cast<float>(local.m[r][c]);
        for (int c = 0; c < 3; ++c)
            f.position[c] = static_cast<float>(local.m[3][c]);
        f.flags = 3;
        f.nodeId = s.nodeId;
        clump.frames.push_back(f);
        // The file's own matrices, as floats, make the model space.
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                local.m[r][c] = f.rotation[3 * r + c];
        for (int c = 0; c < 3; ++c)
            local.m[3][c] = f.position[c];
        globals.push_back(Multiply(local, globals[static_cast<size_t>(s.parent)]));
        clump.frames[1].hierarchy.push_back(HAnimNodeRecord{s.nodeId, b, s.nodeFlags});
        ped.joints.push_back(Apply(globals.back(), 0, 0, 0));
    }
    const M43& atomic = globals[static_cast<size_t>(atomicFrame)];
    M43 toAtomic = InverseRigid(atomic);
    TestGeometry& g = clump.geometry;
    g.writeSkin = true;
    g.skin.boneCount = kBoneCount;
    g.materials.resize(1);
    // A small box around each joint, weighted to its bone; the first corner
    // also to the parent bone.
    for (int b = 0; b < kBoneCount; ++b) {
        uint16_t first = static_cast<uint16_t>(g.vertices.size());
        for (int corner = 0; corner < 8; ++corner) {
            const Point3& j = ped.joints[static_cast<size_t>(b)];
            Point3 p = {j.x + ((corner & 1) ? 0.03f : -0.03f),
                        j.y + ((corner & 2) ? 0.03f : -0.03f),
                        j.z + ((corner & 4) ? 0.03f : -0.03f)};
            ped.shown.push_back(p);
            ped.mainBone.push_back(b);
            g.vertices.push_back(Apply(toAtomic, p.x, p.y, p.z));
            g.texCoords.push_back(TexCoord{(corner & 1) * 0.5f, (corner & 2) * 0.25f});
            int parentBone = kBones[b].parent - 1;
            bool blend = corner == 0 && parentBone >= 0;
            g.skin.indices.insert(
                g.skin.indices.end(),
                {static_cast<uint8_t>(b), static_cast<uint8_t>(blend ? parentBone : 0), 0, 0});
            g.skin.weights.insert(g.skin.weights.end(),
                                  {blend ? 0.7f : 1.0f, blend ? 0.3f : 0.0f, 0, 0});
        }
        static const uint16_t kBoxFaces[12][3] = {{0, 1, 3}, {0, 3, 2}, {4, 6, 7}, {4, 7, 5},
                                                  {0, 4, 5}, {0, 5, 1}, {2, 3, 7}, {2, 7, 6},
                                                  {0, 2, 6}, {0, 6, 4}, {1, 5, 7}, {1, 7, 3}};
        for (const auto& f : kBoxFaces)
            g.triangles.push_back(TestTriangle{static_cast<uint16_t>(first + f[0]),
                                               static_cast<uint16_t>(first + f[1]),
                                               static_cast<uint16_t>(first + f[2]), 0});
    }
    // A vertex no triangle uses, as some game files carry.
    g.vertices.push_back(Point3{NAN, NAN, NAN});
    g.texCoords.push_back(TexCoord{0, 0});
    g.skin.indices.insert(g.skin.indices.end(), {0, 0, 0, 0});
    g.skin.weights.insert(g.skin.weights.end(), {0, 0, 0, 0});
    ped.shown.push_back(Point3{0, 0, 0});
    ped.mainBone.push_back(-1);
    // Inverse bind matrices: atomic x bone^-1, the fourth column padding.
    for (int b = 0; b < kBoneCount; ++b) {
        M43 ibm = Multiply(atomic, InverseRigid(globals[static_cast<size_t>(b + 1)]));
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c)
                g.skin.matrices.push_back(static_cast<float>(ibm.m[r][c]));
            g.skin.matrices.push_back(r == 3 ? 0.0f : 0.5f);
        }
    }
    return ped;
}
