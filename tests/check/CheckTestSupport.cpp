#include "tests/check/CheckTestSupport.h"

#include "check/DictionaryCheck.h"
#include "check/ModelCheck.h"
#include "format/ByteStream.h"

FindingList CheckModelBytes(const std::vector<uint8_t>& bytes, const TextureNames* names) {
    MemoryStream s(bytes.data(), bytes.size());
    FindingList list;
    ModelCounts counts;
    CheckModelStream(s, names, list, &counts);
    return list;
}

FindingList CheckDictionaryBytes(const std::vector<uint8_t>& bytes, TextureNames* names) {
    MemoryStream s(bytes.data(), bytes.size());
    FindingList list;
    TextureNames own;
    CheckDictionaryStream(s, list, names != nullptr ? names : &own);
    return list;
}

TextureNames NamesOf(const std::vector<std::string>& names) {
    TextureNames out;
    for (size_t i = 0; i < names.size(); ++i)
        AddTextureName(out, names[i].c_str(), static_cast<int32_t>(i));
    SortTextureNames(out);
    return out;
}

std::vector<std::string> RuleIds(const FindingList& list) {
    std::vector<std::string> ids;
    for (const Finding& f : list.items)
        ids.push_back(RuleId(f.rule));
    return ids;
}
