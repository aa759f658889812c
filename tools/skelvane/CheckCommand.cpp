#include "tools/skelvane/CheckCommand.h"

#include <string.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>

#include "check/DictionaryCheck.h"
#include "check/ModelCheck.h"
#include "format/FileStream.h"
#include "frame/PathParts.h"
#include "frame/TextCase.h"
#include "platform/Platform.h"
#include "tools/skelvane/CheckMessages.h"
#include "tools/skelvane/ExitCodes.h"

namespace fs = std::filesystem;

namespace {

// One file checked, with what was found.
struct Report {
    bool dictionary = false;
    std::string dictionaryPath; // a model's dictionary beside it, empty when none
    FindingList findings;
    ModelCounts counts;
    TextureNames names;     // a dictionary's
    bool namesRead = false; // whether the dictionary could be opened for them
};

bool HasExtension(const std::string& path, const char* extension) {
    const char* dot = ExtensionOf(path.c_str());
    return dot != nullptr && SameTextIgnoringCase(dot, extension);
}

// The files an operand names: itself, or a folder's .dff and .txd files at
// any depth. A path that cannot be read is kept, to be reported.
void CollectFiles(const std::string& operand, std::map<std::string, Report>& files) {
    std::error_code error;
    if (!fs::is_directory(operand, error)) {
        files[operand].dictionary = HasExtension(operand, ".txd");
        return;
    }
    fs::recursive_directory_iterator it(operand, fs::directory_options::skip_permission_denied,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        std::string path = it->path().string();
        if (HasExtension(path, ".dff") || HasExtension(path, ".txd"))
            files[path].dictionary = HasExtension(path, ".txd");
    }
    if (error)
        files[operand].findings.Add(Rule::kFileUnreadable);
}

// The dictionary of the model's name in its folder, letter case ignored.
std::string DictionaryBeside(const std::string& model) {
    const size_t folderLength = FolderLengthOf(model.c_str());
    std::string folder = model.substr(0, folderLength);
    std::vector<char> stem(model.size() + 1);
    FileStemOf(model.c_str(), stem.data(), stem.size());
    std::string name = std::string(stem.data()) + ".txd";
    std::vector<char> found(folder.size() + name.size() + 256);
    if (!PlatformFindFileIgnoringCase(folder.c_str(), name.c_str(), found.data(), found.size()))
        return std::string();
    return found.data();
}

void CheckDictionary(const std::string& path, Report& r) {
    FileStream file;
    if (!file.OpenForRead(path.c_str())) {
        r.findings.Add(Rule::kFileUnreadable);
        return;
    }
    r.namesRead = CheckDictionaryStream(file, r.findings, &r.names);
}

void CheckModel(const std::string& path, const Report* dictionary, Report& r) {
    FileStream file;
    if (!file.OpenForRead(path.c_str())) {
        r.findings.Add(Rule::kFileUnreadable);
        return;
    }
    const bool names = dictionary != nullptr && dictionary->namesRead;
    CheckModelStream(file, names ? &dictionary->names : nullptr, r.findings, &r.counts);
}

nlohmann::json FindingJson(const Finding& f, const ModelCounts& counts) {
    nlohmann::json j;
    j["severity"] = SeverityName(f.severity);
    j["rule"] = RuleId(f.rule);
    j["where"] = FindingPlace(f, counts);
    const std::pair<const char*, int32_t> places[] = {
        {"clump", f.clump}, {"geometry", f.geometry}, {"atomic", f.atomic},   {"frame", f.frame},
        {"bone", f.bone},   {"material", f.material}, {"texture", f.texture}, {"vertex", f.vertex},
    };
    for (const auto& place : places)
        if (place.second != kNoIndex)
            j[place.first] = place.second;
    if (f.nodeId != kNoNodeId)
        j["nodeId"] = f.nodeId;
    if (f.count > 0)
        j["count"] = f.count;
    if (f.name[0] != '\0')
        j["name"] = f.name;
    if (f.offset != kNoOffset) {
        j["offset"] = f.offset;
        j["section"] = f.section;
    }
    if (SentenceTellsValue(f.rule))
        j["value"] = f.value;
    if (SentenceTellsLimit(f.rule))
        j["limit"] = f.limit;
    j["message"] = FindingSentence(f);
    return j;
}

struct Totals {
    uint32_t models = 0, dictionaries = 0, alone = 0, errors = 0, warnings = 0, unlisted = 0;
};

Totals TotalsOf(const std::map<std::string, Report>& files) {
    Totals t;
    for (const auto& [path, r] : files) {
        (r.dictionary ? t.dictionaries : t.models)++;
        if (!r.dictionary && r.dictionaryPath.empty())
            t.alone++;
        t.errors += r.findings.errors;
        t.warnings += r.findings.warnings;
        t.unlisted += r.findings.dropped;
    }
    return t;
}

void PrintLines(const std::map<std::string, Report>& files, FILE* out) {
    for (const auto& [path, r] : files)
        for (const Finding& f : r.findings.items)
            fprintf(out, "%s: %s %s %s: %s\n", path.c_str(), SeverityName(f.severity),
                    RuleId(f.rule), FindingPlace(f, r.counts).c_str(), FindingSentence(f).c_str());
    const Totals t = TotalsOf(files);
    fprintf(out,
            "checked %u model(s) (%u without a dictionary beside them) and %u "
            "dictionar%s: %u error(s), %u warning(s)",
            t.models, t.alone, t.dictionaries, t.dictionaries == 1 ? "y" : "ies", t.errors,
            t.warnings);
    if (t.unlisted > 0)
        fprintf(out, " (%u not listed)", t.unlisted);
    fprintf(out, "\n");
}

void PrintJson(const std::map<std::string, Report>& files, FILE* out) {
    nlohmann::json doc;
    doc["files"] = nlohmann::json::array();
    for (const auto& [path, r] : files) {
        nlohmann::json file;
        file["path"] = path;
        file["kind"] = r.dictionary ? "dictionary" : "model";
        if (!r.dictionary)
            file["dictionary"] = r.dictionaryPath.empty() ? nlohmann::json(nullptr)
                                                          : nlohmann::json(r.dictionaryPath);
        file["findings"] = nlohmann::json::array();
        for (const Finding& f : r.findings.items)
            file["findings"].push_back(FindingJson(f, r.counts));
        file["notListed"] = r.findings.dropped;
        doc["files"].push_back(std::move(file));
    }
    const Totals t = TotalsOf(files);
    doc["models"] = t.models;
    doc["modelsWithoutDictionary"] = t.alone;
    doc["dictionaries"] = t.dictionaries;
    doc["errors"] = t.errors;
    doc["warnings"] = t.warnings;
    // Names that are not UTF-8 are printed with U+FFFD in place of their bytes.
    const std::string text = doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
    fprintf(out, "%s\n", text.c_str());
}

} // namespace

int CheckFiles(const std::vector<std::string>& operands, bool json, FILE* out) {
    std::map<std::string, Report> files;
    for (const std::string& operand : operands)
        CollectFiles(operand, files);
    // Each model's dictionary is checked too, once, whether named or not.
    std::vector<std::string> models;
    for (auto& [path, r] : files)
        if (!r.dictionary && r.findings.items.empty())
            models.push_back(path);
    for (const std::string& model : models) {
        std::string dictionary = DictionaryBeside(model);
        files[model].dictionaryPath = dictionary;
        if (!dictionary.empty())
            files[dictionary].dictionary = true;
    }
    for (auto& [path, r] : files)
        if (r.dictionary && r.findings.items.empty())
            CheckDictionary(path, r);
    for (auto& [path, r] : files)
        if (!r.dictionary && r.findings.items.empty())
            CheckModel(path, r.dictionaryPath.empty() ? nullptr : &files[r.dictionaryPath], r);
    if (json)
        PrintJson(files, out);
    else
        PrintLines(files, out);
    return TotalsOf(files).errors > 0 ? kExitFailure : kExitSuccess;
}

namespace {

enum { kOptionJson };

const OptionSpec kCheckOptions[] = {
    {kOptionJson, "--json", nullptr, "print one JSON document instead of lines", false},
};

int RunCheck(const CommandArguments& arguments) {
    std::vector<std::string> operands(arguments.operands.begin(), arguments.operands.end());
    return CheckFiles(operands, arguments.Has(kOptionJson), stdout);
}

} // namespace

const CommandSpec kCheckCommand = {
    "check",
    "FILE|DIR...",
    1,
    -1,
    "holds models and texture dictionaries to the game's rules",
    "Checks each model (.dff) with the texture dictionary of its name beside it, and each "
    "dictionary alone (folders are searched recursively): every reader's own checks, then the "
    "game's rules, each finding with its rule id, where it stands and one sentence.",
    "Exit status: 0 no error (warnings allowed), 1 any error, 64 usage error.",
    kCheckOptions,
    sizeof kCheckOptions / sizeof kCheckOptions[0],
    RunCheck};
