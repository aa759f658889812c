#include "hostsim/DialogScript.h"

#include "frame/DialogIds.h"
#include "hostsim/MemoryDialog.h"

DialogOutcome AnswerDialog(const DialogScript& script, DialogLogic& logic) {
    DialogOutcome outcome;
    MemoryDialog dialog(logic);
    dialog.Open();
    outcome.shown = true;
    if (script.typeScale) {
        dialog.Type(kIdScaleMantissa, script.mantissaText.c_str());
        dialog.Type(kIdScaleExponent, script.exponentText.c_str());
    }
    for (int id : script.clicks)
        dialog.Click(id);
    MemoryDialog::Control& list = dialog.Get(kIdClumpList);
    outcome.listCount = static_cast<int>(list.items.size());
    outcome.listItems = list.items;
    outcome.listEnabled = list.enabled;
    if (script.clump >= 0) {
        if (script.clump >= outcome.listCount) {
            outcome.badClump = true;
            dialog.Press(kIdCancel);
        } else {
            dialog.Select(kIdClumpList, script.clump);
        }
    }
    if (!dialog.Ended())
        dialog.Press(script.cancel ? kIdCancel : kIdOk);
    if (!dialog.Ended())
        dialog.CloseBox();
    outcome.result = dialog.Result();
    return outcome;
}
