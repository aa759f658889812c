// The scale fields both options dialogs share: edit 1014 with up-down 1017
// (the mantissa) and edit 1015 with up-down 1016 (the exponent).
#pragma once

#include <stdint.h>

#include "platform/Dialog.h"

void OpenScaleFields(DialogControls& controls, int32_t mantissa, int8_t exponent);
// Parses both edits into the two values.
void StoreScaleFields(DialogControls& controls, int32_t* mantissa, int8_t* exponent);
// A spin step from one of the two up-downs; returns false for other senders.
bool SpinScaleField(DialogControls& controls, int upDownId, int16_t position, int32_t* mantissa,
                    int8_t* exponent);
