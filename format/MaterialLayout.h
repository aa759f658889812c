// Records of the Material List: the list's Struct, each Material's Struct and
// its Texture, whose name is held in a String section.
#pragma once

#include <stdint.h>

#include "format/SectionReader.h"
#include "format/SectionWriter.h"
#include "frame/HeapArray.h"

// The material index of a triangle (or of a Bin Mesh) that has none.
constexpr uint16_t kNoMaterial = 0xFFFF;

struct MaterialStruct {
    int32_t flags;
    uint8_t colour[4]; // R, G, B, A
    int32_t reserved;
    int32_t isTextured;
    float ambient;
    float specular;
    float diffuse;
};
constexpr uint32_t kMaterialStructSize = 28;
constexpr int32_t kMaterialReserved = 4;

// Filter mode 6, wrap addressing in U and V, mipmaps.
constexpr uint32_t kTextureSampling = 0x00011106;

// Room for a texture name: 63 bytes and the terminator.
constexpr uint32_t kTextureNameSize = 64;

// One position of the Material List.
struct MaterialRecord {
    bool present = false; // a Material section stands at this position
    bool hasStruct = false;
    MaterialStruct values = {};
    bool hasTexture = false; // a Texture with the String that names it
    char textureName[kTextureNameSize] = {};
    char maskName[kTextureNameSize] = {}; // the Texture's second String, when it has one
};

// The Material List: the positions its Struct declares and the Material of
// each. Positions past the end of materials hold no Material.
struct MaterialListRecord {
    int32_t count = 0;
    HeapArray<MaterialRecord> materials;
};

void WriteMaterialStruct(ByteStream& s, const MaterialStruct& r);
bool ReadMaterialStruct(SectionCursor& c, MaterialStruct* r);

// Body length of a String section holding text of the given length.
uint32_t StringBodyLength(uint32_t textLength);
// A whole String section: the text, its NUL and zero filler.
bool WriteStringSection(ByteStream& s, const char* text);

// A whole Texture section: its Struct (kTextureSampling), the name, the mask
// name (empty unless given) and an empty Extension.
bool WriteTextureSection(ByteStream& s, const char* name, const char* maskName = "");
// A whole Material section: the Struct when the record has one, the Texture
// when it has one, and an empty Extension.
bool WriteMaterialSection(ByteStream& s, const MaterialRecord& r);
// A whole Material List: the Struct with the count and -1 (no instanced
// material) per position, then the Material of every present position.
bool WriteMaterialListSection(ByteStream& s, const MaterialListRecord& r);

enum class MaterialReadResult : uint8_t {
    kOk,
    kMalformed,        // the cursor found the file malformed and holds the problem
    kCountPastSection, // the count runs past the list's Struct
    kOutOfMemory,
};

// Reads the body of the entered Material List: the count from its Struct
// (none: 0), checked against the Struct, then each position's Material. Of a
// Texture only the first String, its name, and the second, its mask name, are
// read (each cut to 63 bytes); its Struct and what follows are not looked at.
// A Material List read back and written again gives the same bytes when its
// Textures are as WriteTextureSection writes them.
MaterialReadResult ReadMaterialList(SectionCursor& c, MaterialListRecord* out);
