#include "tools/skelvane/CommandLine.h"

#include <string.h>

#include "tools/skelvane/ExitCodes.h"
#include "tools/skelvane/TextColumns.h"

namespace {

constexpr size_t kHelpColumn = 28;
constexpr size_t kUsageIndent = sizeof "usage: " - 1;

const OptionUse* LastUse(const CommandArguments& arguments, int id) {
    for (size_t k = arguments.options.size(); k-- > 0;)
        if (arguments.options[k].option->id == id)
            return &arguments.options[k];
    return nullptr;
}

size_t ValueCount(const OptionSpec& option) {
    size_t count = 0;
    for (const char* p = option.values; p != nullptr && *p != '\0'; ++p)
        if (*p != ' ' && (p == option.values || p[-1] == ' '))
            ++count;
    return count;
}

const OptionSpec* FindOption(const CommandSpec& command, const char* name) {
    for (size_t k = 0; k < command.optionCount; ++k)
        if (strcmp(command.options[k].name, name) == 0)
            return &command.options[k];
    return nullptr;
}

bool IsHelp(const char* argument) {
    return strcmp(argument, "--help") == 0 || strcmp(argument, "-h") == 0;
}

// "--scale MANTISSA EXPONENT", "-o OUT"
std::string OptionText(const OptionSpec& option) {
    std::string text = option.name;
    if (option.values != nullptr)
        text += std::string(" ") + option.values;
    return text;
}

std::string OperandCountProblem(const CommandSpec& command, size_t count) {
    if (static_cast<int>(count) < command.minOperands)
        return std::string(command.operands) + " is needed";
    return "too many operands: " + std::string(command.operands) + " is expected";
}

} // namespace

bool CommandArguments::Has(int id) const {
    return LastUse(*this, id) != nullptr;
}

const char* CommandArguments::Value(int id, size_t k) const {
    const OptionUse* use = LastUse(*this, id);
    return use != nullptr && k < use->values.size() ? use->values[k] : nullptr;
}

ParseOutcome ParseCommandLine(const CommandSpec& command, int argc, char** argv,
                              CommandArguments* arguments, std::string* problem) {
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (optionsEnded || argument[0] != '-' || argument[1] == '\0') {
            arguments->operands.push_back(argument);
            continue;
        }
        if (strcmp(argument, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        if (IsHelp(argument))
            return ParseOutcome::kHelp;
        const OptionSpec* option = FindOption(command, argument);
        if (option == nullptr) {
            *problem = std::string("unknown option ") + argument;
            return ParseOutcome::kUsageError;
        }
        OptionUse use = {option, {}};
        for (size_t k = ValueCount(*option); k > 0; --k) {
            if (++i == argc) {
                *problem = std::string(argument) + " needs " + option->values;
                return ParseOutcome::kUsageError;
            }
            use.values.push_back(argv[i]);
        }
        arguments->options.push_back(use);
    }
    for (size_t k = 0; k < command.optionCount; ++k) {
        const OptionSpec& option = command.options[k];
        if (option.required && !arguments->Has(option.id)) {
            *problem = OptionText(option) + " is needed";
            return ParseOutcome::kUsageError;
        }
    }
    size_t count = arguments->operands.size();
    if (static_cast<int>(count) < command.minOperands ||
        (command.maxOperands >= 0 && static_cast<int>(count) > command.maxOperands)) {
        *problem = OperandCountProblem(command, count);
        return ParseOutcome::kUsageError;
    }
    return ParseOutcome::kRun;
}

std::string CommandSynopsis(const CommandSpec& command, size_t indent) {
    std::string head = std::string("skelvane ") + command.name;
    std::vector<std::string> words = {command.operands};
    for (size_t k = 0; k < command.optionCount; ++k) {
        const OptionSpec& option = command.options[k];
        words.push_back(option.required ? OptionText(option) : "[" + OptionText(option) + "]");
    }
    return WrapWords(head, words, indent, kTextWidth);
}

void PrintCommandHelp(const CommandSpec& command, FILE* out) {
    fprintf(out, "usage: %s\n\n%s\n\noptions:\n", CommandSynopsis(command, kUsageIndent).c_str(),
            WrapText(command.summary, 0, kTextWidth).c_str());
    for (size_t k = 0; k <= command.optionCount; ++k) {
        bool help = k == command.optionCount;
        std::string name = help ? "-h, --help" : OptionText(command.options[k]);
        const char* text = help ? "print this help" : command.options[k].help;
        std::string line = "  " + name;
        if (line.size() + 2 > kHelpColumn)
            line += "\n" + std::string(kHelpColumn, ' ');
        else
            line.resize(kHelpColumn, ' ');
        fprintf(out, "%s%s\n", line.c_str(), WrapText(text, kHelpColumn, kTextWidth).c_str());
    }
    if (command.details != nullptr)
        fprintf(out, "\n%s\n", WrapText(command.details, 0, kTextWidth).c_str());
}

int CommandUsageError(const CommandSpec& command, const std::string& problem) {
    fprintf(stderr, "skelvane %s: %s\nusage: %s\n('skelvane help %s' describes every option)\n",
            command.name, problem.c_str(), CommandSynopsis(command, kUsageIndent).c_str(),
            command.name);
    return kExitUsage;
}

int RunCommand(const CommandSpec& command, int argc, char** argv) {
    CommandArguments arguments;
    std::string problem;
    switch (ParseCommandLine(command, argc, argv, &arguments, &problem)) {
    case ParseOutcome::kHelp:
        PrintCommandHelp(command, stdout);
        return kExitSuccess;
    case ParseOutcome::kUsageError:
        return CommandUsageError(command, problem);
    case ParseOutcome::kRun:
        break;
    }
    return command.run(arguments);
}

int WorstExitStatus(int a, int b) {
    auto rank = [](int status) {
        switch (status) {
        case kExitSuccess:
            return 0;
        case kExitCancelled:
            return 1;
        case kExitFailure:
            return 2;
        default:
            return 3;
        }
    };
    return rank(b) > rank(a) ? b : a;
}
