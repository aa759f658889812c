// `skelvane check` over files on disk: a model with the dictionary of its
// name beside it, folders searched at every depth, the plain lines and the
// JSON document, exit statuses; and the bundled sample, which breaks nothing.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/check/PedRecords.h"
#include "tests/format/TxdBuilder.h"
#include "tools/skelvane/CheckCommand.h"

namespace fs = std::filesystem;

namespace {

struct CommandRun {
    int status;
    std::string text;
};

CommandRun CheckAndRead(const std::vector<std::string>& operands, bool json) {
    FILE* out = tmpfile();
    CommandRun r{CheckFiles(operands, json, out), ""};
    rewind(out);
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, out)) > 0)
        r.text.append(buffer, n);
    fclose(out);
    return r;
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

BuiltTexture Plain(const std::string& name) {
    BuiltTexture t;
    t.name = name;
    t.rasterFormat = kRasterFormat8888;
    t.d3dFormat = kD3DFormatA8R8G8B8;
    t.width = 2;
    t.height = 2;
    t.depth = 32;
    t.levels.emplace_back(16, 0);
    return t;
}

class CheckCommand : public testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/skelvane-check-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

} // namespace

TEST_F(CheckCommand, ModelWithItsDictionaryBesideInAnyLetterCase) {
    PedRecords ped;
    MakePed(&ped);
    WriteFile(Path("ped.dff"), PedBytes(ped));
    WriteFile(Path("PED.TXD"), TextureDictionaryBytes({Plain("Body")}));
    CommandRun r = CheckAndRead({Path("ped.dff")}, false);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.text, "checked 1 model(s) (0 without a dictionary beside them) and 1 dictionary: "
                      "0 error(s), 0 warning(s)\n");
}

TEST_F(CheckCommand, FolderAtEveryDepthWithOneLinePerFinding) {
    PedRecords ped;
    MakePed(&ped);
    strcpy(ped.frames.extensions[5].name, "abcdefghijklmnopqrstuvwxyz");
    WriteFile(Path("peds/deep/ped.dff"), PedBytes(ped));
    WriteFile(Path("peds/deep/ped.txd"), TextureDictionaryBytes({Plain("body"), Plain("Body")}));
    WriteFile(Path("peds/other.dff"), PedBytes(ped));
    CommandRun r = CheckAndRead({Path("peds")}, false);
    EXPECT_EQ(r.status, 1);
    const std::string deep = Path("peds/deep/ped.dff");
    EXPECT_NE(r.text.find(deep +
                          ": error frame-name-length frame 5 \"abcdefghijklmnopqrstuvwxyz\": "
                          "the frame name takes 26 bytes"),
              std::string::npos)
        << r.text;
    EXPECT_NE(
        r.text.find(Path("peds/deep/ped.txd") + ": warning texture-duplicate texture 0 \"body\": "),
        std::string::npos)
        << r.text;
    // The model without a dictionary is checked without texture names.
    EXPECT_NE(r.text.find(Path("peds/other.dff") + ": error frame-name-length"), std::string::npos);
    EXPECT_NE(r.text.find("checked 2 model(s) (1 without a dictionary beside them) and 1 "
                          "dictionary: 2 error(s), 1 warning(s)\n"),
              std::string::npos)
        << r.text;
}

TEST_F(CheckCommand, JsonForTools) {
    PedRecords ped;
    MakePed(&ped);
    WriteFile(Path("a.dff"), PedBytes(ped));
    WriteFile(Path("a.txd"), TextureDictionaryBytes({Plain("head")}));
    CommandRun r = CheckAndRead({dir_.string()}, true);
    EXPECT_EQ(r.status, 0);
    nlohmann::json doc = nlohmann::json::parse(r.text, nullptr, false);
    ASSERT_FALSE(doc.is_discarded()) << r.text;
    EXPECT_EQ(doc["errors"], 0);
    EXPECT_EQ(doc["warnings"], 1);
    ASSERT_EQ(doc["files"].size(), 2u);
    const nlohmann::json& model = doc["files"][0];
    EXPECT_EQ(model["path"], Path("a.dff"));
    EXPECT_EQ(model["kind"], "model");
    EXPECT_EQ(model["dictionary"], Path("a.txd"));
    ASSERT_EQ(model["findings"].size(), 1u);
    const nlohmann::json& f = model["findings"][0];
    EXPECT_EQ(f["rule"], "texture-missing");
    EXPECT_EQ(f["severity"], "warning");
    EXPECT_EQ(f["material"], 0);
    EXPECT_EQ(f["name"], "body");
    EXPECT_FALSE(f.contains("value"));
    EXPECT_NE(f["message"].get<std::string>().find("untextured"), std::string::npos);
}

TEST_F(CheckCommand, FileThatCannotBeOpened) {
    CommandRun r = CheckAndRead({Path("missing.dff")}, false);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.text.find(Path("missing.dff") + ": error file-unreadable file: "), 0u) << r.text;
}

TEST_F(CheckCommand, UsageErrors) {
    char name[] = "--bogus";
    char* unknown[] = {name};
    EXPECT_EQ(RunCommand(kCheckCommand, 1, unknown), 64);
    EXPECT_EQ(RunCommand(kCheckCommand, 0, nullptr), 64);
}

TEST_F(CheckCommand, TheBundledSampleAndItsExportHaveNoError) {
    const std::string source = SKELVANE_SOURCE_DIR;
    const std::string exportCommand = std::string(SKELVANE_COMMAND) + " export " + source +
                                      "/samples/sample.json -o " + Path("sample.dff") +
                                      " --txd --compress --mipmaps > /dev/null 2>&1";
    ASSERT_EQ(system(exportCommand.c_str()), 0);
    CommandRun r = CheckAndRead({dir_.string(), source + "/samples/sample.dff"}, false);
    EXPECT_EQ(r.status, 0) << r.text;
    EXPECT_EQ(r.text.find(": error "), std::string::npos) << r.text;
    EXPECT_NE(r.text.find("checked 2 model(s) (1 without a dictionary beside them) and 1 "
                          "dictionary: 0 error(s)"),
              std::string::npos)
        << r.text;
}
