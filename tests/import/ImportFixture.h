// Runs the importer plug-in through its exports against the simulated host.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/HostSim.h"
#include "tests/support/PluginHarness.h"

class ImportTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the bytes to a temporary file named name and imports it.
    HostBool Import(const std::vector<uint8_t>& bytes, const char* name = "player.dff");
    HostBool ImportPath(const std::string& path);
    // Starts again from an empty document.
    void ResetDocument();

    // Objects and materials of the document.
    const HostSimObject* Object(const char* name) const;
    const HostSimMaterial* Material(const char* name) const;
    int ObjectCount() const;
    int MaterialCount() const;

    PluginHarness harness_;
    const LoadedPlugin* plugin_ = nullptr;
    HostDocument doc_ = 0;
    // Shorthands into the harness.
    DialogScript& script_ = harness_.script;
    DialogOutcome& outcome_ = harness_.outcome;
    std::vector<std::string>& messages_ = harness_.messages;
    std::vector<std::string>& traces_ = harness_.traces;
    std::string& folder_ = harness_.folder;
};
