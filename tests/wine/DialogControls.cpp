#include "tests/wine/DialogControls.h"

std::string ControlText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool IsControlEnabled(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowEnabled(control);
}

void TypeText(HWND dialog, int id, const char* text) {
    SetDlgItemTextA(dialog, id, text);
}

void ClickButton(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

void ClickSpinArrow(HWND dialog, int id, bool up) {
    // The up-down itself turns the press into its notifications to the
    // dialog (a position change, then the end of scrolling on release), as
    // for a real click: press and release inside the chosen arrow's half.
    HWND spin = GetDlgItem(dialog, id);
    RECT area;
    GetClientRect(spin, &area);
    int x = (area.right - area.left) / 2;
    int height = area.bottom - area.top;
    int y = up ? height / 4 : height - 1 - height / 4;
    LPARAM point = MAKELPARAM(x, y);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(spin, WM_LBUTTONUP, 0, point);
}

void PostButtonClick(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

int ListCount(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
}

int ListSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}
