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
    // Check boxes to leave in a state, after the clicks: each is clicked only
    // when it is not in that state (the dialog may open with the values a
    // previous run left).
    struct Check {
        int id;
        bool checked;
    };
    std::vector<Check> checks;
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
