// Watches the windows that a plug-in shows on this thread, through a
// thread-local CBT hook: every activation is counted, the options dialog
// (the dialog with the scale field) is handed to a handler, and message boxes
// are recorded and confirmed.
#pragma once

#include <windows.h>

#include <string>

// Acts on the options dialog when it is first activated; it must end the
// dialog (e.g. with PostButtonClick).
typedef void (*OptionsDialogHandler)(HWND dialog);

struct WatchRecord {
    int activations = 0;                     // HCBT_ACTIVATE of any window
    int optionsDialogs = 0;                  // distinct options dialogs shown
    int messageBoxes = 0;                    // distinct message boxes shown
    std::string messageCaption, messageText; // of the last message box
};

// The hidden window that owns the plug-ins' windows (the host's main window).
HWND CreateHostWindow();

// Starts watching; a null handler cancels the options dialog untouched.
bool StartWindowWatch(OptionsDialogHandler handler);
// Stops watching and returns what was seen.
WatchRecord StopWindowWatch();
