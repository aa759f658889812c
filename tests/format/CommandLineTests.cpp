// The subcommands' option tables: parsing, the usage written from the same
// table, and the tally of several inputs.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "tools/skelvane/CommandLine.h"
#include "tools/skelvane/DumpCommand.h"
#include "tools/skelvane/InputTally.h"
#include "tools/skelvane/TextColumns.h"
#include "tools/skelvane/TxdCommand.h"

namespace {

enum { kOut = 1, kScale, kFlag };

const OptionSpec kOptions[] = {
    {kOut, "-o", "OUT", "where to write", true},
    {kScale, "--scale", "MANTISSA EXPONENT", "two values", false},
    {kFlag, "--flag", nullptr, "a switch", false},
};

int RunNothing(const CommandArguments&) {
    return 0;
}

const CommandSpec kSpec = {"try",      "FILE...", 1,        2, "brief",
                           "Summary.", nullptr,   kOptions, 3, RunNothing};

struct Parsed {
    // The arguments' bytes, which the parsed arguments point into (the
    // buffers stay put when the record moves).
    std::vector<std::vector<char>> words;
    ParseOutcome outcome;
    CommandArguments arguments;
    std::string problem;
};

Parsed Parse(const std::vector<std::string>& words) {
    Parsed p;
    std::vector<char*> argv;
    for (const std::string& w : words) {
        p.words.emplace_back(w.c_str(), w.c_str() + w.size() + 1);
        argv.push_back(p.words.back().data());
    }
    p.outcome = ParseCommandLine(kSpec, static_cast<int>(argv.size()), argv.data(), &p.arguments,
                                 &p.problem);
    return p;
}

std::string ReadAll(FILE* f) {
    std::string text;
    rewind(f);
    char buffer[256];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    fclose(f);
    return text;
}

} // namespace

TEST(CommandLine, TakesOptionsAnywhereAndValuesAsTheyAre) {
    Parsed p = Parse({"a.dff", "--scale", "2.5", "-1", "-o", "out", "--", "-b.dff"});
    ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.problem;
    ASSERT_EQ(p.arguments.operands.size(), 2u);
    EXPECT_STREQ(p.arguments.operands[1], "-b.dff");
    EXPECT_STREQ(p.arguments.Value(kScale, 1), "-1");
    EXPECT_STREQ(p.arguments.Value(kOut), "out");
    EXPECT_FALSE(p.arguments.Has(kFlag));
}

TEST(CommandLine, NamesWhatIsWrong) {
    EXPECT_EQ(Parse({"a", "-o", "x", "--bogus"}).problem, "unknown option --bogus");
    EXPECT_EQ(Parse({"a", "--scale", "1"}).problem, "--scale needs MANTISSA EXPONENT");
    EXPECT_EQ(Parse({"a"}).problem, "-o OUT is needed");
    EXPECT_EQ(Parse({"-o", "x"}).problem, "FILE... is needed");
    EXPECT_EQ(Parse({"a", "b", "c", "-o", "x"}).outcome, ParseOutcome::kUsageError);
    EXPECT_EQ(Parse({"--bogus", "--help"}).outcome, ParseOutcome::kUsageError);
    EXPECT_EQ(Parse({"a", "-h"}).outcome, ParseOutcome::kHelp);
}

// The usage and the help are written from the table the parser reads: every
// option shows, in the table's order, within the terminal's width.
TEST(CommandLine, UsageAndHelpShowEveryOption) {
    for (const CommandSpec* command : {&kSpec, &kDumpCommand, &kTxdCommand}) {
        std::string synopsis = CommandSynopsis(*command, 7);
        FILE* f = tmpfile();
        PrintCommandHelp(*command, f);
        std::string help = ReadAll(f);
        size_t at = 0;
        for (size_t k = 0; k < command->optionCount; ++k) {
            std::string name = command->options[k].name;
            at = synopsis.find(name, at);
            EXPECT_NE(at, std::string::npos) << command->name << " " << name;
            EXPECT_NE(help.find("  " + name), std::string::npos) << command->name << " " << name;
        }
        size_t start = 0;
        for (std::string line = "usage: " + synopsis + "\n" + help; start < line.size();) {
            size_t end = line.find('\n', start);
            EXPECT_LE(DisplayWidth(line.substr(start, end - start)), kTextWidth)
                << line.substr(start, end - start);
            start = end + 1;
        }
    }
}

TEST(CommandLine, JapaneseTakesTwoColumns) {
    EXPECT_EQ(DisplayWidth("拡大率 x"), 8u);
}

TEST(CommandLine, WorstStatusRanksUsageOverFailureOverCancel) {
    EXPECT_EQ(WorstExitStatus(0, 2), 2);
    EXPECT_EQ(WorstExitStatus(2, 1), 1);
    EXPECT_EQ(WorstExitStatus(1, 2), 1);
    EXPECT_EQ(WorstExitStatus(64, 1), 64);
}

TEST(InputTally, NamesEachInputAndCountsOutcomes) {
    FILE* f = tmpfile();
    InputTally tally("dump", "files", f);
    tally.Begin("a.dff");
    tally.End(0, "well-formed");
    tally.Begin("b.dff");
    tally.End(1, "malformed");
    tally.Begin("c.dff");
    tally.End(1, "malformed");
    EXPECT_EQ(tally.Finish(), 1);
    EXPECT_EQ(ReadAll(f), "== a.dff\n== b.dff\n== c.dff\n\nskelvane dump: 3 files: 1 well-formed, "
                          "2 malformed (b.dff, c.dff)\n");
}
