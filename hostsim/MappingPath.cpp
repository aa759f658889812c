#include "hostsim/MappingPath.h"

#include <string.h>

namespace {

#if defined(_WIN32)
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAbsolute(const std::string& name) {
    if (!name.empty() && IsSeparator(name[0])) {
        return true;
    }
    // A drive letter: "C:".
    return name.size() >= 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

std::string WithHostSeparators(std::string path) {
    for (char& c : path) {
        if (IsSeparator(c)) {
            c = kSeparator;
        }
    }
    return path;
}

} // namespace

bool ResolveMappingPath(const std::string& folder, const char* name, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) {
        return false;
    }
    out[0] = '\0';
    if (name == nullptr || name[0] == '\0') {
        return false;
    }
    std::string path = name;
    if (!IsAbsolute(path) && !folder.empty()) {
        std::string joined = folder;
        if (!IsSeparator(joined.back())) {
            joined += kSeparator;
        }
        path = joined + path;
    }
    path = WithHostSeparators(path);
    if (path.size() > outSize - 1) {
        return false;
    }
    memcpy(out, path.c_str(), path.size() + 1);
    return true;
}
