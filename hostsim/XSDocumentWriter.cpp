#include "hostsim/XSDocumentWriter.h"

#include <string.h>

#include "frame/KeynoteLayout.h"
#include "hostsim/LittleEndian.h"

namespace {

// Larger documents are refused; this keeps every offset well inside 32 bits.
const uint64_t kMaxDocumentBytes = UINT64_C(1) << 30;

uint32_t RefTo(const uint8_t* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

void PutPoint3(uint8_t* p, const Point3& v) {
    PutLeF32(p, v.x);
    PutLeF32(p + 4, v.y);
    PutLeF32(p + 8, v.z);
}

// Copies text into a fixed field, cut so that a terminator always fits.
void PutText(uint8_t* field, const std::string& text) {
    size_t n = text.size() < kXSBoneTextSize - 1 ? text.size() : kXSBoneTextSize - 1;
    memcpy(field, text.data(), n);
    field[n] = 0;
}

uint64_t ObjectBytes(const KeynoteObject& object) {
    uint64_t vertices = object.vertices.size();
    return kXSObjectSize + vertices * kXSVertexStride +
           static_cast<uint64_t>(object.faces.size()) * kXSFaceStride + vertices * kXSSkinStride;
}

void WriteFace(uint8_t* f, const KeynoteFace& face) {
    PutLeI32(f + kXSFacePointCount, face.pointCount);
    for (int i = 0; i < 4; ++i) {
        PutLeI32(f + kXSFaceVertexIndex + 4 * i, face.vertexIndex[i]);
        PutLeF32(f + kXSFaceTexCoord + 8 * i, face.texCoord[i].u);
        PutLeF32(f + kXSFaceTexCoord + 8 * i + 4, face.texCoord[i].v);
        PutPoint3(f + kXSFaceCornerNormal + 12 * i, face.cornerNormal[i]);
    }
    PutLeI32(f + kXSFaceMaterial, face.material);
}

void WriteSkinVertex(uint8_t* s, const KeynoteSkinVertex& skin) {
    for (int i = 0; i < 4; ++i) {
        PutLeF32(s + kXSSkinWeight + 4 * i, skin.weight[i]);
        PutLeI32(s + kXSSkinBone + 4 * i, skin.bone[i]);
    }
}

// Writes the object record at record and its arrays from data on; returns
// the first byte after the arrays.
uint8_t* WriteObject(const KeynoteObject& object, uint8_t* record, uint8_t* data) {
    uint8_t* vertices = data;
    uint8_t* faces = vertices + object.vertices.size() * kXSVertexStride;
    uint8_t* skin = faces + object.faces.size() * kXSFaceStride;
    uint8_t* end = skin + object.vertices.size() * kXSSkinStride;

    PutLeU32(record + kXSObjectHostObject, object.host);
    PutLeI32(record + kXSObjectFaceCount, static_cast<int32_t>(object.faces.size()));
    PutLeU32(record + kXSObjectVertices, RefTo(vertices));
    PutLeU32(record + kXSObjectFaces, RefTo(faces));
    PutLeU32(record + kXSObjectSkin, RefTo(skin));

    for (size_t i = 0; i < object.vertices.size(); ++i) {
        PutPoint3(vertices + i * kXSVertexStride + kXSVertexPosition, object.vertices[i]);
        if (i < object.skin.size()) {
            WriteSkinVertex(skin + i * kXSSkinStride, object.skin[i]);
        }
    }
    for (size_t i = 0; i < object.faces.size(); ++i) {
        WriteFace(faces + i * kXSFaceStride, object.faces[i]);
    }
    return end;
}

void WriteBone(const KeynoteContent& content, size_t index, uint8_t* bones) {
    const KeynoteBone& bone = content.bones[index];
    uint8_t* b = bones + index * kXSBoneSize;
    PutText(b + kXSBoneName, bone.name);
    PutText(b + kXSBoneTag, bone.tag);
    PutPoint3(b + kXSBonePosition, bone.position);
    for (int i = 0; i < 16; ++i) {
        PutLeF32(b + kXSBoneBindMatrix + 4 * i, bone.bind.m[i]);
    }
    if (bone.parent >= 0 && static_cast<size_t>(bone.parent) < content.bones.size()) {
        PutLeU32(b + kXSBoneParent, RefTo(bones + static_cast<size_t>(bone.parent) * kXSBoneSize));
    }
}

} // namespace

// Block layout: the XSDocument, the object ref array, the bone ref array, the
// object records, each object's vertex, face and skin arrays, the bone records.
size_t XSDocumentByteSize(const KeynoteContent& content) {
    uint64_t objects = content.objects.size();
    uint64_t bones = content.bones.size();
    if (objects > INT32_MAX || bones > INT32_MAX) {
        return 0;
    }
    uint64_t total = kXSDocumentSize + 4 * objects + 4 * bones + bones * kXSBoneSize;
    for (const KeynoteObject& object : content.objects) {
        if (object.vertices.size() > INT32_MAX || object.faces.size() > INT32_MAX) {
            return 0;
        }
        total += ObjectBytes(object);
        if (total > kMaxDocumentBytes) {
            return 0;
        }
    }
    return total > kMaxDocumentBytes ? 0 : static_cast<size_t>(total);
}

void WriteXSDocument(const KeynoteContent& content, uint8_t* block) {
    size_t objectCount = content.objects.size();
    size_t boneCount = content.bones.size();
    uint8_t* objectRefs = block + kXSDocumentSize;
    uint8_t* boneRefs = objectRefs + 4 * objectCount;
    uint8_t* objectRecords = boneRefs + 4 * boneCount;
    uint8_t* data = objectRecords + objectCount * kXSObjectSize;

    PutLeI32(block + kXSDocumentObjectCount, static_cast<int32_t>(objectCount));
    PutLeI32(block + kXSDocumentBoneCount, static_cast<int32_t>(boneCount));
    PutLeU32(block + kXSDocumentObjects, RefTo(objectRefs));
    PutLeU32(block + kXSDocumentBones, RefTo(boneRefs));

    for (size_t i = 0; i < objectCount; ++i) {
        uint8_t* record = objectRecords + i * kXSObjectSize;
        PutLeU32(objectRefs + 4 * i, RefTo(record));
        data = WriteObject(content.objects[i], record, data);
    }
    uint8_t* bones = data;
    for (size_t i = 0; i < boneCount; ++i) {
        PutLeU32(boneRefs + 4 * i, RefTo(bones + i * kXSBoneSize));
        WriteBone(content, i, bones);
    }
}
