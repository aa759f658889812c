// The command's user interface for the plug-ins on Windows. The plug-ins show
// real modal windows on this thread; a thread-local CBT hook sees each one as
// it is activated: the options dialog is answered from the command line,
// message boxes are printed on stderr (caption first, text as UTF-8) and
// confirmed. Trace lines are caught on their way to the debugger. The host's
// main window, which owns the plug-ins' windows, is a hidden window.
#include "tools/skelvane/HostUi.h"

#include <stdio.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "frame/DialogIds.h"
#include "hostsim/HostSim.h"
#include "platform/Platform.h"
#include "tools/skelvane/TextEncoding.h"
#include "tools/skelvane/Win32HostUi.h"

namespace {

// The exception that OutputDebugStringA raises: its length and its text.
const DWORD kDebugPrintException = 0x40010006;
// The id of a message box's text.
const int kMessageTextId = 0xFFFF;
const char kHostWindowClass[] = "SkelvaneHostWindow";

struct WindowsUi {
    HostUi* ui = nullptr;
    HHOOK hook = nullptr;
    PVOID traceHandler = nullptr;
    HWND hostWindow = nullptr;
    // The options dialog being answered, its own window procedure, and whether
    // a close request reached it (the dialog then ends with 0, else with 1).
    HWND optionsDialog = nullptr;
    WNDPROC optionsProcedure = nullptr;
    bool closeRequested = false;
    // The message box last answered, so that reactivating it is not a new one.
    HWND messageBox = nullptr;
};

WindowsUi g_windows;

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool IsDialogWindow(HWND window) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

LRESULT CALLBACK OptionsDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE)
        g_windows.closeRequested = true;
    return CallWindowProcA(g_windows.optionsProcedure, window, message, wParam, lParam);
}

void AnswerOptionsDialog(HWND dialog) {
    if (dialog == g_windows.optionsDialog)
        return;
    g_windows.optionsDialog = dialog;
    g_windows.closeRequested = false;
    g_windows.optionsProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OptionsDialogProcedure)));
    HostUi* ui = g_windows.ui;
    ui->dialog = DialogOutcome();
    DriveOptionsDialog(dialog, ui->script, &ui->dialog);
}

void FinishOptionsDialog(HWND dialog) {
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_windows.optionsProcedure));
    g_windows.ui->dialog.result = g_windows.closeRequested ? 0 : 1;
    g_windows.optionsDialog = nullptr;
    g_windows.optionsProcedure = nullptr;
}

void AnswerMessageBox(HWND box) {
    if (box == g_windows.messageBox)
        return;
    g_windows.messageBox = box;
    ++g_windows.ui->messageCount;
    std::string caption = WindowText(box);
    std::string text = WindowText(GetDlgItem(box, kMessageTextId));
    fprintf(stderr, "[%s]\n%s\n\n", ShiftJisToUtf8(caption).c_str(), ShiftJisToUtf8(text).c_str());
    fflush(stderr);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

LRESULT CALLBACK CbtProcedure(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && g_windows.ui != nullptr && IsDialogWindow(window)) {
        // The options dialog is the one with the scale field; any other
        // dialog with a text control is a message box.
        if (GetDlgItem(window, kIdScaleMantissa) != nullptr)
            AnswerOptionsDialog(window);
        else if (GetDlgItem(window, kMessageTextId) != nullptr)
            AnswerMessageBox(window);
    } else if (code == HCBT_DESTROYWND) {
        if (window == g_windows.optionsDialog)
            FinishOptionsDialog(window);
        else if (window == g_windows.messageBox)
            g_windows.messageBox = nullptr;
    }
    return CallNextHookEx(g_windows.hook, code, wParam, lParam);
}

LONG CALLBACK TraceHandler(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if (record->ExceptionCode == kDebugPrintException && record->NumberParameters >= 2 &&
        g_windows.ui != nullptr && g_windows.ui->printTrace) {
        const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        if (text != nullptr)
            fprintf(stderr, "trace: %s\n", ShiftJisToUtf8(text).c_str());
    }
    // OutputDebugStringA handles its own exception.
    return EXCEPTION_CONTINUE_SEARCH;
}

HWND CreateHostWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHostWindowClass;
    RegisterClassA(&windowClass); // fails harmlessly when already registered
    return CreateWindowExA(0, kHostWindowClass, "Skelvane", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                           nullptr);
}

// Ctrl-C, Ctrl-Break or the console closing: the temporary files go, then
// the default handling ends the process.
BOOL WINAPI RemoveTemporariesAndStop(DWORD) {
    PlatformRemovePendingFiles();
    return FALSE;
}

} // namespace

void InstallHostUi(HostUi* ui) {
    SetConsoleCtrlHandler(RemoveTemporariesAndStop, TRUE);
    // The options dialogs hold up-down controls, whose class must be registered.
    INITCOMMONCONTROLSEX classes;
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&classes);

    g_windows = WindowsUi();
    g_windows.ui = ui;
    g_windows.hostWindow = CreateHostWindow();
    HostSimSetWindowHandle(g_windows.hostWindow);
    g_windows.hook = SetWindowsHookExA(WH_CBT, CbtProcedure, nullptr, GetCurrentThreadId());
    if (g_windows.hook == nullptr)
        fprintf(stderr, "skelvane: cannot watch the plug-ins' windows (error %lu)\n",
                GetLastError());
    g_windows.traceHandler = AddVectoredExceptionHandler(1, TraceHandler);
}

void RemoveHostUi() {
    if (g_windows.traceHandler != nullptr)
        RemoveVectoredExceptionHandler(g_windows.traceHandler);
    if (g_windows.hook != nullptr)
        UnhookWindowsHookEx(g_windows.hook);
    HostSimSetWindowHandle(nullptr);
    if (g_windows.hostWindow != nullptr)
        DestroyWindow(g_windows.hostWindow);
    g_windows = WindowsUi();
}
