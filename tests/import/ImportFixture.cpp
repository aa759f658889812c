#include "tests/import/ImportFixture.h"

void ImportTest::SetUp() {
    plugin_ = PluginHarness::Plugin("SkelvaneImport");
    ASSERT_NE(plugin_, nullptr);
    HostSimReset();
    harness_.Begin("Skelvane Import");
    doc_ = HostSimCreateDocument(folder_.c_str());
    // Unless a test says otherwise, import at scale 1.
    script_.typeScale = true;
    script_.mantissaText = "1";
    script_.exponentText = "0";
}

void ImportTest::TearDown() {
    harness_.End();
    // Whatever the outcome, nothing the importer made is left without an owner.
    EXPECT_EQ(HostSimUnownedObjectCount(), 0);
    EXPECT_EQ(HostSimUnownedMaterialCount(), 0);
}

void ImportTest::ResetDocument() {
    HostSimReset();
    doc_ = HostSimCreateDocument(folder_.c_str());
}

HostBool ImportTest::Import(const std::vector<uint8_t>& bytes, const char* name) {
    EXPECT_TRUE(harness_.WriteFile(name, bytes));
    return ImportPath(harness_.PathOf(name));
}

HostBool ImportTest::ImportPath(const std::string& path) {
    outcome_ = DialogOutcome();
    return plugin_->MQImportFile(0, path.c_str(), doc_);
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
