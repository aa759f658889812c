// The groups of checks of the Windows test program, run in this order on the
// same loaded DLLs (the option values persist in a DLL while it is loaded).
#pragma once

#include "tests/wine/PluginDll.h"

// The exports, before anything else has been called; ends with the DLL bound
// to this program as its host.
void RunEntryPointTests(const PluginDll& dll, bool exporter);
// The export options dialog through its real controls, over several exports.
void RunExportDialogTests(const PluginDll& exporter);
// The import options dialog and an import message box.
void RunImportDialogTests(const PluginDll& importer);
