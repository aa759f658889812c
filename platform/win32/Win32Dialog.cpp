// Modal dialogs from the module's resources. The dialog procedure adapts the
// dialog's child windows to DialogControls and hands the events to the logic.
#include <windows.h>
#include <commctrl.h>

#include "platform/Dialog.h"

namespace {

class WindowControls final : public DialogControls {
  public:
    explicit WindowControls(HWND dialog) : dialog_(dialog) {}

    void SetText(int id, const char* text) override { SetDlgItemTextA(dialog_, id, text); }

    int GetText(int id, char* buffer, int size) override {
        if (!buffer || size <= 0) {
            return 0;
        }
        buffer[0] = '\0';
        return static_cast<int>(GetDlgItemTextA(dialog_, id, buffer, size));
    }

    void SetCheck(int id, bool checked) override {
        CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }

    bool GetCheck(int id) override { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

    void Enable(int id, bool enabled) override {
        EnableWindow(GetDlgItem(dialog_, id), enabled ? TRUE : FALSE);
    }

    void SetUpDown(int id, int buddy, int32_t low, int32_t high, int32_t position) override {
        SendDlgItemMessageA(dialog_, id, UDM_SETBUDDY,
                            reinterpret_cast<WPARAM>(GetDlgItem(dialog_, buddy)), 0);
        SendDlgItemMessageA(dialog_, id, UDM_SETRANGE32, static_cast<WPARAM>(low),
                            static_cast<LPARAM>(high));
        SetUpDownPosition(id, position);
    }

    void SetUpDownPosition(int id, int32_t position) override {
        SendDlgItemMessageA(dialog_, id, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
    }

    void ListAdd(int id, const char* text) override {
        SendDlgItemMessageA(dialog_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }

    void ListSelect(int id, int index) override {
        SendDlgItemMessageA(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }

    int ListSelection(int id) override {
        LRESULT selected = SendDlgItemMessageA(dialog_, id, CB_GETCURSEL, 0, 0);
        return selected == CB_ERR ? -1 : static_cast<int>(selected);
    }

    void End(intptr_t result) override { EndDialog(dialog_, result); }

    void PostClose() override { PostMessageA(dialog_, WM_CLOSE, 0, 0); }

  private:
    HWND dialog_;
};

// The logic of the dialog being shown. The dialog takes no creation parameter,
// so the logic is kept here for the duration of the modal call.
DialogLogic* g_activeLogic = nullptr;

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogLogic* logic = g_activeLogic;
    if (!logic) {
        return FALSE;
    }
    WindowControls controls(dialog);
    switch (message) {
    case WM_INITDIALOG:
        logic->OnInit(controls);
        return TRUE;
    case WM_COMMAND:
        logic->OnCommand(controls, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_VSCROLL: {
        // From an up-down control lParam is its window; the position is signed 16-bit.
        HWND source = reinterpret_cast<HWND>(lParam);
        if (!source) {
            return FALSE;
        }
        logic->OnSpin(controls, GetDlgCtrlID(source), static_cast<int16_t>(HIWORD(wParam)));
        return TRUE;
    }
    case WM_CLOSE:
        logic->OnClose(controls);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

intptr_t PlatformDialogBox(PlatformModule module, int resourceId, PlatformWindow owner,
                           DialogLogic* logic) {
    if (!logic) {
        return -1;
    }
    // Up-down controls need their window class registered before the dialog is created.
    INITCOMMONCONTROLSEX classes;
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&classes);

    DialogLogic* outer = g_activeLogic;
    g_activeLogic = logic;
    INT_PTR result = DialogBoxParamA(static_cast<HINSTANCE>(module), MAKEINTRESOURCEA(resourceId),
                                     static_cast<HWND>(owner), DialogProcedure, 0);
    g_activeLogic = outer;
    return result;
}
