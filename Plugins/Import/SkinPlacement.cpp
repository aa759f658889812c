// Places the mesh where the game draws it: each vertex moved by its bones'
// inverse bind matrices and the bones' model-space matrices, weighted.
#include <math.h>

#include "Plugins/Import/ImportSkin.h"

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

// Whether every weighted slot names a bone that has a matrix and a frame.
bool SkinFitsHierarchy(const ImportSkin& skin, const int32_t* nodeFrame, int32_t nodeCount) {
    const SkinRecord& r = skin.record;
    for (size_t i = 0; i < 4 * static_cast<size_t>(r.vertexCount); ++i) {
        if (r.weights[i] == 0.0f)
            continue;
        uint8_t b = r.boneIndices[i];
        if (b >= r.boneCount || b >= nodeCount || nodeFrame[b] < 0)
            return false;
    }
    return true;
}

} // namespace

Point3 FiniteOrOrigin(Point3 p) {
    if (isfinite(p.x) && isfinite(p.y) && isfinite(p.z))
        return p;
    return Point3{0.0f, 0.0f, 0.0f};
}

bool PlaceSkinnedMesh(HostObject mesh, const ImportSkin& skin, const Matrix4* globals,
                      const int32_t* nodeFrame, int32_t nodeCount, int32_t atomicFrame,
                      float scale) {
    const SkinRecord& r = skin.record;
    if (!skin.present || 3 * static_cast<size_t>(r.vertexCount) != skin.storedPositions.Count() ||
        g_host.MQObj_GetVertexCount(mesh) != static_cast<int32_t>(r.vertexCount) ||
        !SkinFitsHierarchy(skin, nodeFrame, nodeCount))
        return false;
    HeapArray<Affine> bones;
    if (!bones.Allocate(r.boneCount))
        return false;
    for (int32_t b = 0; b < r.boneCount && b < nodeCount; ++b)
        if (nodeFrame[b] >= 0)
            bones[static_cast<size_t>(b)] =
                Compose(AffineOf(&r.inverseMatrices[16 * static_cast<size_t>(b)]),
                        AffineOf(globals[nodeFrame[b]].m));
    Affine atomic;
    if (atomicFrame >= 0) {
        atomic = AffineOf(globals[atomicFrame].m);
    } else {
        Matrix4 identity;
        IdentityMatrix4(&identity);
        atomic = AffineOf(identity.m);
    }
    for (uint32_t k = 0; k < r.vertexCount; ++k) {
        const float* stored = &skin.storedPositions[3 * static_cast<size_t>(k)];
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
