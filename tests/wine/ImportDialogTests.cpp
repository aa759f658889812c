// The import options dialog answered through its real controls over three
// imports of the sample model (one clump), and a message box of the importer.
#include <stdio.h>

#include "frame/DialogIds.h"
#include "hostsim/HostSim.h"
#include "tests/wine/DialogControls.h"
#include "tests/wine/TestChecks.h"
#include "tests/wine/TestGroups.h"
#include "tests/wine/TestPaths.h"
#include "tests/wine/WindowWatch.h"

namespace {

// The message for a file without a clump and the importer's caption, as the
// plug-in shows them: Shift-JIS bytes.
const char kNoClumpMessage[] = "ファイルにクランプが見つかりません。";
static_assert(sizeof kNoClumpMessage == 18 * 2 + 1, "the message is compiled as Shift-JIS");
const char kImportCaption[] = "Skelvane Import";

const char* g_openMantissa = "";
const char* g_openExponent = "";
std::string g_run;

void CheckOpening(HWND d) {
    std::string p = "import dialog " + g_run + " opens with ";
    CheckText(p + "the mantissa", ControlText(d, kIdScaleMantissa), g_openMantissa);
    CheckText(p + "the exponent", ControlText(d, kIdScaleExponent), g_openExponent);
    // The sample holds one clump: its list has one entry, selected, and is disabled.
    CheckNumber(p + "one list entry", ListCount(d, kIdClumpList), 1);
    CheckNumber(p + "entry 0 selected", ListSelection(d, kIdClumpList), 0);
    Check(p + "the list disabled", !IsControlEnabled(d, kIdClumpList));
    Check(p + "the pose reset unchecked", !IsChecked(d, kIdResetPose));
    Check(p + "1004 checked", IsChecked(d, kIdWriteTextures));
}

void ConfirmRun(HWND d) {
    CheckOpening(d);
    TypeText(d, kIdScaleMantissa, "1.23456");
    TypeText(d, kIdScaleExponent, "+0");
    ClickButton(d, kIdWriteTextures);
    Check("import confirm: 1004 unchecked by a click", !IsChecked(d, kIdWriteTextures));
    PostButtonClick(d, kIdOk);
}

void CancelTypedRun(HWND d) {
    CheckOpening(d);
    // Spin steps act the same way in this dialog.
    TypeText(d, kIdScaleMantissa, "0.4");
    ClickSpinArrow(d, kIdMantissaSpin, true);
    CheckText("import spin: \"0.4\" and one click up", ControlText(d, kIdScaleMantissa), "+0.500");
    TypeText(d, kIdScaleExponent, "-1");
    ClickSpinArrow(d, kIdExponentSpin, true);
    CheckText("import spin: \"-1\" and one click up", ControlText(d, kIdScaleExponent), "+0");
    PostButtonClick(d, kIdCancel);
}

void CancelRun(HWND d) {
    CheckOpening(d);
    PostButtonClick(d, kIdCancel);
}

// One import of path into a new document; returns the number of objects it
// added. Checks the result (1 when the import completed or was cancelled, 0
// when it stopped with an error message) and records the windows shown.
size_t RunImport(const PluginDll& importer, const char* name, const std::string& path,
                 OptionsDialogHandler handler, const char* openMantissa, const char* openExponent,
                 WatchRecord* seen, HostBool expected = 1) {
    g_run = name;
    g_openMantissa = openMantissa;
    g_openExponent = openExponent;
    HostDocument doc = HostSimCreateDocument(g_paths.scratch.c_str());
    std::string p = std::string("import ") + name + ": ";
    Check(p + "hook installed", StartWindowWatch(handler));
    HostBool result = importer.MQImportFile(0, path.c_str(), doc);
    *seen = StopWindowWatch();
    size_t objects = HostSimFindDocument(doc)->objects.size();
    HostSimDestroyDocument(doc);
    CheckNumber(p + "MQImportFile(0) result", result, expected);
    return objects;
}

} // namespace

void RunImportDialogTests(const PluginDll& importer) {
    std::string model = g_paths.samples + "\\sample.dff";
    WatchRecord seen;
    size_t objects = RunImport(importer, "confirm", model, ConfirmRun, "+1.000", "+2", &seen);
    CheckNumber("import confirm: one options dialog", seen.optionsDialogs, 1);
    CheckNumber("import confirm: no message box", seen.messageBoxes, 0);
    // The mesh object and the bone object.
    CheckNumber("import confirm: two objects added", static_cast<long long>(objects), 2);

    objects = RunImport(importer, "cancel-typed", model, CancelTypedRun, "+1.234", "+0", &seen);
    CheckNumber("import cancel-typed: one options dialog", seen.optionsDialogs, 1);
    CheckNumber("import cancel-typed: document unchanged", static_cast<long long>(objects), 0);

    objects = RunImport(importer, "after-cancel", model, CancelRun, "+0.500", "+0", &seen);
    CheckNumber("import after-cancel: document unchanged", static_cast<long long>(objects), 0);

    // A file whose only top-level section is not a clump (a texture
    // dictionary header with a four-byte body): the message box comes before
    // any dialog, and the import still reports success to the host.
    std::string noClump = g_paths.scratch + "\\no-clump.dff";
    const unsigned char bytes[16] = {0x16, 0, 0, 0, 4, 0, 0, 0, 0xFF, 0xFF, 0x03, 0x18, 0, 0, 0, 0};
    FILE* file = fopen(noClump.c_str(), "wb");
    Check("import no-clump: file written",
          file != nullptr && fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes);
    if (file != nullptr)
        fclose(file);
    objects = RunImport(importer, "no-clump", noClump, nullptr, "", "", &seen, 0);
    CheckNumber("import no-clump: no options dialog", seen.optionsDialogs, 0);
    CheckNumber("import no-clump: one message box", seen.messageBoxes, 1);
    CheckText("import no-clump: caption", seen.messageCaption, kImportCaption);
    CheckText("import no-clump: Shift-JIS text", seen.messageText, kNoClumpMessage);
    CheckNumber("import no-clump: document unchanged", static_cast<long long>(objects), 0);
}
