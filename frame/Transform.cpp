#include "frame/Transform.h"

#include <math.h>

namespace {

const double kPi = 3.14159265358979323846;

struct Matrix3 {
    double m[3][3];
};

// Cosine and sine of an angle in degrees, exact at multiples of 90 degrees so
// that right-angle rotations give clean zeros and ones.
void CosSinDegrees(double degrees, double* c, double* s) {
    double turn = fmod(degrees, 360.0);
    if (turn < 0.0) {
        turn += 360.0;
    }
    if (turn == 0.0 || turn == 90.0 || turn == 180.0 || turn == 270.0) {
        const double cosines[4] = {1.0, 0.0, -1.0, 0.0};
        const double sines[4] = {0.0, 1.0, 0.0, -1.0};
        int quarter = static_cast<int>(turn / 90.0);
        *c = cosines[quarter];
        *s = sines[quarter];
        return;
    }
    double radians = degrees * kPi / 180.0;
    *c = cos(radians);
    *s = sin(radians);
}

// Right-handed rotations for row vectors (v' = v x R).
Matrix3 RotationX(double degrees) {
    double c, s;
    CosSinDegrees(degrees, &c, &s);
    return Matrix3{{{1, 0, 0}, {0, c, s}, {0, -s, c}}};
}

Matrix3 RotationY(double degrees) {
    double c, s;
    CosSinDegrees(degrees, &c, &s);
    return Matrix3{{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
}

Matrix3 RotationZ(double degrees) {
    double c, s;
    CosSinDegrees(degrees, &c, &s);
    return Matrix3{{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
    Matrix3 out;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            out.m[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] + a.m[r][2] * b.m[2][c];
        }
    }
    return out;
}

double RowLength(const Matrix4& m, int row) {
    double x = m.m[row * 4], y = m.m[row * 4 + 1], z = m.m[row * 4 + 2];
    return sqrt(x * x + y * y + z * z);
}

// Element (row, column) of the rotation part of m, its rows brought to unit length.
double UnitElement(const Matrix4& m, int row, int column) {
    double length = RowLength(m, row);
    return length > 0.0 ? m.m[row * 4 + column] / length : 0.0;
}

float Degrees(double radians) {
    return static_cast<float>(radians * 180.0 / kPi);
}

} // namespace

void ComposeTransform(const TransformParts& parts, Matrix4* out) {
    Matrix3 rotation = Multiply(Multiply(RotationY(-parts.angles[0]), RotationX(-parts.angles[1])),
                                RotationZ(-parts.angles[2]));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            out->m[r * 4 + c] = static_cast<float>(parts.scale[r] * rotation.m[r][c]);
        }
        out->m[r * 4 + 3] = 0.0f;
    }
    out->m[12] = parts.translation[0];
    out->m[13] = parts.translation[1];
    out->m[14] = parts.translation[2];
    out->m[15] = 1.0f;
}

void TransformScaling(const Matrix4& m, float out[3]) {
    for (int r = 0; r < 3; ++r) {
        out[r] = static_cast<float>(RowLength(m, r));
    }
}

// With ch, sh, cp, sp, cb, sb the cosines and sines of head, pitch and bank,
// the composed rotation has row 1 = (cp sb, cp cb, -sp), element (0, 2) = sh cp
// and element (2, 2) = ch cp; at cp = 0 (bank taken as 0) element (0, 0) = ch
// and element (2, 0) = -sh.
void TransformAngles(const Matrix4& m, float out[3]) {
    double sinPitch = -UnitElement(m, 1, 2);
    if (sinPitch > 1.0) {
        sinPitch = 1.0;
    } else if (sinPitch < -1.0) {
        sinPitch = -1.0;
    }
    double pitch = asin(sinPitch);
    double head, bank;
    if (fabs(sinPitch) < 0.9999999) {
        head = atan2(UnitElement(m, 0, 2), UnitElement(m, 2, 2));
        bank = atan2(UnitElement(m, 1, 0), UnitElement(m, 1, 1));
    } else {
        head = atan2(-UnitElement(m, 2, 0), UnitElement(m, 0, 0));
        bank = 0.0;
    }
    out[0] = Degrees(head);
    out[1] = Degrees(pitch);
    out[2] = Degrees(bank);
}

void TransformTranslation(const Matrix4& m, float out[3]) {
    out[0] = m.m[12];
    out[1] = m.m[13];
    out[2] = m.m[14];
}
