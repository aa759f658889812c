// Places the mesh where the game draws it: each vertex moved by its bones'
// inverse bind matrices and the bones' model-space matrices, weighted; or,
// without a skin that fits, re-posed by one matrix.
#include "Plugins/Import/MeshPlacement.h"

#include <math.h>

#include "Plugins/Import/FrameHierarchy.h"
#include "frame/Transform.h"

namespace {

// A 4x3 affine matrix in double precision (row vectors, translation in row 3).
struct Affine {
    double m[4][3];
};

// The inverse bind matrix's fourth column is padding in many files: the
// matrix is taken as affine whatever it holds.
Affine AffineOf(const float* m16) {
    Affine a;
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 3; ++col)
            a.m[r][col] = m16[4 * r + col];
    return a;
}

// a acts first.
Affine Compose(const Affine& a, const Affine& b) {
    Affine out;
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 3; ++col) {
            double sum = r == 3 ? b.m[3][col] : 0.0;
            for (int k = 0; k < 3; ++k)
                sum += a.m[r][k] * b.m[k][col];
            out.m[r][col] = sum;
        }
    return out;
}

void AddTransformed(const Affine& a, const Point3& v, double w, double* out) {
    for (int col = 0; col < 3; ++col)
        out[col] += w * (v.x * a.m[0][col] + v.y * a.m[1][col] + v.z * a.m[2][col] + a.m[3][col]);
}

Point3 FiniteOrOrigin(Point3 p) {
    if (isfinite(p.x) && isfinite(p.y) && isfinite(p.z))
        return p;
    return Point3{0.0f, 0.0f, 0.0f};
}

// The skin's placement; false, with nothing moved, when there is no memory for it.
bool PlaceSkinnedMesh(HostObject mesh, const ClumpModel& model, const Matrix4* globals,
                      float scale) {
    const SkinRecord& r = model.geometry.skin;
    const HeapArray<int32_t>& nodeFrame = model.bones.nodeFrame;
    const int32_t nodeCount = static_cast<int32_t>(nodeFrame.Count());
    const int32_t atomicFrame = model.frames.atomicFrame;
    HeapArray<Affine> bones;
    if (!bones.Allocate(r.boneCount))
        return false;
    for (int32_t b = 0; b < r.boneCount && b < nodeCount; ++b)
        if (nodeFrame[static_cast<size_t>(b)] >= 0)
            bones[static_cast<size_t>(b)] =
                Compose(AffineOf(&r.inverseMatrices[16 * static_cast<size_t>(b)]),
                        AffineOf(globals[nodeFrame[static_cast<size_t>(b)]].m));
    Affine atomic;
    if (atomicFrame >= 0) {
        atomic = AffineOf(globals[atomicFrame].m);
    } else {
        Matrix4 identity;
        IdentityMatrix4(&identity);
        atomic = AffineOf(identity.m);
    }
    for (uint32_t k = 0; k < r.vertexCount; ++k) {
        const float* stored = &model.geometry.record.positions[3 * static_cast<size_t>(k)];
        const Point3 v = {stored[0], stored[1], stored[2]};
        double sum[3] = {0.0, 0.0, 0.0};
        bool weighted = false;
        for (int s = 0; s < 4; ++s) {
            float w = r.weights[4 * k + static_cast<size_t>(s)];
            if (w == 0.0f)
                continue;
            AddTransformed(bones[r.boneIndices[4 * k + static_cast<size_t>(s)]], v, w, sum);
            weighted = true;
        }
        // A vertex bound to no bone is drawn rigidly with its atomic.
        if (!weighted)
            AddTransformed(atomic, v, 1.0, sum);
        Point3 p = {static_cast<float>(sum[0] * scale), static_cast<float>(sum[1] * scale),
                    static_cast<float>(sum[2] * scale)};
        p = FiniteOrOrigin(p);
        g_host.MQObj_SetVertex(mesh, static_cast<int32_t>(k), &p);
    }
    return true;
}

// Moves every mesh vertex by the reference matrix about its own translation.
void ReposeMesh(HostObject mesh, const Matrix4& reference, float scale) {
    Point3 o;
    TransformTranslation(reference, &o.x);
    o = Point3{o.x * scale, o.y * scale, o.z * scale};
    for (int32_t k = 0; k < g_host.MQObj_GetVertexCount(mesh); ++k) {
        Point3 v;
        g_host.MQObj_GetVertex(mesh, k, &v);
        Matrix4 y;
        IdentityMatrix4(&y);
        y.m[12] = v.x - o.x;
        y.m[13] = v.y - o.y;
        y.m[14] = v.z - o.z;
        MultiplyMatrix4(&y, &y, &reference);
        Point3 moved;
        TransformTranslation(y, &moved.x);
        moved = FiniteOrOrigin(Point3{moved.x + o.x, moved.y + o.y, moved.z + o.z});
        g_host.MQObj_SetVertex(mesh, k, &moved);
    }
}

} // namespace

void PlaceMesh(HostObject mesh, const ClumpModel& model, const Matrix4* locals,
               const Matrix4& reference, float scale) {
    const HeapArray<int32_t>& parents = model.frames.parents;
    HeapArray<Matrix4> globals;
    if (model.bones.skinFits && globals.Allocate(parents.Count())) {
        for (size_t i = 0; i < parents.Count(); ++i)
            GlobalMatrixOf(locals, parents.Data(), static_cast<int32_t>(i), &globals[i]);
        if (PlaceSkinnedMesh(mesh, model, globals.Data(), scale))
            return;
    }
    ReposeMesh(mesh, reference, scale);
}
