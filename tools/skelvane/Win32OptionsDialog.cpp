// Answers a plug-in's options dialog through its real controls, as the
// in-memory dialog does natively: disabled controls ignore the user, a check
// box click toggles it and notifies the dialog, and the closing click is
// posted so that the dialog's own message loop ends it.
#include "tools/skelvane/Win32HostUi.h"

#include <string.h>

#include <string>

#include "frame/DialogIds.h"
#include "res/ResourceIds.h"

// The resource scripts name the ids the dialog logic uses.
static_assert(IDD_OPTIONS == kOptionsDialogResource, "dialog resource id");
static_assert(IDC_WRITE_TEXTURE_DICTIONARY == kIdWriteTextureDictionary, "control id");
static_assert(IDC_CLUMP_LIST == kIdClumpList, "control id");
static_assert(IDC_SPLIT_VERTICES == kIdSplitVertices, "control id");
static_assert(IDC_SPLIT_BY_TEXCOORD == kIdSplitByTexCoord, "control id");
static_assert(IDC_SPLIT_BY_NORMAL == kIdSplitByNormal, "control id");
static_assert(IDC_SCALE_MANTISSA == kIdScaleMantissa, "control id");
static_assert(IDC_SCALE_EXPONENT == kIdScaleExponent, "control id");
static_assert(IDC_EXPONENT_SPIN == kIdExponentSpin, "control id");
static_assert(IDC_MANTISSA_SPIN == kIdMantissaSpin, "control id");
static_assert(IDC_GROUND_MODEL == kIdGroundModel, "control id");
static_assert(IDC_RESET_POSE == kIdResetPose, "control id");
static_assert(IDC_WRITE_TEXTURES == kIdWriteTextures, "control id");
static_assert(IDC_COMPRESS_TEXTURES == kIdCompressTextures, "control id");
static_assert(IDC_WRITE_MIPMAPS == kIdWriteMipmaps, "control id");
static_assert(IDOK == kIdOk && IDCANCEL == kIdCancel, "push button ids");

namespace {

bool IsEnabled(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowEnabled(control);
}

void Type(HWND dialog, int id, const std::string& text) {
    if (IsEnabled(dialog, id))
        SetDlgItemTextA(dialog, id, text.c_str());
}

// What an automatic check box does when clicked: toggle, then tell the dialog.
void Click(HWND dialog, int id) {
    if (!IsEnabled(dialog, id))
        return;
    bool checked = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    CheckDlgButton(dialog, id, checked ? BST_UNCHECKED : BST_CHECKED);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostPress(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool IsDropDownList(HWND control) {
    char name[32] = "";
    GetClassNameA(control, name, sizeof name);
    return _stricmp(name, "ComboBox") == 0;
}

// The entries of the clump list as the dialog shows them.
void ReadList(HWND dialog, DialogOutcome* outcome) {
    HWND list = GetDlgItem(dialog, kIdClumpList);
    outcome->listEnabled = list != nullptr && IsWindowEnabled(list);
    if (list == nullptr || !IsDropDownList(list))
        return;
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length == CB_ERR)
            break;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&text[0]));
        text.resize(strlen(text.c_str()));
        outcome->listItems.push_back(text);
    }
    outcome->listCount = static_cast<int>(outcome->listItems.size());
}

} // namespace

void DriveOptionsDialog(HWND dialog, const DialogScript& script, DialogOutcome* outcome) {
    outcome->shown = true;
    if (script.typeScale) {
        Type(dialog, kIdScaleMantissa, script.mantissaText);
        Type(dialog, kIdScaleExponent, script.exponentText);
    }
    for (int id : script.clicks)
        Click(dialog, id);
    ReadList(dialog, outcome);
    if (script.clump >= 0) {
        if (script.clump >= outcome->listCount) {
            outcome->badClump = true;
            PostPress(dialog, kIdCancel);
            return;
        }
        if (IsEnabled(dialog, kIdClumpList))
            SendDlgItemMessageA(dialog, kIdClumpList, CB_SETCURSEL,
                                static_cast<WPARAM>(script.clump), 0);
    }
    PostPress(dialog, script.cancel ? kIdCancel : kIdOk);
}
