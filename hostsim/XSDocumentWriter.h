// Lays out Keynote's skeleton document (the XSDocument and its records) byte
// for byte, with 32-bit little-endian values and 32-bit refs, in one block.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "frame/MQHost.h"

struct KeynoteSkinVertex {
    int32_t bone[4] = {0, 0, 0, 0}; // HAnim index numbers
    float weight[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

struct KeynoteFace {
    int32_t pointCount = 0;
    int32_t vertexIndex[4] = {0, 0, 0, 0};
    int32_t material = -1; // -1: no material
    TexCoord texCoord[4] = {};
    Point3 cornerNormal[4] = {};
};

struct KeynoteObject {
    HostObject host = 0;
    std::vector<Point3> vertices;
    std::vector<KeynoteFace> faces;
    // Indexed like vertices; vertices past its end get zero weights.
    std::vector<KeynoteSkinVertex> skin;
};

struct KeynoteBone {
    std::string name;    // cut to 255 bytes
    std::string tag;     // HAnimTag "index:nodeId:nodeFlags", cut to 255 bytes
    int32_t parent = -1; // index into the bones; anything out of range is a top bone
    Point3 position = {0.0f, 0.0f, 0.0f};
    Matrix4 bind = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
};

struct KeynoteContent {
    std::vector<KeynoteObject> objects;
    std::vector<KeynoteBone> bones;
};

// Bytes the laid-out document of content takes; 0 when it would not fit in
// a block that 32-bit refs can address.
size_t XSDocumentByteSize(const KeynoteContent& content);

// Lays out content in block: XSDocumentByteSize(content) zero-filled bytes
// that lie below 4 GiB. The XSDocument itself starts at block.
void WriteXSDocument(const KeynoteContent& content, uint8_t* block);
