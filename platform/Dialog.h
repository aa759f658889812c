// Modal dialogs. A dialog's behaviour is written once, as a DialogLogic over
// abstract controls; the Win32 build runs it in a real dialog created from the
// module's resources, the POSIX build hands it to a handler the host installs,
// which drives it through in-memory controls.
#pragma once

#include <stdint.h>

#include "platform/Platform.h"

// The controls of one open dialog, addressed by control id.
class DialogControls {
  public:
    virtual void SetText(int id, const char* text) = 0;
    // Copies at most size - 1 characters and a terminator; returns the length.
    virtual int GetText(int id, char* buffer, int size) = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual bool GetCheck(int id) = 0;
    virtual void Enable(int id, bool enabled) = 0;
    // Links an up-down control to its buddy edit, with its range and position.
    virtual void SetUpDown(int id, int buddy, int32_t low, int32_t high, int32_t position) = 0;
    virtual void SetUpDownPosition(int id, int32_t position) = 0;
    virtual void ListAdd(int id, const char* text) = 0;
    virtual void ListSelect(int id, int index) = 0;
    // The selected entry, or -1 when none is selected.
    virtual int ListSelection(int id) = 0;
    // Ends the modal loop; the dialog call returns result.
    virtual void End(intptr_t result) = 0;
    // Posts a close request (what Escape and the Cancel button do).
    virtual void PostClose() = 0;

  protected:
    ~DialogControls() = default;
};

// What a dialog does with its controls' events.
class DialogLogic {
  public:
    virtual void OnInit(DialogControls& controls) = 0;
    // A command from a control (button click, check box toggle).
    virtual void OnCommand(DialogControls& controls, int id, int notification) = 0;
    // A vertical-scroll notification from an up-down control, carrying its
    // position (signed 16-bit).
    virtual void OnSpin(DialogControls& controls, int upDownId, int16_t position) = 0;
    // A close request (Escape, the Cancel button, the title bar's close box).
    virtual void OnClose(DialogControls& controls) = 0;

  protected:
    ~DialogLogic() = default;
};

// DialogBoxParamA(module, resourceId, owner, <procedure over logic>, 0).
// Returns the value passed to End, or -1 when the dialog could not be shown.
intptr_t PlatformDialogBox(PlatformModule module, int resourceId, PlatformWindow owner,
                           DialogLogic* logic);
