// The export options dialog answered through its real controls over four
// exports of the same loaded DLL: its opening state, the master switch, the
// spin steps, and which values outlive a cancelled and a confirmed run.
#include "frame/DialogIds.h"
#include "hostsim/HostSim.h"
#include "scene/SceneBuild.h"
#include "tests/wine/DialogControls.h"
#include "tests/wine/TestChecks.h"
#include "tests/wine/TestGroups.h"
#include "tests/wine/TestPaths.h"
#include "tests/wine/WindowWatch.h"

namespace {

// The scale texts the next dialog is expected to open with.
const char* g_openMantissa = "";
const char* g_openExponent = "";
std::string g_run;

void CheckOpening(HWND d) {
    std::string p = "export dialog " + g_run + " opens with ";
    CheckText(p + "the mantissa", ControlText(d, kIdScaleMantissa), g_openMantissa);
    CheckText(p + "the exponent", ControlText(d, kIdScaleExponent), g_openExponent);
    // The check boxes open in the same states on every run.
    Check(p + "1018 unchecked", !IsChecked(d, kIdGroundModel));
    Check(p + "1001 unchecked", !IsChecked(d, kIdWriteTextureDictionary));
    Check(p + "1020 and 1021 unchecked",
          !IsChecked(d, kIdCompressTextures) && !IsChecked(d, kIdWriteMipmaps));
    Check(p + "1003 checked", IsChecked(d, kIdSplitVertices));
    Check(p + "1011 checked and enabled",
          IsChecked(d, kIdSplitByTexCoord) && IsControlEnabled(d, kIdSplitByTexCoord));
    Check(p + "1013 checked and enabled",
          IsChecked(d, kIdSplitByNormal) && IsControlEnabled(d, kIdSplitByNormal));
}

void CheckMasterSwitch(HWND d) {
    ClickButton(d, kIdSplitVertices);
    Check("export master switch off: 1003 unchecked", !IsChecked(d, kIdSplitVertices));
    Check("export master switch off: 1011 unchecked and disabled",
          !IsChecked(d, kIdSplitByTexCoord) && !IsControlEnabled(d, kIdSplitByTexCoord));
    Check("export master switch off: 1013 unchecked and disabled",
          !IsChecked(d, kIdSplitByNormal) && !IsControlEnabled(d, kIdSplitByNormal));
    ClickButton(d, kIdSplitVertices);
    Check("export master switch on: 1003 checked", IsChecked(d, kIdSplitVertices));
    Check("export master switch on: 1011 enabled and unchecked",
          !IsChecked(d, kIdSplitByTexCoord) && IsControlEnabled(d, kIdSplitByTexCoord));
    Check("export master switch on: 1013 enabled and unchecked",
          !IsChecked(d, kIdSplitByNormal) && IsControlEnabled(d, kIdSplitByNormal));
    ClickButton(d, kIdSplitByTexCoord);
    Check("export 1011 can be checked again", IsChecked(d, kIdSplitByTexCoord));
}

// Types text into a scale field, clicks one arrow of its up-down, and checks
// what the field shows then.
void CheckSpin(HWND d, int edit, int spin, const char* typed, bool up, const char* shown) {
    TypeText(d, edit, typed);
    ClickSpinArrow(d, spin, up);
    CheckText(std::string("export spin: \"") + typed + "\" and one click " + (up ? "up" : "down"),
              ControlText(d, edit), shown);
}

// First run: the whole dialog behaviour, then Cancel with a mantissa of 0
// typed; the ticked check boxes must not reach the next run.
void FirstRun(HWND d) {
    CheckOpening(d);
    CheckMasterSwitch(d);
    ClickButton(d, kIdGroundModel);
    ClickButton(d, kIdWriteTextureDictionary);
    ClickButton(d, kIdCompressTextures);
    ClickButton(d, kIdWriteMipmaps);
    Check("export 1018, 1001, 1020 and 1021 can be checked",
          IsChecked(d, kIdGroundModel) && IsChecked(d, kIdWriteTextureDictionary) &&
              IsChecked(d, kIdCompressTextures) && IsChecked(d, kIdWriteMipmaps));
    CheckSpin(d, kIdScaleMantissa, kIdMantissaSpin, "0.000", true, "+0.100");
    CheckSpin(d, kIdScaleMantissa, kIdMantissaSpin, "0.000", false, "-0.100");
    CheckSpin(d, kIdScaleMantissa, kIdMantissaSpin, "2.5", true, "+2.600");
    CheckSpin(d, kIdScaleMantissa, kIdMantissaSpin, "-0.05", true, "+0.050");
    CheckSpin(d, kIdScaleExponent, kIdExponentSpin, "+3", false, "+2");
    CheckSpin(d, kIdScaleExponent, kIdExponentSpin, "127", true, "-128");
    CheckSpin(d, kIdScaleExponent, kIdExponentSpin, "200", false, "-57");
    TypeText(d, kIdScaleMantissa, "0");
    TypeText(d, kIdScaleExponent, "+1");
    PostButtonClick(d, kIdCancel);
}

// Second run: confirm a typed scale that has more than three decimals.
void ConfirmRun(HWND d) {
    CheckOpening(d);
    TypeText(d, kIdScaleMantissa, "1.23456");
    TypeText(d, kIdScaleExponent, "-2");
    PostButtonClick(d, kIdOk);
}

// Third run: cancel after typing a scale.
void CancelTypedRun(HWND d) {
    CheckOpening(d);
    TypeText(d, kIdScaleMantissa, "-7.5");
    TypeText(d, kIdScaleExponent, "+1");
    PostButtonClick(d, kIdCancel);
}

void CancelRun(HWND d) {
    CheckOpening(d);
    PostButtonClick(d, kIdCancel);
}

// One export of the sample scene to scratch\NAME.dff with the dialog handled
// by handler; checks the call's result, that exactly one dialog was shown,
// and whether the model file was written. A run that writes shows one
// message box after it, the notice (the sample's figure lacks ped bones);
// one that does not, none.
void RunExport(const PluginDll& exporter, const char* name, OptionsDialogHandler handler,
               const char* openMantissa, const char* openExponent, bool writes) {
    g_run = name;
    g_openMantissa = openMantissa;
    g_openExponent = openExponent;
    std::string scene = g_paths.samples + "\\sample.json";
    std::string output = g_paths.scratch + "\\" + name + ".dff";
    std::string dictionary = g_paths.scratch + "\\" + name + ".txd";
    HostDocument doc = 0;
    std::string error;
    if (!Check(std::string("export ") + name + ": sample scene loads",
               HostSimLoadScene(scene.c_str(), &doc, &error), error))
        return;
    Check(std::string("export ") + name + ": hook installed", StartWindowWatch(handler));
    HostBool result = exporter.MQExportFile(0, output.c_str(), doc);
    WatchRecord seen = StopWindowWatch();
    HostSimDestroyDocument(doc);
    std::string p = std::string("export ") + name + ": ";
    CheckNumber(p + "MQExportFile(0) returns true", result, 1);
    CheckNumber(p + "one options dialog", seen.optionsDialogs, 1);
    CheckNumber(p + (writes ? "one notice" : "no message box"), seen.messageBoxes, writes ? 1 : 0);
    if (writes)
        CheckText(p + "the notice's caption", seen.messageCaption, "Skelvane Export");
    Check(p + (writes ? "model written" : "no model written"), FileExists(output) == writes,
          output + (writes ? " is missing" : " exists"));
    // The dictionary box is never ticked in a confirmed run.
    Check(p + "no texture dictionary written", !FileExists(dictionary), dictionary + " exists");
}

} // namespace

void RunExportDialogTests(const PluginDll& exporter) {
    RunExport(exporter, "first", FirstRun, "+1.000", "-2", false);
    // A stored mantissa of 0 opens without a sign.
    RunExport(exporter, "confirm", ConfirmRun, "0.000", "+1", true);
    // 1.23456 was stored as 1234 thousandths.
    RunExport(exporter, "cancel-typed", CancelTypedRun, "+1.234", "-2", false);
    RunExport(exporter, "after-cancel", CancelRun, "-7.500", "+1", false);
}
