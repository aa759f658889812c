#include "Plugins/Export/BoneMatrices.h"

#include "frame/Transform.h"

// The 3x3 determinant of the rows r0, r1, r2 and the columns c0, c1, c2.
static double Minor(const double* a, int r0, int r1, int r2, int c0, int c1, int c2) {
    return a[r0 * 4 + c0] * (a[r1 * 4 + c1] * a[r2 * 4 + c2] - a[r1 * 4 + c2] * a[r2 * 4 + c1]) -
           a[r0 * 4 + c1] * (a[r1 * 4 + c0] * a[r2 * 4 + c2] - a[r1 * 4 + c2] * a[r2 * 4 + c0]) +
           a[r0 * 4 + c2] * (a[r1 * 4 + c0] * a[r2 * 4 + c1] - a[r1 * 4 + c1] * a[r2 * 4 + c0]);
}

void InvertMatrix4(Matrix4* out, const Matrix4* m) {
    double a[16];
    for (int i = 0; i < 16; ++i)
        a[i] = m->m[i];
    // cofactor[r][c] = (-1)^(r+c) x minor without row r and column c.
    double cofactor[16];
    for (int r = 0; r < 4; ++r) {
        int rows[3], n = 0;
        for (int i = 0; i < 4; ++i)
            if (i != r)
                rows[n++] = i;
        for (int c = 0; c < 4; ++c) {
            int cols[3], k = 0;
            for (int i = 0; i < 4; ++i)
                if (i != c)
                    cols[k++] = i;
            double minor = Minor(a, rows[0], rows[1], rows[2], cols[0], cols[1], cols[2]);
            cofactor[r * 4 + c] = ((r + c) % 2 == 0) ? minor : -minor;
        }
    }
    double determinant = 0;
    for (int c = 0; c < 4; ++c)
        determinant += a[c] * cofactor[c];
    if (determinant == 0.0) {
        IdentityMatrix4(out);
        return;
    }
    // The inverse is the transposed cofactor matrix over the determinant.
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out->m[r * 4 + c] = static_cast<float>(cofactor[c * 4 + r] / determinant);
}

void AxisTurnMatrix(Matrix4* out) {
    ComposeTransform(TransformParts{{1.0f, 1.0f, 1.0f}, {-90.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}},
                     out);
}

void BoneWorldMatrix(Matrix4* out, const Matrix4& axisTurn, const Matrix4& bind,
                     const Point3& position, float shift, float scale) {
    MultiplyMatrix4(out, &axisTurn, &bind);
    out->m[12] = (position.x - shift) * scale;
    out->m[13] = position.y * scale;
    out->m[14] = position.z * scale;
}
