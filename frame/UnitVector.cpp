#include "frame/UnitVector.h"

#include <math.h>

Point3 UnitOrZero(const Point3& p) {
    float length = sqrtf(p.x * p.x + p.y * p.y + p.z * p.z);
    if (!(length > 0.0f))
        return Point3{0.0f, 0.0f, 0.0f};
    return Point3{p.x / length, p.y / length, p.z / length};
}
