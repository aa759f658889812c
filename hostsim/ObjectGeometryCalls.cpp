// Host functions of an object's geometry: lifetime, vertices, faces and the
// per-corner data of faces.
#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"

namespace {

HostSimFace* FindFace(HostSimObject* object, int32_t face) {
    if (object == nullptr || face < 0 || static_cast<size_t>(face) >= object->faces.size()) {
        return nullptr;
    }
    return &object->faces[face];
}

HostSimFace* FindFace(HostObject obj, int32_t face) {
    return FindFace(FindObject(obj), face);
}

bool IsVertex(const HostSimObject& object, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < object.vertices.size();
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
    HostSimObject* object = FindObject(obj);
    if (object != nullptr && object->owner == 0) {
        GetHostState().objects.Remove(obj);
    }
}

HostObject MQAPI MQObj_Clone(HostObject obj) {
    HostSimObject* object = FindObject(obj);
    if (object == nullptr) {
        return 0;
    }
    std::unique_ptr<HostSimObject> copy(new HostSimObject(*object));
    copy->owner = 0;
    return GetHostState().objects.Add(std::move(copy));
}

int32_t MQAPI MQObj_GetVertexCount(HostObject obj) {
    HostSimObject* object = FindObject(obj);
    return object != nullptr ? static_cast<int32_t>(object->vertices.size()) : 0;
}

void MQAPI MQObj_GetVertex(HostObject obj, int32_t index, Point3* out) {
    if (out == nullptr) {
        return;
    }
    HostSimObject* object = FindObject(obj);
    if (object == nullptr || !IsVertex(*object, index)) {
        *out = Point3{0.0f, 0.0f, 0.0f};
        return;
    }
    *out = object->vertices[index];
}

void MQAPI MQObj_SetVertex(HostObject obj, int32_t index, const Point3* p) {
    HostSimObject* object = FindObject(obj);
    if (object != nullptr && p != nullptr && IsVertex(*object, index)) {
        object->vertices[index] = *p;
    }
}

int32_t MQAPI MQObj_AddVertex(HostObject obj, const Point3* p) {
    HostSimObject* object = FindObject(obj);
    if (object == nullptr || p == nullptr || object->vertices.size() >= 0x7FFFFFFF) {
        return -1;
    }
    object->vertices.push_back(*p);
    object->vertexRefCounts.push_back(0);
    return static_cast<int32_t>(object->vertices.size() - 1);
}

int32_t MQAPI MQObj_GetVertexRefCount(HostObject obj, int32_t index) {
    HostSimObject* object = FindObject(obj);
    if (object == nullptr || !IsVertex(*object, index)) {
        return 0;
    }
    return object->vertexRefCounts[index];
}

int32_t MQAPI MQObj_GetFaceCount(HostObject obj) {
    HostSimObject* object = FindObject(obj);
    return object != nullptr ? static_cast<int32_t>(object->faces.size()) : 0;
}

int32_t MQAPI MQObj_GetFacePointCount(HostObject obj, int32_t face) {
    HostSimFace* record = FindFace(obj, face);
    return record != nullptr ? record->pointCount : 0;
}

void MQAPI MQObj_GetFacePointArray(HostObject obj, int32_t face, int32_t* points) {
    HostSimFace* record = FindFace(obj, face);
    if (record == nullptr || points == nullptr) {
        return;
    }
    for (int32_t i = 0; i < record->pointCount; ++i) {
        points[i] = record->points[i];
    }
}

void MQAPI MQObj_GetFaceCoordinateArray(HostObject obj, int32_t face, TexCoord* uv) {
    HostSimFace* record = FindFace(obj, face);
    if (record == nullptr || uv == nullptr) {
        return;
    }
    for (int32_t i = 0; i < record->pointCount; ++i) {
        uv[i] = record->uv[i];
    }
}

void MQAPI MQObj_SetFaceCoordinateArray(HostObject obj, int32_t face, const TexCoord* uv) {
    HostSimFace* record = FindFace(obj, face);
    if (record == nullptr || uv == nullptr) {
        return;
    }
    for (int32_t i = 0; i < record->pointCount; ++i) {
        record->uv[i] = uv[i];
    }
}

int32_t MQAPI MQObj_GetFaceMaterial(HostObject obj, int32_t face) {
    HostSimFace* record = FindFace(obj, face);
    return record != nullptr ? record->material : -1;
}

void MQAPI MQObj_SetFaceMaterial(HostObject obj, int32_t face, int32_t material) {
    HostSimFace* record = FindFace(obj, face);
    if (record != nullptr) {
        record->material = material < 0 ? -1 : material;
    }
}

// Faces of 1 to 4 points, each an existing vertex; anything else is refused with -1.
int32_t MQAPI MQObj_AddFace(HostObject obj, int32_t count, const int32_t* points) {
    HostSimObject* object = FindObject(obj);
    if (object == nullptr || points == nullptr || count < 1 || count > 4 ||
        object->faces.size() >= 0x7FFFFFFF) {
        return -1;
    }
    HostSimFace face;
    face.pointCount = count;
    for (int32_t i = 0; i < count; ++i) {
        if (!IsVertex(*object, points[i])) {
            return -1;
        }
        face.points[i] = points[i];
    }
    CountFaceReferences(*object, face);
    // A closed triangle mesh has about twice as many faces as vertices: room
    // for them at the first face spares the copies (and the fresh pages) of
    // growing one face at a time. Pages of room never used are never touched.
    if (object->faces.empty() && object->faces.capacity() < 2 * object->vertices.size()) {
        object->faces.reserve(2 * object->vertices.size());
    }
    object->faces.push_back(face);
    return static_cast<int32_t>(object->faces.size() - 1);
}

uint32_t MQAPI MQObj_GetFaceVertexColor(HostObject obj, int32_t face, int32_t corner) {
    HostSimFace* record = FindFace(obj, face);
    if (record == nullptr || corner < 0 || corner >= record->pointCount) {
        return 0;
    }
    return record->colors[corner];
}

void MQAPI MQObj_SetFaceVertexColor(HostObject obj, int32_t face, int32_t corner, uint32_t color) {
    HostSimFace* record = FindFace(obj, face);
    if (record == nullptr || corner < 0 || corner >= record->pointCount) {
        return;
    }
    record->colors[corner] = color;
    record->hasColors = true;
}

// Drops the vertices that no face uses and renumbers the faces' points; the
// vertices kept stay in their order.
void MQAPI MQObj_Compact(HostObject obj) {
    HostSimObject* object = FindObject(obj);
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
