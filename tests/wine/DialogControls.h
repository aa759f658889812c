// Acting on a dialog's controls as a user does, and reading what they show.
#pragma once

#include <windows.h>

#include <string>

std::string ControlText(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
// What typing into an edit leaves in it.
void TypeText(HWND dialog, int id, const char* text);
// A mouse click on a button: an automatic check box toggles and tells the dialog.
void ClickButton(HWND dialog, int id);
// A mouse click on the upper (up) or lower arrow of an up-down control.
void ClickSpinArrow(HWND dialog, int id, bool up);
// A click on a push button that the dialog's own message loop handles, so
// that closing the dialog happens after the caller has returned.
void PostButtonClick(HWND dialog, int id);
// The entry count and the selected entry of a drop-down list.
int ListCount(HWND dialog, int id);
int ListSelection(HWND dialog, int id);
