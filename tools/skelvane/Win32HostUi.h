// The Windows command's user interface for the plug-ins: their real options
// dialog and message boxes are answered on the command's own thread.
#pragma once

#include <windows.h>

#include "hostsim/DialogScript.h"

// Does to an open options dialog what the script says a user does: types the
// scale, clicks the check boxes, chooses the clump, then posts the click on
// confirm or cancel. Records what the dialog showed in *outcome; the result is
// known only once the dialog has closed.
void DriveOptionsDialog(HWND dialog, const DialogScript& script, DialogOutcome* outcome);
