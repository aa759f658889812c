#include "hostsim/HostState.h"

#include <string.h>

HostState& GetHostState() {
    static HostState state;
    return state;
}

HostSimDocument* FindDocument(HostDocument doc) {
    return GetHostState().documents.Find(doc);
}

HostSimObject* FindObject(HostObject obj) {
    return GetHostState().objects.Find(obj);
}

HostSimMaterial* FindMaterial(HostMaterial mat) {
    return GetHostState().materials.Find(mat);
}

void CopyBoundedText(const std::string& text, char* buffer, int32_t size) {
    if (buffer == nullptr || size <= 0) {
        return;
    }
    size_t length = text.size();
    if (length > static_cast<size_t>(size) - 1) {
        length = static_cast<size_t>(size) - 1;
    }
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}
