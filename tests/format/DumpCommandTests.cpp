#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "tests/format/TestStreams.h"
#include "tools/skelvane/DumpCommand.h"

namespace {

struct DumpResult {
    int status;
    std::string text;
};

DumpResult Dump(const std::vector<uint8_t>& bytes) {
    MemoryStream s(bytes.data(), bytes.size());
    FILE* out = tmpfile();
    DumpResult r{DumpSectionTree(s, out), ""};
    rewind(out);
    char line[256];
    while (fgets(line, sizeof line, out) != nullptr) {
        r.text += line;
    }
    fclose(out);
    return r;
}

const char kSmallClumpTree[] = "0x00000010 Clump  offset 0  size 105\n"
                               "  0x00000001 Struct  offset 12  size 12\n"
                               "  0x0000000E Frame List  offset 36  size 57\n"
                               "    0x00000001 Struct  offset 48  size 4\n"
                               "    0x00000003 Extension  offset 64  size 17\n"
                               "      0x0253F2FE Frame  offset 76  size 5\n"
                               "    0x00000003 Extension  offset 93  size 0\n"
                               "  0x00000003 Extension  offset 105  size 0\n";

} // namespace

TEST(DumpCommand, PrintsContainersDescendedAndLeavesWhole) {
    DumpResult r = Dump(BuildSmallClump());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.text, kSmallClumpTree);

    std::vector<uint8_t> bytes;
    AppendHeader(bytes, 0x120, 12); // unknown leaf; its body looks like a header
    AppendHeader(bytes, kSectionClump, 0);
    r = Dump(bytes);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.text, "0x00000120 unknown  offset 0  size 12\n");
}

TEST(DumpCommand, PrintsWhatItCanThenWhereADamagedFileGoesWrong) {
    std::vector<uint8_t> bytes = BuildSmallClump();
    StoreU32(bytes.data() + 40, 70); // Frame List one byte past the Clump
    DumpResult r = Dump(bytes);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.text, "0x00000010 Clump  offset 0  size 105\n"
                      "  0x00000001 Struct  offset 12  size 12\n"
                      "malformed at offset 36: size past the parent (type 0x0000000E, size 70)\n");

    StoreU32(bytes.data() + 40, 58); // swallows one byte of the next sibling
    r = Dump(bytes);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.text.find("    0x00000003 Extension  offset 93  size 0\n"
                          "malformed at offset 105: truncated header\n"),
              std::string::npos);

    bytes = BuildSmallClump();
    bytes.insert(bytes.end(), {0, 0, 0});
    r = Dump(bytes);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.text, std::string(kSmallClumpTree) + "malformed at offset 117: truncated header\n");
}

TEST(DumpCommand, FailsOnEveryTruncation) {
    const std::vector<uint8_t> whole = BuildSmallClump();
    EXPECT_EQ(Dump({}).status, 0);
    for (size_t length = 1; length < whole.size(); ++length) {
        const DumpResult r = Dump({whole.begin(), whole.begin() + length});
        EXPECT_EQ(r.status, 1) << length;
        EXPECT_EQ(r.text.rfind("malformed at offset 0: ", 0), 0u) << length;
    }
}

TEST(DumpCommand, RejectsBadUsageAndMissingFiles) {
    char missing[] = "/nonexistent/skelvane.dff";
    char unknown[] = "--depth";
    char* args[] = {missing, missing, unknown};
    EXPECT_EQ(RunCommand(kDumpCommand, 0, args), 64);
    EXPECT_EQ(RunCommand(kDumpCommand, 3, args), 64);
    EXPECT_EQ(RunCommand(kDumpCommand, 2, args), 1);
    EXPECT_EQ(RunCommand(kDumpCommand, 1, args), 1);
}
