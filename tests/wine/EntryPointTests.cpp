// The fourteen exports of a plug-in DLL: identity, version check, file type,
// events, the host binding and the file operation with an unknown index.
#include <stdio.h>
#include <string.h>

#include "hostsim/HostSim.h"
#include "scene/SceneBuild.h"
#include "tests/wine/TestChecks.h"
#include "tests/wine/TestGroups.h"
#include "tests/wine/TestPaths.h"
#include "tests/wine/WindowWatch.h"

namespace {

const uint32_t kProductId = 0x8E081907u;
const uint32_t kExportPluginId = 0x8BEB6A36u;
const uint32_t kImportPluginId = 0x5429B2BFu;
const char kFileType[] = "GTA:SA Skinned Model(*.dff)";

std::string TextOrNull(const char* text) {
    return text == nullptr ? "(null)" : text;
}

void CheckVersionAnswers(const PluginDll& dll) {
    const struct {
        uint32_t host;
        uint32_t answer;
    } cases[] = {{0x248F, 0}, {0x2490, 0x249}, {0xFFFFFFFFu, 0x249}, {0, 0}};
    for (const auto& c : cases) {
        char name[64];
        snprintf(name, sizeof name, " MQCheckVersion(0x%X)", c.host);
        CheckNumber(dll.name + name, dll.MQCheckVersion(c.host), c.answer);
    }
}

void CheckFileType(const PluginDll& dll) {
    CheckText(dll.name + " MQEnumFileType(0)", TextOrNull(dll.MQEnumFileType(0)), kFileType);
    CheckText(dll.name + " MQEnumFileExt(0)", TextOrNull(dll.MQEnumFileExt(0)), "dff");
    Check(dll.name + " MQEnumFileType(1) is null", dll.MQEnumFileType(1) == nullptr,
          "got " + TextOrNull(dll.MQEnumFileType(1)));
    Check(dll.name + " MQEnumFileExt(1) is null", dll.MQEnumFileExt(1) == nullptr,
          "got " + TextOrNull(dll.MQEnumFileExt(1)));
    Check(dll.name + " MQEnumString(0) is null", dll.MQEnumString(0) == nullptr,
          "got " + TextOrNull(dll.MQEnumString(0)));
    const char* description = dll.MQGetPlugInName();
    Check(dll.name + " MQGetPlugInName is a line of text",
          description != nullptr && description[0] != '\0' && strchr(description, '\n') == nullptr,
          "got " + TextOrNull(description));
}

void CheckBinding(const PluginDll& dll) {
    std::string partial = ProgramFolder() + "\\SkelvaneTestHostPartial.dll";
    Check(dll.name + " stand-in host lacking MQXmlElem_Value is present", FileExists(partial),
          partial + " is missing");
    CheckNumber(dll.name + " MQInit(host without MQXmlElem_Value)", dll.MQInit(partial.c_str()), 0);
    std::string missing = ProgramFolder() + "\\NoSuchHost.exe";
    CheckNumber(dll.name + " MQInit(missing program)", dll.MQInit(missing.c_str()), 0);
    // Last, so that the file operations below call this program's host functions.
    CheckNumber(dll.name + " MQInit(full host)", dll.MQInit(ProgramPath().c_str()), 1);
}

void CheckEvents(const PluginDll& dll) {
    for (int32_t event : {1, 120, 140, 999})
        CheckNumber(dll.name + " MQOnEvent(0, " + std::to_string(event) + ", null)",
                    dll.MQOnEvent(0, event, nullptr), 0);
}

// The file operation with index 1 does nothing: no dialog, no file.
void CheckUnknownIndex(const PluginDll& dll, bool exporter) {
    HostDocument doc = 0;
    std::string error;
    std::string scene = g_paths.samples + "\\sample.json";
    std::string model = g_paths.samples + "\\sample.dff";
    if (exporter) {
        Check(dll.name + " sample scene loads", HostSimLoadScene(scene.c_str(), &doc, &error),
              error);
    } else {
        doc = HostSimCreateDocument(g_paths.scratch.c_str());
    }
    std::string output = g_paths.scratch + "\\index1.dff";
    Check(dll.name + " hook installed", StartWindowWatch(nullptr));
    HostBool result = exporter ? dll.MQExportFile(1, output.c_str(), doc)
                               : dll.MQImportFile(1, model.c_str(), doc);
    WatchRecord seen = StopWindowWatch();
    const char* call = exporter ? " MQExportFile(1)" : " MQImportFile(1)";
    CheckNumber(dll.name + call + " returns false", result, 0);
    CheckNumber(dll.name + call + " activates no window", seen.activations, 0);
    if (exporter)
        Check(dll.name + call + " writes no file", !FileExists(output), output + " exists");
    else
        CheckNumber(dll.name + call + " adds no object",
                    static_cast<long long>(HostSimFindDocument(doc)->objects.size()), 0);
    HostSimDestroyDocument(doc);
}

} // namespace

void RunEntryPointTests(const PluginDll& dll, bool exporter) {
    // The type is asked before any other export has built the plug-in object.
    CheckNumber(dll.name + " MQGetPlugInType first", dll.MQGetPlugInType(), exporter ? 2 : 1);
    CheckVersionAnswers(dll);
    uint32_t product = 0, id = 0;
    dll.MQGetPlugInID(&product, &id);
    CheckNumber(dll.name + " product id", product, kProductId);
    CheckNumber(dll.name + " plug-in id", id, exporter ? kExportPluginId : kImportPluginId);
    CheckFileType(dll);
    CheckBinding(dll);
    CheckEvents(dll);
    CheckUnknownIndex(dll, exporter);
}
