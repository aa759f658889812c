#include "tests/import/ImportFixture.h"

#include <stdio.h>
#include <unistd.h>

#include "platform/posix/PosixHost.h"
#include "tools/skelvane/TextEncoding.h"

LoadedPlugin ImportTest::plugin_;

std::string Utf8(const std::string& shiftJis) {
    return ShiftJisToUtf8(shiftJis);
}

namespace {
struct Capture {
    std::vector<std::string>* messages;
    std::vector<std::string>* traces;
    DialogScript* script;
    DialogOutcome* outcome;
};
Capture g_capture;

int32_t OnMessage(void*, const char* text, const char* caption, uint32_t style) {
    EXPECT_STREQ(caption, "Skelvane Import");
    EXPECT_EQ(style, 0x10u);
    g_capture.messages->push_back(Utf8(text));
    return 1;
}
void OnTrace(void*, const char* text) {
    g_capture.traces->push_back(text);
}
intptr_t OnDialog(void*, int resourceId, DialogLogic* logic) {
    EXPECT_EQ(resourceId, 102);
    *g_capture.outcome = AnswerDialog(*g_capture.script, *logic);
    return g_capture.outcome->result;
}
} // namespace

void ImportTest::SetUpTestSuite() {
    if (plugin_.module != nullptr)
        return;
    std::string error;
    ASSERT_TRUE(LoadPlugin(PluginModulePath("SkelvaneImport"), &plugin_, &error)) << error;
}

void ImportTest::SetUp() {
    ASSERT_NE(plugin_.module, nullptr);
    HostSimReset();
    char pattern[] = "/tmp/skelvane-import-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    doc_ = HostSimCreateDocument(folder_.c_str());
    // Unless a test says otherwise, import at scale 1.
    script_.typeScale = true;
    script_.mantissaText = "1";
    script_.exponentText = "0";
    g_capture = Capture{&messages_, &traces_, &script_, &outcome_};
    PlatformSinks sinks = {OnMessage, OnTrace, OnDialog, nullptr};
    PlatformInstallSinks(&sinks);
}

void ImportTest::TearDown() {
    PlatformInstallSinks(nullptr);
    // Whatever the outcome, nothing the importer made is left without an owner.
    EXPECT_EQ(HostSimUnownedObjectCount(), 0);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 0);
    std::string command = "rm -rf '" + folder_ + "'";
    EXPECT_EQ(system(command.c_str()), 0);
}

HostBool ImportTest::Import(const std::vector<uint8_t>& bytes, const char* name) {
    std::string path = folder_ + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    if (f == nullptr)
        return 0;
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return ImportPath(path);
}

HostBool ImportTest::ImportPath(const std::string& path) {
    outcome_ = DialogOutcome();
    return plugin_.MQImportFile(0, path.c_str(), doc_);
}

const HostSimObject* ImportTest::Object(const char* name) const {
    const HostSimDocument* d = HostSimFindDocument(doc_);
    for (HostObject o : d->objects) {
        const HostSimObject* obj = HostSimFindObject(o);
        if (obj != nullptr && obj->name == name)
            return obj;
    }
    return nullptr;
}

const HostSimMaterial* ImportTest::Material(const char* name) const {
    const HostSimDocument* d = HostSimFindDocument(doc_);
    for (HostMaterial m : d->materials) {
        const HostSimMaterial* mat = HostSimFindMaterial(m);
        if (mat != nullptr && mat->name == name)
            return mat;
    }
    return nullptr;
}

int ImportTest::ObjectCount() const {
    return static_cast<int>(HostSimFindDocument(doc_)->objects.size());
}

int ImportTest::MaterialCount() const {
    return static_cast<int>(HostSimFindDocument(doc_)->materials.size());
}
