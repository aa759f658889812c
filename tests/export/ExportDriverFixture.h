// Runs the exporter plug-in through its exports on scenes loaded into the
// simulated host, and reads the files it writes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/Sections.h"
#include "tests/support/PluginHarness.h"

class ExportDriverTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the scene text and exports it to out.dff; returns the export's result.
    HostBool Export(const std::string& scene, const char* output = "out.dff");
    std::vector<uint8_t> Output(const char* name = "out.dff") const {
        return harness_.ReadFile(name);
    }

    PluginHarness harness_;
    const LoadedPlugin* plugin_ = nullptr;
    HostDocument doc_ = 0;
};

// A scene with one object of the given vertices and faces (JSON arrays) and
// the given materials and bones (JSON arrays), with Keynote's answers.
std::string SceneText(const std::string& vertices, const std::string& faces,
                      const std::string& materials, const std::string& bones,
                      const std::string& keynote = "{\"present\": true, \"versionAnswer\": 0}",
                      const std::string& skin = "");
// One bone object "{...}" with an identity bind matrix.
std::string BoneText(const char* name, const char* tag, const char* parent, float x, float y,
                     float z);

// The notice the exporter shows once its files are written (UTF-8): the
// heading, then these lines.
std::string NoticeText(const std::vector<std::string>& lines);
// The notice's line for a skeleton whose only HAnim id is 0.
extern const char* const kRootOnlyPedLine;
// The notice's line for count vertices whose weights sum to 0, from first.
std::string ZeroWeightLine(unsigned count, int first);

// One step of a path into a file: a section type, and how many earlier
// siblings of that type to pass over.
struct PathStep {
    uint32_t type;
    int skip = 0;
};
// The body of the section at the end of a path from the top of the file;
// found = false when the path does not exist.
struct SectionSpan {
    bool found = false;
    uint32_t offset = 0; // of the body
    uint32_t size = 0;
};
SectionSpan FindSection(const std::vector<uint8_t>& file, const std::vector<PathStep>& path);
uint32_t U32At(const std::vector<uint8_t>& file, uint32_t offset);
float F32At(const std::vector<uint8_t>& file, uint32_t offset);
