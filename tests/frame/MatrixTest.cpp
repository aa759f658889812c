#include <cmath>

#include <gtest/gtest.h>

#include "frame/MQHost.h"

namespace {

Matrix4 Scaling(float x, float y, float z) {
    Matrix4 m;
    IdentityMatrix4(&m);
    m.m[0] = x;
    m.m[5] = y;
    m.m[10] = z;
    return m;
}

Matrix4 Translation(float x, float y, float z) {
    Matrix4 m;
    IdentityMatrix4(&m);
    m.m[12] = x;
    m.m[13] = y;
    m.m[14] = z;
    return m;
}

// A quarter turn about z for row vectors: x goes to y.
Matrix4 QuarterTurnZ() {
    Matrix4 m;
    IdentityMatrix4(&m);
    m.m[0] = 0.0f;
    m.m[1] = 1.0f;
    m.m[4] = -1.0f;
    m.m[5] = 0.0f;
    return m;
}

// A matrix with no zero, no one and no symmetry, to catch index mix-ups.
Matrix4 Irregular(float seed) {
    Matrix4 m;
    for (int i = 0; i < 16; ++i) {
        m.m[i] = seed + static_cast<float>(i * i % 7) - 0.5f * static_cast<float>(i);
    }
    return m;
}

// out = the row vector v times m.
void RowTimes(const float v[4], const Matrix4& m, float out[4]) {
    for (int col = 0; col < 4; ++col) {
        out[col] = 0.0f;
        for (int k = 0; k < 4; ++k) {
            out[col] += v[k] * m.m[k * 4 + col];
        }
    }
}

// The point p (as the row vector (p, 1)) transformed by m.
Point3 Transform(const Point3& p, const Matrix4& m) {
    const float v[4] = {p.x, p.y, p.z, 1.0f};
    float r[4];
    RowTimes(v, m, r);
    return Point3{r[0], r[1], r[2]};
}

void ExpectPoint(const Point3& actual, float x, float y, float z) {
    EXPECT_FLOAT_EQ(actual.x, x);
    EXPECT_FLOAT_EQ(actual.y, y);
    EXPECT_FLOAT_EQ(actual.z, z);
}

void ExpectMatrixEq(const Matrix4& actual, const Matrix4& expected) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(actual.m[i], expected.m[i]) << "element " << i;
    }
}

TEST(Matrix4, IdentityHasOnesOnTheDiagonalOnly) {
    Matrix4 m = Irregular(3.0f);
    IdentityMatrix4(&m);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            EXPECT_EQ(m.m[row * 4 + col], row == col ? 1.0f : 0.0f) << row << "," << col;
        }
    }
}

TEST(Matrix4, IdentityIsNeutralOnBothSides) {
    Matrix4 identity;
    IdentityMatrix4(&identity);
    const Matrix4 a = Irregular(1.25f);
    Matrix4 out;
    MultiplyMatrix4(&out, &identity, &a);
    ExpectMatrixEq(out, a);
    MultiplyMatrix4(&out, &a, &identity);
    ExpectMatrixEq(out, a);
}

TEST(Matrix4, FirstFactorActsFirst) {
    const Matrix4 scale = Scaling(2.0f, 3.0f, 4.0f);
    const Matrix4 move = Translation(10.0f, 20.0f, 30.0f);
    const Point3 p{1.0f, 2.0f, 3.0f};
    Matrix4 out;

    MultiplyMatrix4(&out, &scale, &move); // scale, then move
    ExpectPoint(Transform(p, out), 12.0f, 26.0f, 42.0f);

    MultiplyMatrix4(&out, &move, &scale); // move, then scale
    ExpectPoint(Transform(p, out), 22.0f, 66.0f, 132.0f);

    const Matrix4 turn = QuarterTurnZ();
    MultiplyMatrix4(&out, &turn, &move); // turn (1,2,3) to (-2,1,3), then move
    ExpectPoint(Transform(p, out), 8.0f, 21.0f, 33.0f);
}

TEST(Matrix4, ProductTransformsLikeTheFactorsInTurn) {
    const Matrix4 a = Irregular(0.75f);
    const Matrix4 b = Irregular(-2.0f);
    Matrix4 ab;
    MultiplyMatrix4(&ab, &a, &b);
    const float vectors[3][4] = {
        {1.0f, 0.0f, 0.0f, 0.0f}, {0.5f, -1.5f, 2.0f, 1.0f}, {-3.0f, 0.25f, 1.0f, -2.0f}};
    for (const auto& v : vectors) {
        float va[4];
        float viaFactors[4];
        float viaProduct[4];
        RowTimes(v, a, va);
        RowTimes(va, b, viaFactors);
        RowTimes(v, ab, viaProduct);
        for (int col = 0; col < 4; ++col) {
            EXPECT_NEAR(viaProduct[col], viaFactors[col],
                        1e-4f * (1.0f + std::fabs(viaFactors[col])))
                << "column " << col;
        }
    }
}

TEST(Matrix4, OutputMayAliasEitherInput) {
    const Matrix4 a = Irregular(0.5f);
    const Matrix4 b = Irregular(-1.0f);
    Matrix4 expected;
    MultiplyMatrix4(&expected, &a, &b);

    Matrix4 left = a;
    MultiplyMatrix4(&left, &left, &b);
    ExpectMatrixEq(left, expected);

    Matrix4 right = b;
    MultiplyMatrix4(&right, &a, &right);
    ExpectMatrixEq(right, expected);

    Matrix4 square;
    MultiplyMatrix4(&square, &a, &a);
    Matrix4 both = a;
    MultiplyMatrix4(&both, &both, &both);
    ExpectMatrixEq(both, square);
}

} // namespace
