// Resource and control ids of the two options dialogs.
#pragma once

#include <stdint.h>

enum : int {
    kOptionsDialogResource = 102,
    kIdOk = 1,
    kIdCancel = 2,
    kIdWriteTextureDictionary = 1001, // export check box
    kIdClumpList = 1001,              // import drop-down list
    kIdSplitVertices = 1003,
    kIdSplitByTexCoord = 1011,
    kIdSplitByNormal = 1013,
    kIdScaleMantissa = 1014,
    kIdScaleExponent = 1015,
    kIdExponentSpin = 1016,
    kIdMantissaSpin = 1017,
    kIdGroundModel = 1018,
    kIdResetPose = 1019,        // import check box
    kIdWriteTextures = 1004,    // import check box
    kIdCompressTextures = 1020, // export check box
    kIdWriteMipmaps = 1021,     // export check box
};

constexpr int32_t kMantissaSpinLow = -1000000000;
constexpr int32_t kMantissaSpinHigh = 1000000000;
constexpr int32_t kExponentSpinLow = -100;
constexpr int32_t kExponentSpinHigh = 100;
