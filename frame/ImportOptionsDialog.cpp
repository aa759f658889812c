#include "frame/DialogIds.h"
#include "frame/OptionsDialog.h"
#include "frame/ScaleFields.h"

void ImportOptionsDialog::OnInit(DialogControls& controls) {
    OpenScaleFields(controls, options_.scaleMantissa, options_.scaleExponent);
    for (int i = 0; i < clumps_.count; ++i)
        controls.ListAdd(kIdClumpList, clumps_.captions[i]);
    controls.ListSelect(kIdClumpList, 0);
    controls.Enable(kIdClumpList, clumps_.count != 1);
    controls.SetCheck(kIdResetPose, false);
    controls.SetCheck(kIdWriteTextures, true);
}

void ImportOptionsDialog::OnCommand(DialogControls& controls, int id, int /*notification*/) {
    if (id == kIdOk) {
        StoreScaleFields(controls, &options_.scaleMantissa, &options_.scaleExponent);
        uint8_t selection = static_cast<uint8_t>(controls.ListSelection(kIdClumpList));
        options_.clumpIndex = selection;
        options_.resetPose = controls.GetCheck(kIdResetPose) ? 1 : 0;
        options_.writeTextures = controls.GetCheck(kIdWriteTextures) ? 1 : 0;
        // Without a selection the confirm button acts as Cancel.
        if (selection == kNoClump)
            controls.PostClose();
        else
            controls.End(1);
    } else if (id == kIdCancel) {
        controls.PostClose();
    }
}

void ImportOptionsDialog::OnSpin(DialogControls& controls, int upDownId, int16_t position) {
    SpinScaleField(controls, upDownId, position, &options_.scaleMantissa, &options_.scaleExponent);
}

void ImportOptionsDialog::OnClose(DialogControls& controls) {
    StoreScaleFields(controls, &options_.scaleMantissa, &options_.scaleExponent);
    controls.End(0);
}
