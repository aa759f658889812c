#include "check/TextureNames.h"

#include <string.h>

#include <algorithm>

namespace {

void Fold(const char* text, char (&out)[kTextureNameFieldSize]) {
    size_t i = 0;
    for (; i < kMaxTextureNameLength && text[i] != '\0'; ++i) {
        char c = text[i];
        out[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    memset(out + i, 0, sizeof out - i);
}

bool Before(const TextureNameEntry& a, const TextureNameEntry& b) {
    int order = strcmp(a.folded, b.folded);
    return order != 0 ? order < 0 : a.texture < b.texture;
}

} // namespace

void AddTextureName(TextureNames& names, const char* name, int32_t texture) {
    TextureNameEntry e;
    Fold(name, e.folded);
    SetFindingText(e.name, name);
    e.texture = texture;
    names.entries.push_back(e);
}

void SortTextureNames(TextureNames& names) {
    std::sort(names.entries.begin(), names.entries.end(), Before);
}

bool HoldsTextureName(const TextureNames& names, const char* name) {
    if (strlen(name) > kMaxTextureNameLength)
        return false;
    TextureNameEntry key;
    Fold(name, key.folded);
    key.texture = INT32_MIN;
    auto at = std::lower_bound(names.entries.begin(), names.entries.end(), key, Before);
    return at != names.entries.end() && strcmp(at->folded, key.folded) == 0;
}

void CheckDuplicateNames(const TextureNames& names, FindingList& out) {
    const std::vector<TextureNameEntry>& e = names.entries;
    for (size_t i = 0; i < e.size();) {
        size_t end = i + 1;
        while (end < e.size() && strcmp(e[end].folded, e[i].folded) == 0)
            ++end;
        // Sorted by position within the name: the last one is the game's.
        for (size_t k = i; k + 1 < end; ++k) {
            Finding& f = out.Add(Rule::kTextureDuplicate);
            f.texture = e[k].texture;
            f.value = e[end - 1].texture;
            SetFindingText(f.name, e[k].name);
        }
        i = end;
    }
}
