#include "tests/wine/TestChecks.h"

#include <stdio.h>

namespace {
int g_failures = 0;

// Bytes outside printable ASCII are shown as \xNN so that Shift-JIS texts
// can be compared on any console.
std::string Printable(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out + "\"";
}
} // namespace

bool Check(const std::string& name, bool ok, const std::string& detail) {
    if (ok) {
        printf("PASS %s\n", name.c_str());
    } else {
        ++g_failures;
        printf("FAIL %s: %s\n", name.c_str(), detail.empty() ? "check failed" : detail.c_str());
    }
    fflush(stdout);
    return ok;
}

bool CheckText(const std::string& name, const std::string& actual, const std::string& expected) {
    return Check(name, actual == expected,
                 "got " + Printable(actual) + ", expected " + Printable(expected));
}

bool CheckNumber(const std::string& name, long long actual, long long expected) {
    return Check(name, actual == expected,
                 "got " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

int FailureCount() {
    return g_failures;
}
