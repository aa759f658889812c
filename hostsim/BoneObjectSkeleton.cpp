#include "hostsim/BoneObjectSkeleton.h"

#include <math.h>
#include <string.h>

#include <unordered_map>

#include "frame/Transform.h"

namespace {

struct Vec {
    double x, y, z;
};

Vec Between(const Point3& from, const Point3& to) {
    return Vec{static_cast<double>(to.x) - from.x, static_cast<double>(to.y) - from.y,
               static_cast<double>(to.z) - from.z};
}

double Dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec Cross(const Vec& a, const Vec& b) {
    return Vec{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool Normalise(Vec* v) {
    double length = sqrt(Dot(*v, *v));
    if (!(length > 0.0))
        return false;
    *v = Vec{v->x / length, v->y / length, v->z / length};
    return true;
}

// The drawn frame's rotation rows: the first axis towards the head, the
// second towards the side (made square to the first), the third their cross
// product. A degenerate triangle gives the identity.
void DrawnAxes(const Point3& joint, const Point3& head, const Point3& side, Vec rows[3]) {
    Vec a = Between(joint, head);
    Vec b = Between(joint, side);
    bool ok = Normalise(&a);
    double along = Dot(a, b);
    b = Vec{b.x - along * a.x, b.y - along * a.y, b.z - along * a.z};
    ok = ok && Normalise(&b);
    if (!ok) {
        rows[0] = Vec{1, 0, 0};
        rows[1] = Vec{0, 1, 0};
        rows[2] = Vec{0, 0, 1};
        return;
    }
    rows[0] = a;
    rows[1] = b;
    rows[2] = Cross(a, b);
}

// bind = AxisTurn^-1 x R, so that the exporter's AxisTurn x bind gives R back.
// AxisTurn is a pure rotation: its inverse is its transpose.
Matrix4 BindFor(const Vec rows[3], const Point3& position) {
    TransformParts parts = {{1, 1, 1}, {-90, 0, 0}, {0, 0, 0}};
    Matrix4 turn;
    ComposeTransform(parts, &turn);
    Matrix4 bind = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    const double r[3][3] = {
        {rows[0].x, rows[0].y, rows[0].z},
        {rows[1].x, rows[1].y, rows[1].z},
        {rows[2].x, rows[2].y, rows[2].z},
    };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum += static_cast<double>(turn.m[4 * k + i]) * r[k][j];
            bind.m[4 * i + j] = static_cast<float>(sum);
        }
    bind.m[12] = position.x;
    bind.m[13] = position.y;
    bind.m[14] = position.z;
    return bind;
}

bool ValidPoints(const HostSimFace& f, size_t vertexCount) {
    for (int i = 0; i < f.pointCount; ++i)
        if (f.points[i] < 0 || static_cast<size_t>(f.points[i]) >= vertexCount)
            return false;
    return true;
}

} // namespace

std::vector<KeynoteBone> BonesFromBoneObject(const HostSimDocument& doc,
                                             const HostSimObject& object) {
    std::vector<KeynoteBone> bones;
    std::vector<const HostSimFace*> triangles;
    std::unordered_map<int32_t, int32_t> boneOfHead;     // head vertex -> bone
    std::unordered_map<int32_t, int32_t> boneOfMaterial; // material -> bone
    const size_t vertexCount = object.vertices.size();
    for (const HostSimFace& f : object.faces) {
        if (f.pointCount != 3 || f.material < 0 ||
            static_cast<size_t>(f.material) >= doc.materials.size() || !ValidPoints(f, vertexCount))
            continue;
        const HostSimMaterial* m =
            HostSimFindMaterial(doc.materials[static_cast<size_t>(f.material)]);
        if (m == nullptr || boneOfMaterial.count(f.material) != 0)
            continue;
        int32_t index = static_cast<int32_t>(bones.size());
        KeynoteBone bone;
        bone.name = m->name;
        bone.tag = m->bumpName;
        const Point3& joint = object.vertices[static_cast<size_t>(f.points[0])];
        Vec rows[3];
        DrawnAxes(joint, object.vertices[static_cast<size_t>(f.points[1])],
                  object.vertices[static_cast<size_t>(f.points[2])], rows);
        bone.position = joint;
        bone.bind = BindFor(rows, joint);
        bones.push_back(bone);
        triangles.push_back(&f);
        boneOfHead.emplace(f.points[1], index);
        boneOfMaterial.emplace(f.material, index);
    }
    // Parents: the joint is the parent's head (a bone along its parent's
    // axis), or the bone's two-point face links its joint to the parent's head.
    for (size_t b = 0; b < bones.size(); ++b) {
        auto head = boneOfHead.find(triangles[b]->points[0]);
        if (head != boneOfHead.end() && head->second != static_cast<int32_t>(b))
            bones[b].parent = head->second;
    }
    for (const HostSimFace& f : object.faces) {
        if (f.pointCount != 2 || !ValidPoints(f, vertexCount))
            continue;
        auto owner = boneOfMaterial.find(f.material);
        if (owner == boneOfMaterial.end() ||
            triangles[static_cast<size_t>(owner->second)]->points[0] != f.points[0])
            continue;
        auto head = boneOfHead.find(f.points[1]);
        if (head != boneOfHead.end() && head->second != owner->second)
            bones[static_cast<size_t>(owner->second)].parent = head->second;
    }
    return bones;
}

const HostSimObject* FindBoneObject(const HostSimDocument& doc) {
    for (HostObject handle : doc.objects) {
        const HostSimObject* o = HostSimFindObject(handle);
        if (o != nullptr && strncmp(o->name.c_str(), "bone:", 5) == 0)
            return o;
    }
    return nullptr;
}
