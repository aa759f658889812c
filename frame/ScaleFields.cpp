#include "frame/ScaleFields.h"

#include "frame/DialogIds.h"
#include "frame/ScaleText.h"

void OpenScaleFields(DialogControls& controls, int32_t mantissa, int8_t exponent) {
    char text[kScaleTextSize];
    controls.SetUpDown(kIdMantissaSpin, kIdScaleMantissa, kMantissaSpinLow, kMantissaSpinHigh, 0);
    FormatScaleText(text, mantissa, false);
    controls.SetText(kIdScaleMantissa, text);
    controls.SetUpDown(kIdExponentSpin, kIdScaleExponent, kExponentSpinLow, kExponentSpinHigh, 0);
    FormatExponentText(text, exponent);
    controls.SetText(kIdScaleExponent, text);
}

void StoreScaleFields(DialogControls& controls, int32_t* mantissa, int8_t* exponent) {
    char text[kScaleTextSize];
    controls.GetText(kIdScaleMantissa, text, sizeof text);
    *mantissa = ParseMantissaText(text);
    controls.GetText(kIdScaleExponent, text, sizeof text);
    *exponent = ParseExponentText(text);
}

bool SpinScaleField(DialogControls& controls, int upDownId, int16_t position, int32_t* mantissa,
                    int8_t* exponent) {
    char text[kScaleTextSize];
    if (upDownId == kIdMantissaSpin) {
        controls.GetText(kIdScaleMantissa, text, sizeof text);
        // Wraps like the 32-bit arithmetic it stands for.
        *mantissa = static_cast<int32_t>(static_cast<uint32_t>(ParseMantissaText(text)) +
                                         static_cast<uint32_t>(100 * position));
        controls.SetUpDownPosition(kIdMantissaSpin, 0);
        FormatScaleText(text, *mantissa, true);
        controls.SetText(kIdScaleMantissa, text);
        return true;
    }
    if (upDownId == kIdExponentSpin) {
        controls.GetText(kIdScaleExponent, text, sizeof text);
        *exponent = WrapToInt8(ParseExponentText(text) + position);
        controls.SetUpDownPosition(kIdExponentSpin, 0);
        FormatExponentText(text, *exponent);
        controls.SetText(kIdScaleExponent, text);
        return true;
    }
    return false;
}
