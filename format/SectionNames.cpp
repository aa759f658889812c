// Names of the section types and of the ways a stream can be malformed.
#include "format/Sections.h"

const char* SectionTypeName(uint32_t type) {
    switch (type) {
    case kSectionStruct:
        return "Struct";
    case kSectionString:
        return "String";
    case kSectionExtension:
        return "Extension";
    case kSectionTexture:
        return "Texture";
    case kSectionMaterial:
        return "Material";
    case kSectionMaterialList:
        return "Material List";
    case kSectionFrameList:
        return "Frame List";
    case kSectionGeometry:
        return "Geometry";
    case kSectionClump:
        return "Clump";
    case kSectionAtomic:
        return "Atomic";
    case kSectionTextureNative:
        return "Texture Native";
    case kSectionTextureDictionary:
        return "Texture Dictionary";
    case kSectionGeometryList:
        return "Geometry List";
    case kSectionRightToRender:
        return "Right To Render";
    case kSectionSkinPlg:
        return "Skin PLG";
    case kSectionHAnimPlg:
        return "HAnim PLG";
    case kSectionBinMeshPlg:
        return "Bin Mesh PLG";
    case kSectionBreakable:
        return "Breakable";
    case kSectionFrame:
        return "Frame";
    }
    return nullptr;
}

bool IsContainerSection(uint32_t type) {
    switch (type) {
    case kSectionClump:
    case kSectionFrameList:
    case kSectionExtension:
    case kSectionGeometryList:
    case kSectionGeometry:
    case kSectionMaterialList:
    case kSectionMaterial:
    case kSectionTexture:
    case kSectionAtomic:
    case kSectionTextureDictionary:
    case kSectionTextureNative:
        return true;
    default:
        return false;
    }
}
