// The command's user interface for the plug-ins: message boxes are printed on
// stderr (caption first, text as UTF-8), trace lines too when asked, and the
// options dialog is answered from the command line.
#pragma once

#include "hostsim/DialogScript.h"

struct HostUi {
    DialogScript script;
    bool printTrace = false;
    // What happened.
    int messageCount = 0;
    DialogOutcome dialog;
};

// Installs the sinks for this UI (it must outlive the plug-in calls).
void InstallHostUi(HostUi* ui);
void RemoveHostUi();
