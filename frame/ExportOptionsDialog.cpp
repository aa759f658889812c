#include "frame/DialogIds.h"
#include "frame/OptionsDialog.h"
#include "frame/ScaleFields.h"

void ExportOptionsDialog::OnInit(DialogControls& controls) {
    // The switches open in fixed states on every run; only the scale is remembered.
    controls.SetCheck(kIdGroundModel, false);
    controls.SetCheck(kIdWriteTextureDictionary, false);
    controls.SetCheck(kIdCompressTextures, false);
    controls.SetCheck(kIdWriteMipmaps, false);
    controls.SetCheck(kIdSplitVertices, true);
    controls.SetCheck(kIdSplitByTexCoord, true);
    controls.SetCheck(kIdSplitByNormal, true);
    controls.Enable(kIdSplitByTexCoord, true);
    controls.Enable(kIdSplitByNormal, true);
    OpenScaleFields(controls, options_.scaleMantissa, options_.scaleExponent);
}

void ExportOptionsDialog::OnCommand(DialogControls& controls, int id, int /*notification*/) {
    if (id == kIdSplitVertices) {
        // The master switch: both criteria start unchecked whenever it changes.
        bool on = controls.GetCheck(kIdSplitVertices);
        controls.SetCheck(kIdSplitByTexCoord, false);
        controls.SetCheck(kIdSplitByNormal, false);
        controls.Enable(kIdSplitByTexCoord, on);
        controls.Enable(kIdSplitByNormal, on);
    } else if (id == kIdOk) {
        StoreScaleFields(controls, &options_.scaleMantissa, &options_.scaleExponent);
        options_.groundModel = controls.GetCheck(kIdGroundModel) ? 1 : 0;
        options_.splitVertices = controls.GetCheck(kIdSplitVertices) ? 1 : 0;
        options_.splitByTexCoord = controls.GetCheck(kIdSplitByTexCoord) ? 1 : 0;
        options_.splitByNormal = controls.GetCheck(kIdSplitByNormal) ? 1 : 0;
        options_.writeTextureDictionary = controls.GetCheck(kIdWriteTextureDictionary) ? 1 : 0;
        options_.compressTextures = controls.GetCheck(kIdCompressTextures) ? 1 : 0;
        options_.writeMipmaps = controls.GetCheck(kIdWriteMipmaps) ? 1 : 0;
        controls.End(1);
    } else if (id == kIdCancel) {
        controls.PostClose();
    }
}

void ExportOptionsDialog::OnSpin(DialogControls& controls, int upDownId, int16_t position) {
    SpinScaleField(controls, upDownId, position, &options_.scaleMantissa, &options_.scaleExponent);
}

void ExportOptionsDialog::OnClose(DialogControls& controls) {
    // Closing keeps a typed scale; the switches keep the last confirmed run's values.
    StoreScaleFields(controls, &options_.scaleMantissa, &options_.scaleExponent);
    controls.End(0);
}
