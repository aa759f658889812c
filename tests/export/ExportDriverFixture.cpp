#include "tests/export/ExportDriverFixture.h"

#include <stdio.h>

#include "format/SectionReader.h"
#include "hostsim/HostSim.h"
#include "hostsim/KeynoteStandIn.h"
#include "scene/SceneBuild.h"

void ExportDriverTest::SetUp() {
    plugin_ = PluginHarness::Plugin("SkelvaneExport");
    ASSERT_NE(plugin_, nullptr);
    HostSimReset();
    harness_.Begin("Skelvane Export");
    // Scale 1 unless a test types another.
    harness_.script.typeScale = true;
    harness_.script.mantissaText = "1";
    harness_.script.exponentText = "0";
}

void ExportDriverTest::TearDown() {
    // Keynote's document is released on every way out, and the work objects
    // are deleted.
    EXPECT_EQ(HostSimKeynoteLiveDocumentCount(), 0);
    EXPECT_EQ(HostSimUnownedObjectCount(), 0);
    harness_.End();
}

HostBool ExportDriverTest::Export(const std::string& scene, const char* output) {
    std::string error;
    EXPECT_TRUE(HostSimLoadSceneText(scene, harness_.folder.c_str(), &doc_, &error)) << error;
    harness_.outcome = DialogOutcome();
    return plugin_->MQExportFile(0, harness_.PathOf(output).c_str(), doc_);
}

std::string SceneText(const std::string& vertices, const std::string& faces,
                      const std::string& materials, const std::string& bones,
                      const std::string& keynote, const std::string& skin) {
    std::string text =
        "{\"keynote\": " + keynote + ", \"materials\": " + materials +
        ", \"objects\": [{\"name\": \"body\", \"shading\": 0, \"vertices\": " + vertices +
        ", \"faces\": " + faces;
    if (!skin.empty())
        text += ", \"skin\": " + skin;
    return text + "}], \"bones\": " + bones + "}";
}

std::string BoneText(const char* name, const char* tag, const char* parent, float x, float y,
                     float z) {
    char text[512];
    snprintf(text, sizeof text,
             "{\"name\": \"%s\", \"tag\": \"%s\", \"parent\": %s, \"position\": [%g, %g, %g], "
             "\"matrix\": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]}",
             name, tag, parent, x, y, z);
    return text;
}

std::string NoticeText(const std::vector<std::string>& lines) {
    std::string text = "ファイルを書き出しました。ゲームでは次の点に注意してください。";
    for (const std::string& line : lines)
        text += "\n" + line;
    return text;
}

const char* const kRootOnlyPedLine =
    "ペッドの標準ボーンIDがありません（ペッドとして使うとゲームが異常終了します）: "
    "2, 3, 4, 5, 8, 21, 22, 23, 24, 31, 32, 33, 34, 41, 42, 43, 51, 52, 53";

std::string ZeroWeightLine(unsigned count, int first) {
    return "ウェイトの合計が0の頂点が" + std::to_string(count) +
           "個あります（ゲームでは消えます）。最初の頂点: " + std::to_string(first);
}

SectionSpan FindSection(const std::vector<uint8_t>& file, const std::vector<PathStep>& path) {
    SectionSpan span;
    MemoryStream stream(file.data(), file.size());
    SectionCursor c;
    if (!OpenSectionCursor(c, stream))
        return span;
    for (const PathStep& step : path) {
        for (int k = 0; k < step.skip; ++k) {
            if (!FindChildSection(c, step.type))
                return span;
            LeaveSection(c);
        }
        if (!FindChildSection(c, step.type))
            return span;
    }
    span.found = true;
    span.offset = c.bodyStart[c.depth - 1];
    span.size = SectionBodyLength(c);
    return span;
}

uint32_t U32At(const std::vector<uint8_t>& file, uint32_t offset) {
    return offset + 4 <= file.size() ? LoadU32(&file[offset]) : 0xDEADBEEF;
}

float F32At(const std::vector<uint8_t>& file, uint32_t offset) {
    return offset + 4 <= file.size() ? LoadF32(&file[offset]) : -1e30f;
}
