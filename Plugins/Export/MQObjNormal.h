// Face-corner normals of a host mesh object that follow its shading: face
// normals when flat, and when smooth the average of the neighbouring faces'
// normals within the object's smoothing angle.
#pragma once

#include "frame/MQHost.h"

class MQObjNormal {
  public:
    // Computes the whole table from the object (through the host functions).
    explicit MQObjNormal(HostObject object);
    virtual ~MQObjNormal();
    MQObjNormal(const MQObjNormal&) = delete;
    MQObjNormal& operator=(const MQObjNormal&) = delete;

    // False when the table could not be allocated (every normal reads as zero).
    bool Valid() const { return table_ != nullptr || faceCount_ == 0; }
    // The normal of a face's corner (0 <= corner < 4); zero outside the table.
    Point3 GetCornerNormal(int32_t face, int32_t corner) const;

  private:
    Point3* table_ = nullptr; // faceCount rows of four slots
    int32_t faceCount_ = 0;
};

// The unit normal of the triangle V0, V1, V2 (the normalised
// (V2 - V0) x (V1 - V0)), or zero for a degenerate one.
Point3 TriangleNormal(const Point3& v0, const Point3& v1, const Point3& v2);
// The normal of a quad from the flatter of its two diagonal splits.
Point3 QuadNormal(const Point3& p0, const Point3& p1, const Point3& p2, const Point3& p3);
Point3 NormalizeOrZero(const Point3& p);
