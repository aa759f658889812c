// What the simulated host's user does in a plug-in's options dialog: type a
// scale, choose a clump, toggle the export switches, then confirm or cancel.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "platform/Dialog.h"

struct DialogScript {
    bool cancel = false;
    bool typeScale = false;
    std::string mantissaText;
    std::string exponentText;
    int clump = -1; // list entry to choose; -1 keeps the preselected one
    // Check boxes to click, in order (export switches).
    std::vector<int> clicks;
};

struct DialogOutcome {
    bool shown = false;
    intptr_t result = -1;
    bool badClump = false; // the script named a list entry the dialog does not have
    int listCount = 0;
    // The clump list as the dialog showed it.
    std::vector<std::string> listItems;
    bool listEnabled = true;
};

// Runs the dialog logic through in-memory controls as the script says.
DialogOutcome AnswerDialog(const DialogScript& script, DialogLogic& logic);
