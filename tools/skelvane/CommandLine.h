// The subcommands' command lines: each subcommand is one CommandSpec with its
// option table; the same table parses the arguments and writes the usage and
// the help, so the two cannot disagree.
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

struct OptionSpec {
    int id;             // the subcommand's own number for it
    const char* name;   // "-o", "--scale"
    const char* values; // the names of its values ("MANTISSA EXPONENT"), or null for a switch
    const char* help;   // one line
    bool required;      // given on every run
};

struct OptionUse {
    const OptionSpec* option;
    std::vector<const char*> values;
};

struct CommandArguments {
    std::vector<const char*> operands;
    std::vector<OptionUse> options; // in command-line order

    bool Has(int id) const;
    // The k-th value of the option's last use, or null when it is not given.
    const char* Value(int id, size_t k = 0) const;
};

struct CommandSpec {
    const char* name;
    const char* operands; // as the usage shows them: "FILE..."
    int minOperands;
    int maxOperands;     // -1: any number
    const char* brief;   // what it does, for the list of commands
    const char* summary; // what it does, for its help
    const char* details; // the help's closing paragraph (exit statuses), or null
    const OptionSpec* options;
    size_t optionCount;
    int (*run)(const CommandArguments& arguments);
};

enum class ParseOutcome {
    kRun,
    kHelp,       // --help or -h was given
    kUsageError, // *problem says what is wrong, naming the argument
};

// Parses the arguments after the subcommand's name: options anywhere, their
// values taken as they are (so "--scale 2.5 -1" works), "--" ends the options.
ParseOutcome ParseCommandLine(const CommandSpec& command, int argc, char** argv,
                              CommandArguments* arguments, std::string* problem);

// "skelvane NAME OPERANDS [-o X] [--flag] ...", starting at column indent,
// wrapped under its operands.
std::string CommandSynopsis(const CommandSpec& command, size_t indent);
// The synopsis, the summary, one line per option and the details.
void PrintCommandHelp(const CommandSpec& command, FILE* out);
// "skelvane NAME: PROBLEM" and the usage on stderr; returns the usage exit status.
int CommandUsageError(const CommandSpec& command, const std::string& problem);
// Parses the arguments and runs the subcommand, or prints its help or usage.
int RunCommand(const CommandSpec& command, int argc, char** argv);

// The exit status of several runs: the worst of them (success, then
// cancelled, then failure, then usage error).
int WorstExitStatus(int a, int b);
