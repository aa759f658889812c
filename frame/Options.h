// The option records the two dialogs edit and the drivers read, kept in static
// storage of each DLL so a run offers the values the previous one left.
#pragma once

#include <stdint.h>

struct ExportOptions {
    uint8_t groundModel = 0;
    uint8_t splitVertices = 0;
    uint8_t splitByTexCoord = 0;
    uint8_t splitByNormal = 0;
    uint8_t writeTextureDictionary = 0;
    uint8_t compressTextures = 0; // DXT1, or DXT3 for textures with alpha
    uint8_t writeMipmaps = 0;     // a full chain of mip levels down to 1 x 1
    int32_t scaleMantissa = 1000; // the scale in thousandths
    int8_t scaleExponent = -2;    // power of ten
};

struct ImportOptions {
    int32_t scaleMantissa = 1000;
    int8_t scaleExponent = 2;
    uint8_t clumpIndex = 0;    // 0-based position of the chosen clump; 255 none
    uint8_t resetPose = 0;     // give the frames known by name their fixed rotations
    uint8_t writeTextures = 1; // write the dictionary's textures beside the model as PNG
};

constexpr uint8_t kNoClump = 255;
// The clump count is a signed 8-bit value.
constexpr int kMaxClumps = 127;

// One caption per clump of the file, in file order, shown by the import dialog.
struct ClumpList {
    int8_t count = 0;
    char** captions = nullptr; // count owned texts
};
