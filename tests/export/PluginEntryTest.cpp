// The fourteen exports of both plug-in modules, as the host calls them.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/support/PluginHarness.h"

namespace {

struct Expected {
    const char* module;
    int32_t type;
    uint32_t id;
};

const Expected kModules[] = {{"SkelvaneImport", 1, 0x5429B2BF}, {"SkelvaneExport", 2, 0x8BEB6A36}};

TEST(PluginEntry, IdentityTypeAndFileType) {
    for (const Expected& e : kModules) {
        const LoadedPlugin* p = PluginHarness::Plugin(e.module);
        ASSERT_NE(p, nullptr) << e.module;
        EXPECT_EQ(p->MQGetPlugInType(), e.type) << e.module;
        uint32_t product = 0, id = 0;
        p->MQGetPlugInID(&product, &id);
        EXPECT_EQ(product, 0x8E081907u);
        EXPECT_EQ(id, e.id);
        EXPECT_NE(p->MQGetPlugInName(), nullptr);
        EXPECT_STREQ(p->MQEnumFileType(0), "GTA:SA Skinned Model(*.dff)");
        EXPECT_STREQ(p->MQEnumFileExt(0), "dff");
        EXPECT_EQ(p->MQEnumFileType(1), nullptr);
        EXPECT_EQ(p->MQEnumFileExt(1), nullptr);
        EXPECT_EQ(p->MQEnumString(0), nullptr);
    }
}

TEST(PluginEntry, VersionCheckFromTheFirstSupportedHost) {
    for (const Expected& e : kModules) {
        const LoadedPlugin* p = PluginHarness::Plugin(e.module);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->MQCheckVersion(0x248F), 0u);
        EXPECT_EQ(p->MQCheckVersion(0x2490), 0x249u);
        EXPECT_EQ(p->MQCheckVersion(0xFFFFFFFF), 0x249u);
    }
}

TEST(PluginEntry, EventsAndOtherKindsEntriesDoNothing) {
    for (const Expected& e : kModules) {
        const LoadedPlugin* p = PluginHarness::Plugin(e.module);
        ASSERT_NE(p, nullptr);
        for (int32_t event : {1, 120, 140, 999})
            EXPECT_EQ(p->MQOnEvent(0, event, nullptr), 0) << e.module << " " << event;
        EXPECT_EQ(p->MQCreate(0, 0), 0);
        EXPECT_EQ(p->MQModifyObject(0, 0), 0);
        EXPECT_EQ(p->MQModifySelect(0, 0), 0);
    }
}

} // namespace
