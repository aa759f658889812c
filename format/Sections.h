// The RenderWare section stream's vocabulary: section type ids and names,
// the library version stamp, the section header and the deepest nesting.
// SectionReader.h reads the stream, SectionWriter.h writes it.
#pragma once

#include <stdint.h>

// Section type ids.
enum SectionType : uint32_t {
    kSectionStruct = 0x00000001,
    kSectionString = 0x00000002,
    kSectionExtension = 0x00000003,
    kSectionTexture = 0x00000006,
    kSectionMaterial = 0x00000007,
    kSectionMaterialList = 0x00000008,
    kSectionFrameList = 0x0000000E,
    kSectionGeometry = 0x0000000F,
    kSectionClump = 0x00000010,
    kSectionAtomic = 0x00000014,
    kSectionTextureNative = 0x00000015,
    kSectionTextureDictionary = 0x00000016,
    kSectionGeometryList = 0x0000001A,
    kSectionRightToRender = 0x0000001F,
    kSectionSkinPlg = 0x00000116,
    kSectionHAnimPlg = 0x0000011E,
    kSectionBinMeshPlg = 0x0000050E,
    kSectionBreakable = 0x0253F2FD,
    kSectionFrame = 0x0253F2FE,
};

// The packed library id of RenderWare 3.6.0.3, build 0xFFFF, written in every header.
constexpr uint32_t LibraryVersionStamp = 0x1803FFFF;

constexpr uint32_t kSectionHeaderSize = 12;

// The 12-byte header before every section body.
struct SectionHeader {
    uint32_t type;
    uint32_t size; // body length, nested sections included
    uint32_t libraryVersion;
};

// The format's name of a section type ("Clump", "Frame List", ...), or null.
const char* SectionTypeName(uint32_t type);

// Whether a section type's body is a list of child sections.
bool IsContainerSection(uint32_t type);

// Deepest nesting either side handles. The model file needs 7
// (Clump > Geometry List > Geometry > Material List > Material > Texture > String).
constexpr int kMaxSectionDepth = 8;
