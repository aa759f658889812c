// The Keynote plug-in's skeleton document as other plug-ins read it: records
// laid out byte for byte with 32-bit little-endian values and 32-bit refs
// (addresses). Keynote owns it from "CreateXSDocument" to "DeleteXSDocument".
#pragma once

#include <stdint.h>

constexpr uint32_t KeynoteProductId = 0xBD1224DB;
constexpr uint32_t KeynotePlugInId = 44;
// The document version the exporter asks Keynote to support.
constexpr int32_t kKeynoteDocumentVersion = 512;

// XSDocument
constexpr uint32_t kXSDocumentObjectCount = 8; // int32
constexpr uint32_t kXSDocumentBoneCount = 12;  // int32
constexpr uint32_t kXSDocumentObjects = 28;    // ref to objectCount refs of XSObject
constexpr uint32_t kXSDocumentBones = 32;      // ref to boneCount refs of XSBone
constexpr uint32_t kXSDocumentSize = 36;

// XSObject
constexpr uint32_t kXSObjectHostObject = 268; // HostObject handle
constexpr uint32_t kXSObjectFaceCount = 276;  // int32
constexpr uint32_t kXSObjectVertices = 284;   // ref to XSVertex records
constexpr uint32_t kXSObjectFaces = 288;      // ref to XSFace records
constexpr uint32_t kXSObjectSkin = 292;       // ref to XSSkinVertex records
constexpr uint32_t kXSObjectSize = 296;

// XSVertex (stride 44)
constexpr uint32_t kXSVertexStride = 44;
constexpr uint32_t kXSVertexPosition = 0; // Point3

// XSFace (stride 132)
constexpr uint32_t kXSFaceStride = 132;
constexpr uint32_t kXSFacePointCount = 0;    // int32
constexpr uint32_t kXSFaceVertexIndex = 4;   // int32[4]
constexpr uint32_t kXSFaceMaterial = 20;     // int32, -1 none
constexpr uint32_t kXSFaceTexCoord = 40;     // (u, v)[4]
constexpr uint32_t kXSFaceCornerNormal = 84; // Point3[4]

// XSSkinVertex (stride 80)
constexpr uint32_t kXSSkinStride = 80;
constexpr uint32_t kXSSkinWeight = 0; // float[4]
constexpr uint32_t kXSSkinBone = 16;  // int32[4], low 8 bits used

// XSBone
constexpr uint32_t kXSBoneName = 4;  // NUL-terminated text, 256 bytes
constexpr uint32_t kXSBoneTag = 260; // HAnimTag text, 256 bytes
constexpr uint32_t kXSBoneTextSize = 256;
constexpr uint32_t kXSBonePosition = 516;   // Point3
constexpr uint32_t kXSBoneBindMatrix = 552; // Matrix4
constexpr uint32_t kXSBoneParent = 688;     // ref to XSBone, 0 for a top bone
constexpr uint32_t kXSBoneSize = 692;
