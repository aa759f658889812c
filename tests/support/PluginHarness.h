// What the plug-in tests share: loading a plug-in module through its exports,
// a temporary folder, and sinks that capture message boxes and trace lines
// and answer the options dialog from a script.
#pragma once

#include <string>
#include <vector>

#include "hostsim/DialogScript.h"
#include "hostsim/PluginLoader.h"

class PluginHarness {
  public:
    // Loads the module beside the test program once per process.
    static const LoadedPlugin* Plugin(const char* moduleName);

    // Makes the temporary folder and installs the sinks; every message box
    // must carry this caption and the error icon (a notice: the warning icon).
    void Begin(const char* caption);
    // Removes the sinks and the folder.
    void End();
    std::string PathOf(const char* name) const { return folder + "/" + name; }
    bool WriteFile(const char* name, const std::vector<uint8_t>& bytes) const;
    std::vector<uint8_t> ReadFile(const char* name) const;
    // The names in the temporary folder, sorted.
    std::vector<std::string> Files() const;

    std::string caption;
    std::string folder;
    DialogScript script;
    DialogOutcome outcome;
    std::vector<std::string> messages; // UTF-8
    std::vector<uint32_t> styles;      // of each message box
    std::vector<std::string> traces;
};

// The text a plug-in shows, as UTF-8.
std::string Utf8(const std::string& shiftJis);
