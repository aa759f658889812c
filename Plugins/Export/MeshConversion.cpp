// The split path: every face of Keynote's object becomes one or two
// triangles of a new host object, and each corner becomes an output vertex
// that carries one texture coordinate and one normal. Corners of one source
// vertex share an output vertex unless the enabled tests (texture
// coordinate, normal) tell them apart.
#include "Plugins/Export/MeshConversion.h"

#include <math.h>

#include "Plugins/Export/ConversionSteps.h"
#include "Plugins/Export/LargeFace.h"
#include "frame/UnitVector.h"

namespace {

constexpr int32_t kNone = -1;
constexpr float kTexCoordTolerance = 0.0001f;
constexpr float kNormalTolerance = 0.01f; // squared distance

// One output vertex as created, at its WorkMesh index.
struct SplitVertex {
    int32_t source;       // vertex index of the host object and of Keynote's arrays
    int32_t nextOfSource; // the next vertex created from the same source, kNone at the end
    TexCoord texCoord;
    Point3 normal; // unit length or zero
    uint8_t bones[4];
    float weights[4];
};

// Finding the vertex a corner shares: the first vertex in index order with
// the same source that passes the enabled tests. Only vertices of that one
// source can match, so each source keeps the chain of its vertices in
// creation order, and the search walks that chain instead of every vertex
// created so far (which would make an object cost quadratic time in its
// corner count). The host gives each new vertex the index one past the last,
// so creation order is index order and the first match found on the chain is
// the first match in index order.
struct SplitTables {
    HeapArray<SplitVertex> vertices; // room for every corner of every face
    HeapArray<int32_t> firstOfSource;
    HeapArray<int32_t> lastOfSource;
    int32_t count = 0;         // vertices created
    int32_t hostFaceCount = 0; // faces of the host object Keynote's object stands for

    bool Allocate(uint64_t corners, int32_t sourceCount) {
        uint64_t capacity = corners;
        if (capacity > SIZE_MAX || capacity > INT32_MAX)
            return false;
        if (!vertices.Allocate(static_cast<size_t>(capacity)) ||
            !firstOfSource.Allocate(static_cast<size_t>(sourceCount)) ||
            !lastOfSource.Allocate(static_cast<size_t>(sourceCount)))
            return false;
        for (size_t i = 0; i < firstOfSource.Count(); ++i)
            firstOfSource[i] = lastOfSource[i] = kNone;
        return true;
    }
};

// What a corner needs of its output vertex.
struct Corner {
    int32_t source;
    TexCoord hostTexCoord; // the host's coordinate, for the texture test
    Point3 normal;         // unit length or zero
};

// The sum of the two differences is tested, so differences of opposite sign
// cancel out. Kept so that models split exactly as earlier exports did: the
// same vertex count and order for an unchanged document.
bool SameTexCoord(const TexCoord& stored, const TexCoord& corner) {
    return fabsf((stored.u - corner.u) + (stored.v - corner.v)) <= kTexCoordTolerance;
}

bool SameNormal(const Point3& stored, const Point3& corner) {
    float dx = stored.x - corner.x;
    float dy = stored.y - corner.y;
    float dz = stored.z - corner.z;
    return dx * dx + dy * dy + dz * dz <= kNormalTolerance;
}

int32_t FindShared(const SplitTables& t, const Corner& corner, const ExportOptions& options) {
    int32_t k = t.firstOfSource[static_cast<size_t>(corner.source)];
    for (; k != kNone; k = t.vertices[static_cast<size_t>(k)].nextOfSource) {
        const SplitVertex& v = t.vertices[static_cast<size_t>(k)];
        if (options.splitByTexCoord && !SameTexCoord(v.texCoord, corner.hostTexCoord))
            continue;
        if (options.splitByNormal && !SameNormal(v.normal, corner.normal))
            continue;
        return k;
    }
    return kNone;
}

// Adds a vertex for the corner to the WorkMesh and records it; kNone when
// the host does not hand out the next free index.
int32_t CreateVertex(SplitTables& t, XSRecord object, HostObject mesh, const Corner& corner,
                     const TexCoord& texCoord) {
    Point3 position = XSObjectVertex(object, corner.source);
    int32_t index = g_host.MQObj_AddVertex(mesh, &position);
    if (index < t.count || static_cast<size_t>(index) >= t.vertices.Count())
        return kNone;
    XSSkinVertex skin = XSObjectSkin(object, corner.source);
    SplitVertex& v = t.vertices[static_cast<size_t>(index)];
    v.source = corner.source;
    v.nextOfSource = kNone;
    v.texCoord = texCoord;
    v.normal = corner.normal;
    for (int s = 0; s < 4; ++s) {
        v.bones[s] = static_cast<uint8_t>(skin.bone[s] & 0xFF);
        v.weights[s] = skin.weight[s];
    }
    int32_t& last = t.lastOfSource[static_cast<size_t>(corner.source)];
    if (last == kNone)
        t.firstOfSource[static_cast<size_t>(corner.source)] = index;
    else
        t.vertices[static_cast<size_t>(last)].nextOfSource = index;
    last = index;
    t.count = index + 1;
    return index;
}

// The output vertex of corner j of the face: shared or new.
int32_t OutputVertex(SplitTables& t, XSRecord object, HostObject mesh, const XSFace& face,
                     const TexCoord hostTexCoords[4], int j, const ExportOptions& options) {
    Corner corner = {face.vertexIndex[j], hostTexCoords[j], UnitOrZero(face.cornerNormal[j])};
    int32_t shared = FindShared(t, corner, options);
    if (shared != kNone)
        return shared;
    return CreateVertex(t, object, mesh, corner, face.texCoord[j]);
}

void AddTriangle(HostObject mesh, int32_t a, int32_t b, int32_t c, int32_t material) {
    int32_t points[3] = {a, b, c};
    int32_t face = g_host.MQObj_AddFace(mesh, 3, points);
    g_host.MQObj_SetFaceMaterial(mesh, face, material);
}

// Keynote's point indices must name vertices of the host object: they index
// Keynote's vertex and skin arrays, which are as long as that object's.
bool PointsInRange(const XSFace& face, int32_t corners, int32_t sourceCount) {
    for (int32_t j = 0; j < corners; ++j)
        if (face.vertexIndex[j] < 0 || face.vertexIndex[j] >= sourceCount)
            return false;
    return true;
}

// A face of five or more points: Keynote's record holds four corners, so
// the points and texture coordinates come from the host object, the
// triangles from cutting the face in its plane, and the normals of corners
// past the fourth from the face's own plane. False when the host refuses a
// vertex or memory runs out.
bool ConvertLargeFace(SplitTables& t, XSRecord object, int32_t f, HostObject mesh,
                      const ExportOptions& options, UsedMaterialMap& used) {
    LargeFace large;
    switch (ReadLargeFace(XSObjectHost(object), f, &large)) {
    case LargeFaceRead::kOutOfMemory:
        return false;
    case LargeFaceRead::kSkipped:
        return true;
    case LargeFaceRead::kOk:
        break;
    }
    XSFace face = XSObjectFace(object, f);
    int32_t sourceCount = static_cast<int32_t>(t.firstOfSource.Count());
    for (size_t c = 0; c < large.points.Count(); ++c)
        if (large.points[c] >= sourceCount)
            return true;
    int32_t material = used.Normalize(face.materialIndex);
    for (size_t k = 0; k < large.triangles.Count(); k += 3) {
        int32_t out[3];
        for (int j = 0; j < 3; ++j) {
            size_t c = static_cast<size_t>(large.triangles[k + j]);
            Point3 normal = c < 4 && face.pointCount > static_cast<int32_t>(c)
                                ? face.cornerNormal[c]
                                : large.normal;
            Corner corner = {large.points[c], large.texCoords[c], UnitOrZero(normal)};
            out[j] = FindShared(t, corner, options);
            if (out[j] == kNone &&
                (out[j] = CreateVertex(t, object, mesh, corner, large.texCoords[c])) == kNone)
                return false;
        }
        AddTriangle(mesh, out[0], out[1], out[2], material);
    }
    used.MarkUsed(material);
    return true;
}

// Emits the triangles of one face of three or four points (a fourth point
// makes a second triangle). False when the host refuses a vertex.
bool ConvertFace(SplitTables& t, XSRecord object, int32_t f, HostObject mesh,
                 const ExportOptions& options, UsedMaterialMap& used) {
    if (f < t.hostFaceCount &&
        g_host.MQObj_GetFacePointCount(XSObjectHost(object), f) >= kLargeFacePoints)
        return ConvertLargeFace(t, object, f, mesh, options, used);
    XSFace face = XSObjectFace(object, f);
    if (face.pointCount < 3)
        return true;
    int32_t corners = face.pointCount > 3 ? 4 : 3;
    if (!PointsInRange(face, corners, static_cast<int32_t>(t.firstOfSource.Count())))
        return true;
    TexCoord hostTexCoords[4] = {};
    if (options.splitByTexCoord && f < t.hostFaceCount)
        g_host.MQObj_GetFaceCoordinateArray(XSObjectHost(object), f, hostTexCoords);

    int32_t material = used.Normalize(face.materialIndex);
    int32_t out[4];
    for (int j = 0; j < 3; ++j)
        if ((out[j] = OutputVertex(t, object, mesh, face, hostTexCoords, j, options)) == kNone)
            return false;
    AddTriangle(mesh, out[0], out[1], out[2], material);
    used.MarkUsed(material);
    if (corners == 4) {
        if ((out[3] = OutputVertex(t, object, mesh, face, hostTexCoords, 3, options)) == kNone)
            return false;
        AddTriangle(mesh, out[0], out[2], out[3], material);
    }
    return true;
}

bool FillSplitAttributes(const SplitTables& t, WorkMesh* out) {
    HeapArray<int32_t> sourceOf;
    if (!CompactWithSourceMap(out->object, &sourceOf) ||
        !out->attributes.Allocate(sourceOf.Count()))
        return false;
    for (size_t v = 0; v < sourceOf.Count(); ++v) {
        int32_t k = sourceOf[v];
        if (k < 0 || k >= t.count)
            continue; // left zero
        const SplitVertex& created = t.vertices[static_cast<size_t>(k)];
        VertexAttributes& a = out->attributes[v];
        a.normal = created.normal;
        a.texCoord = created.texCoord;
        SetWeightSlots(&a, created.bones, created.weights);
    }
    return true;
}

} // namespace

bool ConvertSplit(XSRecord object, const ExportOptions& options, UsedMaterialMap& used,
                  WorkMesh* out) {
    out->object = g_host.MQ_CreateObject();
    if (out->object == 0)
        return false;
    int32_t faceCount = XSObjectFaceCount(object);
    int32_t sourceCount = g_host.MQObj_GetVertexCount(XSObjectHost(object));
    int32_t hostFaceCount = g_host.MQObj_GetFaceCount(XSObjectHost(object));
    // Room for four corners a face, or every corner of a larger one.
    uint64_t corners = 0;
    for (int32_t f = 0; f < faceCount; ++f) {
        int32_t points =
            f < hostFaceCount ? g_host.MQObj_GetFacePointCount(XSObjectHost(object), f) : 0;
        corners += static_cast<uint64_t>(points > 4 ? points : 4);
    }
    SplitTables tables;
    tables.hostFaceCount = hostFaceCount;
    bool ok = tables.Allocate(corners, sourceCount < 0 ? 0 : sourceCount);
    for (int32_t f = 0; ok && f < faceCount; ++f)
        ok = ConvertFace(tables, object, f, out->object, options, used);
    if (ok)
        ok = FillSplitAttributes(tables, out);
    if (!ok)
        ReleaseWorkMesh(out);
    return ok;
}
