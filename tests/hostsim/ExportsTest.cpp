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
#define ENTRY_UNUSED(name) entries.push_back({#name, reinterpret_cast<void*>(table->name), true});
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

TEST(ExportsTest, UnusedFunctionsAnswerZero) {
    int unused = 0;
    for (const NamedFunction& entry : TableEntries()) {
        if (entry.unused) {
            ++unused;
            HostUnusedFunction call = reinterpret_cast<HostUnusedFunction>(entry.address);
            EXPECT_EQ(call(), 0) << entry.name;
        }
    }
    EXPECT_GT(unused, 0);
}

} // namespace
