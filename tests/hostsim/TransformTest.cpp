#include <math.h>

#include "frame/Transform.h"
#include "tests/hostsim/HostSimFixture.h"

namespace {

// Rebuilds a matrix through the host function 0x204.
Matrix4 Compose(float sx, float sy, float sz, float head, float pitch, float bank, float tx,
                float ty, float tz) {
    Matrix4 m;
    for (float& e : m.m) {
        e = 99.0f; // every element must be written
    }
    float values[9] = {sx, sy, sz, head, pitch, bank, tx, ty, tz};
    MQMatrix_FloatValue(m.m, kMatrixSetTransform, values);
    return m;
}

void ExpectRows(const Matrix4& m, const float (&rows)[3][3]) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(m.m[r * 4 + c], rows[r][c], 1e-6f) << "row " << r << " column " << c;
        }
    }
}

TEST(TransformTest, RightAngleRotationsGiveTheKnownRows) {
    ExpectRows(Compose(1, 1, 1, 90, 0, 90, 0, 0, 0), {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}});
    ExpectRows(Compose(1, 1, 1, -90, 0, 0, 0, 0, 0), {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}});
    ExpectRows(Compose(1, 1, 1, 0, 90, 0, 0, 0, 0), {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}});
    ExpectRows(Compose(1, 1, 1, 0, 0, 90, 0, 0, 0), {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}});
    // Head is applied last to a row vector: Ry(-head) is the leftmost factor.
    ExpectRows(Compose(1, 1, 1, 90, 90, 0, 0, 0, 0), {{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}});
}

TEST(TransformTest, ComposeScalesRowsAndPutsTranslationInRowThree) {
    const float c = cosf(30.0f * 3.14159265f / 180.0f);
    Matrix4 m = Compose(2, 3, 4, 30, 0, 0, 5, -6, 7);
    ExpectRows(m, {{2 * c, 0, 2 * 0.5f}, {0, 3, 0}, {4 * -0.5f, 0, 4 * c}});
    EXPECT_EQ(m.m[3], 0.0f);
    EXPECT_EQ(m.m[7], 0.0f);
    EXPECT_EQ(m.m[11], 0.0f);
    EXPECT_EQ(m.m[12], 5.0f);
    EXPECT_EQ(m.m[13], -6.0f);
    EXPECT_EQ(m.m[14], 7.0f);
    EXPECT_EQ(m.m[15], 1.0f);
}

TEST(TransformTest, GettersReadScalingTranslationAndAngles) {
    const float cases[][3] = {{90, 0, 90}, {-90, 0, 0}, {30, -40, 120}, {-150, 75, -10}, {0, 0, 0}};
    for (const auto& angles : cases) {
        Matrix4 m = Compose(2, 0.5f, 3, angles[0], angles[1], angles[2], 1, 2, -3);
        float out[3];
        MQMatrix_FloatValue(m.m, kMatrixGetScaling, out);
        EXPECT_NEAR(out[0], 2.0f, 1e-5f);
        EXPECT_NEAR(out[1], 0.5f, 1e-5f);
        EXPECT_NEAR(out[2], 3.0f, 1e-5f);
        MQMatrix_FloatValue(m.m, kMatrixGetTranslation, out);
        EXPECT_EQ(out[0], 1.0f);
        EXPECT_EQ(out[1], 2.0f);
        EXPECT_EQ(out[2], -3.0f);
        MQMatrix_FloatValue(m.m, kMatrixGetRotation, out);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(out[i], angles[i], 1e-3f) << "angle " << i;
        }
    }
}

TEST(TransformTest, AnglesAtThePitchLimitStillRebuildTheRotation) {
    Matrix4 m = Compose(1, 1, 1, 20, 90, 35, 0, 0, 0);
    float angles[3];
    MQMatrix_FloatValue(m.m, kMatrixGetRotation, angles);
    EXPECT_NEAR(angles[1], 90.0f, 1e-3f);
    Matrix4 again = Compose(1, 1, 1, angles[0], angles[1], angles[2], 0, 0, 0);
    for (int i = 0; i < 12; ++i) {
        EXPECT_NEAR(again.m[i], m.m[i], 1e-5f) << "element " << i;
    }
}

using TransformHostTest = HostSimFixture;

TEST_F(TransformHostTest, UnknownCodesLeaveTheMatrixAlone) {
    ExpectBreaches();
    Matrix4 m = Compose(1, 1, 1, 0, 0, 0, 4, 5, 6);
    Matrix4 before = m;
    float values[9] = {7, 7, 7, 7, 7, 7, 7, 7, 7};
    EXPECT_BREACH(MQMatrix_FloatValue(m.m, 0x999, values));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m.m[i], before.m[i]);
    }
    EXPECT_EQ(values[0], 7.0f);
}

} // namespace
