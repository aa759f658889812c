#include <dlfcn.h>
#include <string.h>

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "frame/HostBinding.h"

namespace {

// Every test host function returns its own name.
typedef const char* (*TestHostFunction)(void);

const void* Entry(int index) {
    const void* address = nullptr;
    memcpy(&address, reinterpret_cast<const char*>(&g_host) + index * sizeof(void*),
           sizeof(address));
    return address;
}

int BoundCount() {
    int count = 0;
    for (int i = 0; i < kHostFunctionCount; ++i) {
        count += Entry(i) != nullptr ? 1 : 0;
    }
    return count;
}

class HostBindingTest : public ::testing::Test {
  protected:
    void SetUp() override { g_host = HostFunctionTable{}; }

    void TearDown() override {
        g_host = HostFunctionTable{};
        if (host_) {
            dlclose(host_);
        }
    }

    // Keeps the test host loaded while the table points into it.
    void* OpenHost(const char* path) {
        host_ = dlopen(path, RTLD_NOW);
        EXPECT_NE(host_, nullptr) << dlerror();
        return host_;
    }

    void* host_ = nullptr;
};

TEST(HostFunctionNames, FollowTheBindingOrder) {
    // First of each group, as the host lists them.
    EXPECT_STREQ(kHostFunctionNames[0], "MQ_GetWindowHandle");
    EXPECT_STREQ(kHostFunctionNames[10], "MQ_SendMessage");
    EXPECT_STREQ(kHostFunctionNames[11], "MQDoc_GetObjectCount");
    EXPECT_STREQ(kHostFunctionNames[46], "MQScene_InitSize");
    EXPECT_STREQ(kHostFunctionNames[51], "MQObj_Delete");
    EXPECT_STREQ(kHostFunctionNames[110], "MQObj_SetFloatArray");
    EXPECT_STREQ(kHostFunctionNames[111], "MQMat_Delete");
    EXPECT_STREQ(kHostFunctionNames[138], "MQMatrix_FloatValue");
    EXPECT_STREQ(kHostFunctionNames[139], "MQXmlElem_Value");
}

TEST(HostFunctionNames, AreDistinct) {
    std::set<std::string> names;
    for (int i = 0; i < kHostFunctionCount; ++i) {
        ASSERT_NE(kHostFunctionNames[i], nullptr) << i;
        names.insert(kHostFunctionNames[i]);
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kHostFunctionCount));
}

TEST_F(HostBindingTest, FullHostBindsEveryEntryInOrder) {
    void* host = OpenHost(FULL_TEST_HOST_PATH);
    ASSERT_NE(host, nullptr);

    EXPECT_EQ(BindHostFunctions(FULL_TEST_HOST_PATH), 1);

    for (int i = 0; i < kHostFunctionCount; ++i) {
        const void* entry = Entry(i);
        ASSERT_NE(entry, nullptr) << kHostFunctionNames[i];
        EXPECT_EQ(entry, dlsym(host, kHostFunctionNames[i])) << kHostFunctionNames[i];
        // The entry holds the function of that name, not a neighbour's.
        TestHostFunction function = reinterpret_cast<TestHostFunction>(const_cast<void*>(entry));
        EXPECT_STREQ(function(), kHostFunctionNames[i]);
    }
    // Named fields reach the functions of their names.
    EXPECT_EQ(reinterpret_cast<void*>(g_host.MQ_SendMessage), dlsym(host, "MQ_SendMessage"));
    EXPECT_EQ(reinterpret_cast<void*>(g_host.MQMatrix_FloatValue),
              dlsym(host, "MQMatrix_FloatValue"));
    EXPECT_EQ(reinterpret_cast<void*>(g_host.MQXmlElem_Value), dlsym(host, "MQXmlElem_Value"));
}

TEST_F(HostBindingTest, SecondBindingStoresTheSameAddresses) {
    ASSERT_NE(OpenHost(FULL_TEST_HOST_PATH), nullptr);
    ASSERT_EQ(BindHostFunctions(FULL_TEST_HOST_PATH), 1);
    HostFunctionTable first = g_host;

    EXPECT_EQ(BindHostFunctions(FULL_TEST_HOST_PATH), 1);
    EXPECT_EQ(memcmp(&first, &g_host, sizeof(g_host)), 0);
}

TEST_F(HostBindingTest, HostLackingTheLastFunctionFailsWithTheOthersBound) {
    void* host = OpenHost(PARTIAL_TEST_HOST_PATH);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(dlsym(host, "MQXmlElem_Value"), nullptr) << "the partial host must lack it";

    EXPECT_EQ(BindHostFunctions(PARTIAL_TEST_HOST_PATH), 0);

    for (int i = 0; i < kHostFunctionCount - 1; ++i) {
        EXPECT_EQ(Entry(i), dlsym(host, kHostFunctionNames[i])) << kHostFunctionNames[i];
    }
    EXPECT_EQ(BoundCount(), kHostFunctionCount - 1);
    EXPECT_EQ(g_host.MQXmlElem_Value, nullptr);
}

TEST_F(HostBindingTest, HostWithoutTheNameReadersIsBound) {
    void* host = OpenHost(NEWER_TEST_HOST_PATH);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(dlsym(host, "MQObj_GetName"), nullptr) << "the newer host must lack it";

    EXPECT_EQ(BindHostFunctions(NEWER_TEST_HOST_PATH), 1);
    EXPECT_EQ(BoundCount(), kHostFunctionCount - 2);
    EXPECT_EQ(g_host.MQObj_GetName, nullptr);
    EXPECT_EQ(g_host.MQMat_GetName, nullptr);
    EXPECT_EQ(Entry(kHostFunctionCount - 1), dlsym(host, "MQXmlElem_Value"));
}

TEST_F(HostBindingTest, UnloadableProgramBindsNothing) {
    EXPECT_EQ(BindHostFunctions("/nonexistent/skelvane-host.so"), 0);
    EXPECT_EQ(BoundCount(), 0);

    EXPECT_EQ(BindHostFunctions(nullptr), 0);
    EXPECT_EQ(BoundCount(), 0);
}

} // namespace
