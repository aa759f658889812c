// Host functions of an object's geometry: lifetime, vertices, faces and the
// per-corner data of faces.
#include <utility>

#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"

namespace {

// The face of an object for a host function; a bad handle or an index past
// the object's faces is a breach and gives null.
HostSimFace* FaceOf(const char* function, HostObject obj, int32_t face) {
    HostSimObject* object = ObjectOf(function, obj);
    if (object == nullptr ||
        !InRange(function, "face index", face, 0, static_cast<int64_t>(object->faces.size()) - 1)) {
        return nullptr;
    }
    return &object->faces[face];
}

// A vertex index handed in for an existing vertex; a breach otherwise.
bool CheckVertex(const char* function, const HostSimObject& object, int32_t index) {
    return InRange(function, "vertex index", index, 0,
                   static_cast<int64_t>(object.vertices.size()) - 1);
}

bool CheckCorner(const char* function, const HostSimFace& face, int32_t corner) {
    return InRange(function, "corner", corner, 0, face.pointCount - 1);
}

// Counts each vertex once per face that uses it, however many corners it takes.
void CountFaceReferences(HostSimObject& object, const HostSimFace& face) {
    for (int32_t i = 0; i < face.pointCount; ++i) {
        bool seen = false;
        for (int32_t j = 0; j < i; ++j) {
            seen = seen || face.points[j] == face.points[i];
        }
        if (!seen) {
            ++object.vertexRefCounts[face.points[i]];
        }
    }
}

} // namespace

// Only objects that no document owns can be deleted; the document keeps its own.
void MQAPI MQObj_Delete(HostObject obj) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object != nullptr && object->owner == 0) {
        GetHostState().objects.Remove(obj);
    }
}

HostObject MQAPI MQObj_Clone(HostObject obj) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object == nullptr) {
        return 0;
    }
    std::unique_ptr<HostSimObject> copy(new HostSimObject(*object));
    copy->owner = 0;
    return GetHostState().objects.Add(std::move(copy));
}

int32_t MQAPI MQObj_GetVertexCount(HostObject obj) {
    HostSimObject* object = ObjectOf(__func__, obj);
    return object != nullptr ? static_cast<int32_t>(object->vertices.size()) : 0;
}

void MQAPI MQObj_GetVertex(HostObject obj, int32_t index, Point3* pts) {
    HostSimObject* object = ObjectOf(__func__, obj);
    bool found = object != nullptr && CheckVertex(__func__, *object, index);
    if (pts != nullptr) {
        *pts = found ? object->vertices[index] : Point3{0.0f, 0.0f, 0.0f};
    }
}

void MQAPI MQObj_SetVertex(HostObject obj, int32_t index, Point3* pts) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object != nullptr && pts != nullptr && CheckVertex(__func__, *object, index)) {
        object->vertices[index] = *pts;
    }
}

int32_t MQAPI MQObj_AddVertex(HostObject obj, Point3* p) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object == nullptr || p == nullptr || object->vertices.size() >= 0x7FFFFFFF) {
        return -1;
    }
    object->vertices.push_back(*p);
    object->vertexRefCounts.push_back(0);
    return static_cast<int32_t>(object->vertices.size() - 1);
}

int32_t MQAPI MQObj_GetVertexRefCount(HostObject obj, int32_t index) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object == nullptr || !CheckVertex(__func__, *object, index)) {
        return 0;
    }
    return object->vertexRefCounts[index];
}

int32_t MQAPI MQObj_GetFaceCount(HostObject obj) {
    HostSimObject* object = ObjectOf(__func__, obj);
    return object != nullptr ? static_cast<int32_t>(object->faces.size()) : 0;
}

int32_t MQAPI MQObj_GetFacePointCount(HostObject obj, int32_t face) {
    HostSimFace* record = FaceOf(__func__, obj, face);
    return record != nullptr ? record->pointCount : 0;
}

// The arrays of a face hold one value per point: the caller sizes them by
// MQObj_GetFacePointCount.
void MQAPI MQObj_GetFacePointArray(HostObject obj, int32_t face, int32_t* vertex) {
    HostSimFace* record = FaceOf(__func__, obj, face);
    if (record == nullptr || vertex == nullptr) {
        return;
    }
    for (int32_t i = 0; i < record->pointCount; ++i) {
        vertex[i] = record->points[i];
    }
}

void MQAPI MQObj_GetFaceCoordinateArray(HostObject obj, int32_t face, TexCoord* uvarray) {
    HostSimFace* record = FaceOf(__func__, obj, face);
    if (record == nullptr || uvarray == nullptr) {
        return;
    }
    for (int32_t i = 0; i < record->pointCount; ++i) {
        uvarray[i] = record->uv[i];
    }
}

void MQAPI MQObj_SetFaceCoordinateArray(HostObject obj, int32_t face, TexCoord* uvarray) {
    HostSimFace* record = FaceOf(__func__, obj, face);
    if (record == nullptr || uvarray == nullptr) {
        return;
    }
    for (int32_t i = 0; i < record->pointCount; ++i) {
        record->uv[i] = uvarray[i];
    }
}

int32_t MQAPI MQObj_GetFaceMaterial(HostObject obj, int32_t face) {
    HostSimFace* record = FaceOf(__func__, obj, face);
    return record != nullptr ? record->material : -1;
}

// -1 for no material, else a material index of the document.
void MQAPI MQObj_SetFaceMaterial(HostObject obj, int32_t face, int32_t material) {
    HostSimFace* record = FaceOf(__func__, obj, face);
    if (record != nullptr && InRange(__func__, "material index", material, -1, 0x7FFFFFFF)) {
        record->material = material;
    }
}

// Faces of one or more points, each an existing vertex;
// anything else is a breach and refused with -1.
int32_t MQAPI MQObj_AddFace(HostObject obj, int32_t count, int32_t* index) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object == nullptr || index == nullptr || object->faces.size() >= 0x7FFFFFFF ||
        !InRange(__func__, "point count", count, 1, 0xFFFF)) {
        return -1;
    }
    HostSimFace face;
    face.Resize(count);
    for (int32_t i = 0; i < count; ++i) {
        if (!CheckVertex(__func__, *object, index[i])) {
            return -1;
        }
        face.points[i] = index[i];
    }
    CountFaceReferences(*object, face);
    // A closed triangle mesh has about twice as many faces as vertices: room
    // for them at the first face spares the copies (and the fresh pages) of
    // growing one face at a time. Pages of room never used are never touched.
    if (object->faces.empty() && object->faces.capacity() < 2 * object->vertices.size()) {
        object->faces.reserve(2 * object->vertices.size());
    }
    object->faces.push_back(std::move(face));
    return static_cast<int32_t>(object->faces.size() - 1);
}

uint32_t MQAPI MQObj_GetFaceVertexColor(HostObject obj, int32_t face, int32_t vertex) {
    HostSimFace* record = FaceOf(__func__, obj, face);
    if (record == nullptr || !CheckCorner(__func__, *record, vertex)) {
        return 0;
    }
    return record->colors[vertex];
}

void MQAPI MQObj_SetFaceVertexColor(HostObject obj, int32_t face, int32_t vertex, uint32_t color) {
    HostSimFace* record = FaceOf(__func__, obj, face);
    if (record == nullptr || !CheckCorner(__func__, *record, vertex)) {
        return;
    }
    record->colors[vertex] = color;
    record->hasColors = true;
}

// Drops the vertices that no face uses and renumbers the faces' points; the
// vertices kept stay in their order.
void MQAPI MQObj_Compact(HostObject obj) {
    HostSimObject* object = ObjectOf(__func__, obj);
    if (object == nullptr) {
        return;
    }
    std::vector<int32_t> newIndex(object->vertices.size(), -1);
    size_t kept = 0;
    for (size_t i = 0; i < object->vertices.size(); ++i) {
        if (object->vertexRefCounts[i] > 0) {
            object->vertices[kept] = object->vertices[i];
            object->vertexRefCounts[kept] = object->vertexRefCounts[i];
            newIndex[i] = static_cast<int32_t>(kept);
            ++kept;
        }
    }
    object->vertices.resize(kept);
    object->vertexRefCounts.resize(kept);
    for (HostSimFace& face : object->faces) {
        for (int32_t i = 0; i < face.pointCount; ++i) {
            face.points[i] = newIndex[face.points[i]];
        }
    }
}
