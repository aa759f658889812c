#include "tests/wine/WindowWatch.h"

#include "frame/DialogIds.h"
#include "tests/wine/DialogControls.h"

namespace {

// The id of a message box's text.
const int kMessageTextId = 0xFFFF;

struct Watch {
    HHOOK hook = nullptr;
    OptionsDialogHandler handler = nullptr;
    HWND optionsDialog = nullptr;
    HWND messageBox = nullptr;
    WatchRecord record;
};

Watch g_watch;

bool IsDialogWindow(HWND window) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LRESULT CALLBACK CbtProcedure(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE) {
        ++g_watch.record.activations;
        if (IsDialogWindow(window) && GetDlgItem(window, kIdScaleMantissa) != nullptr) {
            // A dialog is activated again when a window it owned goes away.
            if (window != g_watch.optionsDialog) {
                g_watch.optionsDialog = window;
                ++g_watch.record.optionsDialogs;
                if (g_watch.handler != nullptr)
                    g_watch.handler(window);
                else
                    PostButtonClick(window, kIdCancel);
            }
        } else if (IsDialogWindow(window) && GetDlgItem(window, kMessageTextId) != nullptr) {
            if (window != g_watch.messageBox) {
                g_watch.messageBox = window;
                ++g_watch.record.messageBoxes;
                g_watch.record.messageCaption = WindowText(window);
                g_watch.record.messageText = WindowText(GetDlgItem(window, kMessageTextId));
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
        }
    }
    return CallNextHookEx(g_watch.hook, code, wParam, lParam);
}

} // namespace

HWND CreateHostWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "SkelvaneTestHostWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "Skelvane tests", WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                           nullptr, instance, nullptr);
}

bool StartWindowWatch(OptionsDialogHandler handler) {
    g_watch = Watch();
    g_watch.handler = handler;
    g_watch.hook = SetWindowsHookExA(WH_CBT, CbtProcedure, nullptr, GetCurrentThreadId());
    return g_watch.hook != nullptr;
}

WatchRecord StopWindowWatch() {
    if (g_watch.hook != nullptr)
        UnhookWindowsHookEx(g_watch.hook);
    WatchRecord record = g_watch.record;
    g_watch = Watch();
    return record;
}
