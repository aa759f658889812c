#include "hostsim/HostState.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
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

void ReportBreach(const char* function, const char* format, ...) {
    char detail[256];
    va_list args;
    va_start(args, format);
    vsnprintf(detail, sizeof detail, format, args);
    va_end(args);
    HostSimBreachHandler handler = GetHostState().breachHandler;
    if (handler != nullptr) {
        handler(function, detail);
        return;
    }
    fprintf(stderr, "host contract breached: %s: %s\n", function, detail);
    fflush(stderr);
    abort();
}

HostSimDocument* DocumentOf(const char* function, HostDocument doc) {
    HostSimDocument* record = FindDocument(doc);
    if (record == nullptr) {
        ReportBreach(function, "document handle 0x%08X was never given out or is gone", doc);
    }
    return record;
}

HostSimObject* ObjectOf(const char* function, HostObject obj) {
    HostSimObject* record = FindObject(obj);
    if (record == nullptr) {
        ReportBreach(function, "object handle 0x%08X was never given out or is gone", obj);
    }
    return record;
}

HostSimMaterial* MaterialOf(const char* function, HostMaterial mat) {
    HostSimMaterial* record = FindMaterial(mat);
    if (record == nullptr) {
        ReportBreach(function, "material handle 0x%08X was never given out or is gone", mat);
    }
    return record;
}

bool InRange(const char* function, const char* what, int64_t value, int64_t first, int64_t last) {
    if (value >= first && value <= last) {
        return true;
    }
    ReportBreach(function, "%s %lld outside %lld..%lld", what, static_cast<long long>(value),
                 static_cast<long long>(first), static_cast<long long>(last));
    return false;
}
