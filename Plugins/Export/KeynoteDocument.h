// Read access to Keynote's skeleton document (the XSDocument and its
// records), which the exporter reads in place and never changes.
#pragma once

#include <stdint.h>

#include "frame/MQHost.h"

// A record of Keynote's document: the address of its first byte.
typedef const uint8_t* XSRecord;

// The address a 32-bit ref stands for (null for 0).
XSRecord XSRef(uint32_t ref);
// The ref stored at an offset of a record.
XSRecord XSRefAt(XSRecord record, uint32_t offset);

struct XSFace {
    int32_t pointCount;
    int32_t vertexIndex[4];
    int32_t materialIndex; // -1 none
    TexCoord texCoord[4];
    Point3 cornerNormal[4];
};

struct XSSkinVertex {
    float weight[4];
    int32_t bone[4]; // HAnim index numbers; the low 8 bits are used
};

struct XSBone {
    char name[64]; // cut to 63 characters
    char tag[64];  // HAnimTag "index:nodeId:nodeFlags", cut to 63 characters
    Point3 position;
    Matrix4 bind;
    XSRecord parent; // null for a top bone
};

// XSDocument
int32_t XSObjectCount(XSRecord doc);
int32_t XSBoneCount(XSRecord doc);
XSRecord XSObjectAt(XSRecord doc, int32_t index);
XSRecord XSBoneAt(XSRecord doc, int32_t index);

// XSObject
HostObject XSObjectHost(XSRecord object);
int32_t XSObjectFaceCount(XSRecord object);
Point3 XSObjectVertex(XSRecord object, int32_t vertex);
XSFace XSObjectFace(XSRecord object, int32_t face);
XSSkinVertex XSObjectSkin(XSRecord object, int32_t vertex);

// XSBone
XSBone ReadXSBone(XSRecord bone);
