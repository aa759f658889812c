// Matrix4 helpers: row-major matrices used with row vectors.
#include "frame/MQHost.h"

void IdentityMatrix4(Matrix4* m) {
    for (int i = 0; i < 16; ++i) {
        m->m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

void MultiplyMatrix4(Matrix4* out, const Matrix4* a, const Matrix4* b) {
    // Computed into a local so that out may be a or b.
    Matrix4 product;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a->m[row * 4 + k] * b->m[k * 4 + col];
            }
            product.m[row * 4 + col] = sum;
        }
    }
    *out = product;
}
