// Runs the importer plug-in through its exports against the simulated host,
// capturing its message boxes and trace lines and answering its dialog.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/DialogScript.h"
#include "hostsim/HostSim.h"
#include "hostsim/PluginLoader.h"

class ImportTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes the bytes to a temporary file named name and imports it.
    HostBool Import(const std::vector<uint8_t>& bytes, const char* name = "player.dff");
    HostBool ImportPath(const std::string& path);

    // Objects and materials of the document.
    const HostSimObject* Object(const char* name) const;
    const HostSimMaterial* Material(const char* name) const;
    int ObjectCount() const;
    int MaterialCount() const;

    static LoadedPlugin plugin_;
    HostDocument doc_ = 0;
    DialogScript script_;
    DialogOutcome outcome_;
    std::vector<std::string> messages_; // UTF-8
    std::vector<std::string> traces_;
    std::string folder_;
};

// The text a plug-in shows, as UTF-8.
std::string Utf8(const std::string& shiftJis);
