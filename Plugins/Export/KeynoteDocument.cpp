#include "Plugins/Export/KeynoteDocument.h"

#include <string.h>

#include "format/ByteStream.h"
#include "frame/KeynoteLayout.h"

XSRecord XSRef(uint32_t ref) {
    return reinterpret_cast<XSRecord>(static_cast<uintptr_t>(ref));
}

XSRecord XSRefAt(XSRecord record, uint32_t offset) {
    return XSRef(LoadU32(record + offset));
}

static int32_t LoadI32(const uint8_t* p) {
    return static_cast<int32_t>(LoadU32(p));
}

static Point3 LoadPoint3(const uint8_t* p) {
    return Point3{LoadF32(p), LoadF32(p + 4), LoadF32(p + 8)};
}

int32_t XSObjectCount(XSRecord doc) {
    return LoadI32(doc + kXSDocumentObjectCount);
}

int32_t XSBoneCount(XSRecord doc) {
    return LoadI32(doc + kXSDocumentBoneCount);
}

XSRecord XSObjectAt(XSRecord doc, int32_t index) {
    return XSRefAt(XSRefAt(doc, kXSDocumentObjects), static_cast<uint32_t>(index) * 4);
}

XSRecord XSBoneAt(XSRecord doc, int32_t index) {
    return XSRefAt(XSRefAt(doc, kXSDocumentBones), static_cast<uint32_t>(index) * 4);
}

HostObject XSObjectHost(XSRecord object) {
    return LoadU32(object + kXSObjectHostObject);
}

int32_t XSObjectFaceCount(XSRecord object) {
    return LoadI32(object + kXSObjectFaceCount);
}

Point3 XSObjectVertex(XSRecord object, int32_t vertex) {
    XSRecord v =
        XSRefAt(object, kXSObjectVertices) + static_cast<uintptr_t>(vertex) * kXSVertexStride;
    return LoadPoint3(v + kXSVertexPosition);
}

XSFace XSObjectFace(XSRecord object, int32_t face) {
    XSRecord f = XSRefAt(object, kXSObjectFaces) + static_cast<uintptr_t>(face) * kXSFaceStride;
    XSFace r;
    r.pointCount = LoadI32(f + kXSFacePointCount);
    for (int i = 0; i < 4; ++i) {
        r.vertexIndex[i] = LoadI32(f + kXSFaceVertexIndex + 4 * i);
        r.texCoord[i] = TexCoord{LoadF32(f + kXSFaceTexCoord + 8 * i),
                                 LoadF32(f + kXSFaceTexCoord + 8 * i + 4)};
        r.cornerNormal[i] = LoadPoint3(f + kXSFaceCornerNormal + 12 * i);
    }
    r.materialIndex = LoadI32(f + kXSFaceMaterial);
    return r;
}

XSSkinVertex XSObjectSkin(XSRecord object, int32_t vertex) {
    XSRecord s = XSRefAt(object, kXSObjectSkin) + static_cast<uintptr_t>(vertex) * kXSSkinStride;
    XSSkinVertex r;
    for (int i = 0; i < 4; ++i) {
        r.weight[i] = LoadF32(s + kXSSkinWeight + 4 * i);
        r.bone[i] = LoadI32(s + kXSSkinBone + 4 * i);
    }
    return r;
}

// Copies a text field of Keynote's record, cut to the buffer.
static void CopyText(char* out, size_t size, const uint8_t* field, size_t fieldSize) {
    size_t n = 0;
    while (n < fieldSize && n + 1 < size && field[n] != 0) {
        out[n] = static_cast<char>(field[n]);
        ++n;
    }
    out[n] = '\0';
}

XSBone ReadXSBone(XSRecord bone) {
    XSBone r;
    CopyText(r.name, sizeof r.name, bone + kXSBoneName, kXSBoneTextSize);
    CopyText(r.tag, sizeof r.tag, bone + kXSBoneTag, kXSBoneTextSize);
    r.position = LoadPoint3(bone + kXSBonePosition);
    for (int i = 0; i < 16; ++i)
        r.bind.m[i] = LoadF32(bone + kXSBoneBindMatrix + 4 * i);
    r.parent = XSRefAt(bone, kXSBoneParent);
    return r;
}
