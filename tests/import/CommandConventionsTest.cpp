// The command's conventions, run as a user runs it: usage, help and version,
// and several models imported into one folder.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>

#include <SkelvaneVersion.h>

#include "tests/import/DffBuilder.h"
#include "tests/import/PedModel.h"

namespace {

struct Result {
    int status;
    std::string out; // stdout, then stderr after "--stderr--"
};

Result RunCommand(const std::string& folder, const std::string& arguments) {
    std::string command = "cd " + folder + " && " + SKELVANE_COMMAND + " " + arguments +
                          " 2>stderr.txt; echo \"--status $?\"; echo --stderr--; cat stderr.txt";
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    pclose(pipe);
    size_t at = text.rfind("--status ");
    if (at == std::string::npos)
        return {-1, text};
    int status = atoi(text.c_str() + at + 9);
    return {status, text.erase(at, text.find('\n', at) + 1 - at)};
}

std::string Folder() {
    char pattern[] = "/tmp/skelvane-conventions-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made != nullptr ? made : "";
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The objects of a document (the mesh and the bone object), without the
// material chunk before them, whose bone colours continue from model to model.
std::string ObjectsOf(const std::string& path) {
    std::string text = ReadText(path);
    size_t at = text.find("\nObject ");
    return at == std::string::npos ? "" : text.substr(at);
}

} // namespace

TEST(CommandConventions, UsageHelpAndVersion) {
    std::string folder = Folder();
    Result bare = RunCommand(folder, "");
    EXPECT_EQ(bare.status, 64);
    EXPECT_EQ(bare.out.find("--stderr--\nusage:"), 0u) << bare.out;
    Result version = RunCommand(folder, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "skelvane " SKELVANE_VERSION_TEXT "\n--stderr--\n");
    Result unknown = RunCommand(folder, "import a.dff -o a.mqo --bogus");
    EXPECT_EQ(unknown.status, 64);
    EXPECT_NE(unknown.out.find("skelvane import: unknown option --bogus\n"), std::string::npos);
    EXPECT_EQ(RunCommand(folder, "help").status, 0);
    Result help = RunCommand(folder, "help export");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, RunCommand(folder, "export --help").out);
    EXPECT_NE(help.out.find("  --mipmaps"), std::string::npos);
    EXPECT_EQ(RunCommand(folder, "help nothing").status, 64);
}

// Each model of a run into a folder is imported as a run of its own would
// import it (the dialog is answered anew for each); a model that fails is
// named and sets the exit status.
TEST(CommandConventions, SeveralModelsIntoAFolder) {
    std::string folder = Folder();
    ASSERT_FALSE(folder.empty());
    std::vector<uint8_t> bytes = BuildDff({MakePedModel(2).clump});
    for (const char* name : {"a.dff", "b.dff"})
        std::ofstream(folder + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    const std::string options = " --reset-pose --no-textures";
    Result both = RunCommand(folder, "import a.dff b.dff -o out" + options);
    ASSERT_EQ(both.status, 0) << both.out;
    EXPECT_NE(both.out.find("== a.dff\n== b.dff\n\nskelvane import: 2 models: 2 imported\n"),
              std::string::npos)
        << both.out;
    ASSERT_EQ(RunCommand(folder, "import b.dff -o alone.mqo" + options).status, 0);
    ASSERT_EQ(RunCommand(folder, "import b.dff -o posed.mqo --no-textures").status, 0);
    // The second model is imported by the plug-in the first one left loaded.
    std::string alone = ObjectsOf(folder + "/alone.mqo");
    ASSERT_FALSE(alone.empty());
    EXPECT_TRUE(alone != ObjectsOf(folder + "/posed.mqo")); // the reset pose shows
    EXPECT_TRUE(ObjectsOf(folder + "/out/b.mqo") == alone);
    EXPECT_FALSE(ObjectsOf(folder + "/out/a.mqo").empty());

    Result mixed = RunCommand(folder, "import a.dff missing.dff -o out2");
    EXPECT_EQ(mixed.status, 1);
    EXPECT_NE(mixed.out.find("2 models: 1 imported, 1 failed (missing.dff)"), std::string::npos)
        << mixed.out;
    EXPECT_EQ(RunCommand(folder, "import a.dff b.dff -o out3 --scene s.json").status, 64);
}
