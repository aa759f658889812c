#include "tests/support/PluginHarness.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <map>
#include <memory>

#include "platform/posix/PosixHost.h"
#include "tools/skelvane/TextEncoding.h"

std::string Utf8(const std::string& shiftJis) {
    return ShiftJisToUtf8(shiftJis);
}

const LoadedPlugin* PluginHarness::Plugin(const char* moduleName) {
    static std::map<std::string, std::unique_ptr<LoadedPlugin>> loaded;
    std::unique_ptr<LoadedPlugin>& slot = loaded[moduleName];
    if (!slot) {
        slot.reset(new LoadedPlugin);
        std::string error;
        if (!LoadPlugin(PluginModulePath(moduleName), slot.get(), &error)) {
            ADD_FAILURE() << error;
            slot.reset();
            return nullptr;
        }
    }
    return slot.get();
}

namespace {

int32_t OnMessage(void* user, const char* text, const char* caption, uint32_t style) {
    PluginHarness* h = static_cast<PluginHarness*>(user);
    EXPECT_EQ(caption, h->caption);
    EXPECT_TRUE(style == 0x10u || style == 0x30u) << style;
    h->messages.push_back(Utf8(text));
    h->styles.push_back(style);
    return 1;
}

void OnTrace(void* user, const char* text) {
    static_cast<PluginHarness*>(user)->traces.push_back(text);
}

intptr_t OnDialog(void* user, int resourceId, DialogLogic* logic) {
    PluginHarness* h = static_cast<PluginHarness*>(user);
    EXPECT_EQ(resourceId, 102);
    h->outcome = AnswerDialog(h->script, *logic);
    return h->outcome.result;
}

} // namespace

void PluginHarness::Begin(const char* captionText) {
    caption = captionText;
    char pattern[] = "/tmp/skelvane-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    PlatformSinks sinks = {OnMessage, OnTrace, OnDialog, this};
    PlatformInstallSinks(&sinks);
}

void PluginHarness::End() {
    PlatformInstallSinks(nullptr);
    std::string command = "rm -rf '" + folder + "'";
    EXPECT_EQ(system(command.c_str()), 0);
}

bool PluginHarness::WriteFile(const char* name, const std::vector<uint8_t>& bytes) const {
    FILE* f = fopen(PathOf(name).c_str(), "wb");
    if (f == nullptr)
        return false;
    bool ok = bytes.empty() || fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

std::vector<uint8_t> PluginHarness::ReadFile(const char* name) const {
    std::vector<uint8_t> bytes;
    FILE* f = fopen(PathOf(name).c_str(), "rb");
    if (f == nullptr)
        return bytes;
    uint8_t block[4096];
    size_t n;
    while ((n = fread(block, 1, sizeof block, f)) > 0)
        bytes.insert(bytes.end(), block, block + n);
    fclose(f);
    return bytes;
}

std::vector<std::string> PluginHarness::Files() const {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}
