// Windows tests of the two plug-in DLLs, run under Wine: the exports, the
// host binding, and the options dialogs and a message box through their real
// windows. This program is the plug-ins' host: it links the simulated host
// and exports its functions by plain name.
//
// usage: skelvane_wine_tests SAMPLES_FOLDER SCRATCH_FOLDER
// Prints "PASS name" or "FAIL name: detail" per check; exits with 1 when any
// check failed.
#include <stdio.h>

#include <windows.h>
#include <commctrl.h>

#include "hostsim/HostSim.h"
#include "tests/wine/TestChecks.h"
#include "tests/wine/TestGroups.h"
#include "tests/wine/TestPaths.h"
#include "tests/wine/WindowWatch.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: skelvane_wine_tests SAMPLES_FOLDER SCRATCH_FOLDER\n");
        return 2;
    }
    // Taking the table keeps every exported host function in the link.
    (void)HostSimFunctions();
    g_paths.samples = argv[1];
    g_paths.scratch = argv[2];

    // The options dialogs hold up-down controls.
    INITCOMMONCONTROLSEX classes;
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&classes);
    HWND hostWindow = CreateHostWindow();
    Check("host window created", hostWindow != nullptr);
    HostSimSetWindowHandle(hostWindow);

    PluginDll exporter, importer;
    if (LoadPluginDll("SkelvaneExport", &exporter)) {
        RunEntryPointTests(exporter, true);
        RunExportDialogTests(exporter);
    }
    if (LoadPluginDll("SkelvaneImport", &importer)) {
        RunEntryPointTests(importer, false);
        RunImportDialogTests(importer);
    }

    HostSimSetWindowHandle(nullptr);
    DestroyWindow(hostWindow);
    int failures = FailureCount();
    printf("%s: %d check(s) failed\n", failures == 0 ? "all passed" : "FAILED", failures);
    return failures > 0 ? 1 : 0;
}
