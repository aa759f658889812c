#include <dlfcn.h>

#include <string>
#include <vector>

#include "tests/hostsim/HostSimFixture.h"

namespace {

struct NamedFunction {
    const char* name;
    void* address;
    bool unused;
};

// The host functions as the table names them, with this program's addresses.
std::vector<NamedFunction> TableEntries() {
    const HostFunctionTable* table = HostSimFunctions();
    std::vector<NamedFunction> entries;
#define ENTRY_TYPED(ret, name, params)                                                             \
    entries.push_back({#name, reinterpret_cast<void*>(table->name), false});
#define ENTRY_UNUSED(ret, name, params)                                                            \
    entries.push_back({#name, reinterpret_cast<void*>(table->name), true});
    MQ_HOST_FUNCTIONS(ENTRY_TYPED, ENTRY_UNUSED)
#undef ENTRY_TYPED
#undef ENTRY_UNUSED
    return entries;
}

TEST(ExportsTest, EveryHostFunctionIsFoundByName) {
    void* library = dlopen(HOSTSIM_LIBRARY_PATH, RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    std::vector<NamedFunction> entries = TableEntries();
    ASSERT_EQ(entries.size(), static_cast<size_t>(kHostFunctionCount));
    for (const NamedFunction& entry : entries) {
        void* found = dlsym(library, entry.name);
        EXPECT_NE(entry.address, nullptr) << entry.name;
        EXPECT_EQ(found, entry.address) << entry.name;
    }
    dlclose(library);
}

// The functions the plug-ins only bind answer zero and change nothing.
TEST_F(HostSimFixture, UnusedFunctionsAnswerZero) {
    const HostFunctionTable* host = HostSimFunctions();
    HostDocument doc = HostSimCreateDocument("");
    HostObject obj = host->MQ_CreateObject();
    Point3 p = {1.0f, 2.0f, 3.0f};
    host->MQObj_AddVertex(obj, &p);
    host->MQDoc_AddObject(doc, obj);
    host->MQDoc_DeleteObject(doc, 0);
    host->MQObj_DeleteVertex(obj, 0, 1);
    EXPECT_EQ(host->MQDoc_GetObjectCount(doc), 1);
    EXPECT_EQ(host->MQObj_GetVertexCount(obj), 1);
    EXPECT_EQ(host->MQDoc_GetCurrentObjectIndex(doc), 0);
    EXPECT_EQ(host->MQObj_GetVertexWeight(obj, 0), 0.0f);
    EXPECT_EQ(host->MQObj_GetVertexUniqueID(obj, 0), 0u);
    EXPECT_EQ(host->MQ_GetSystemPath(nullptr, 1), 0);
    int unused = 0;
    for (const NamedFunction& entry : TableEntries()) {
        unused += entry.unused ? 1 : 0;
    }
    EXPECT_GT(unused, 0);
}

} // namespace
