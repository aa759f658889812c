// A direction of unit length.
#pragma once

#include "frame/MQHost.h"

// p divided by its length; zero when the length is not above 0 (a zero
// vector, or one holding NaN).
Point3 UnitOrZero(const Point3& p);
