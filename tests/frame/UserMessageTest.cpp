// Option lists and the user message sent to Keynote.
#include <gtest/gtest.h>

#include "frame/KeynoteLayout.h"
#include "frame/MQPlugin.h"
#include "frame/UserMessage.h"
#include "hostsim/HostSim.h"

namespace {

TEST(OptionList, FindsKeysByExactBytes) {
    int32_t a = 1, b = 2;
    OptionPair list[] = {{"result", &a}, {"result", &b}, {nullptr, nullptr}};
    EXPECT_EQ(FindOption(list, "result"), &a); // the first match wins
    EXPECT_EQ(FindOption(list, "Result"), nullptr);
    EXPECT_EQ(FindOption(list, "res"), nullptr);
    EXPECT_EQ(FindOption(nullptr, "result"), nullptr);
}

class Sender final : public MQExportPlugin {
  public:
    void GetPlugInID(uint32_t* product, uint32_t* id) override {
        *product = 0x11;
        *id = 0x22;
    }
    const char* GetPlugInName() override { return "sender"; }
    int32_t GetPlugInType() override { return 2; }
    const char* EnumFileType(int32_t) override { return nullptr; }
    const char* EnumFileExt(int32_t) override { return nullptr; }
    HostBool ExportFile(int32_t, const char*, HostDocument) override { return 0; }
};

struct Seen {
    UserMessageRecord record;
    std::string description;
    uint32_t product, id;
    HostDocument doc;
};

HostBool Answer(void* user, void* raw) {
    Seen* seen = static_cast<Seen*>(user);
    UserMessageRecord* r = static_cast<UserMessageRecord*>(raw);
    seen->record = *r;
    seen->description = static_cast<const char*>(FindOption(r->options, "description"));
    seen->product = *static_cast<uint32_t*>(FindOption(r->options, "target_product"));
    seen->id = *static_cast<uint32_t*>(FindOption(r->options, "target_id"));
    seen->doc =
        static_cast<HostDocument>(reinterpret_cast<uintptr_t>(FindOption(r->options, "document")));
    EXPECT_EQ(FindOption(r->options, "message"), nullptr);
    int32_t* result = static_cast<int32_t*>(FindOption(r->options, "result"));
    EXPECT_EQ(*result, 0); // cleared before sending
    *result = -7;
    return 1;
}

TEST(UserMessage, AddressesKeynoteAndReturnsItsAnswer) {
    g_host = *HostSimFunctions();
    HostSimReset();
    Seen seen = {};
    HostSimSetUserMessageHandler(Answer, &seen);
    Sender sender;
    EXPECT_EQ(SendUserMessage(&sender, 42, "CheckVersion:512"), -7);
    EXPECT_EQ(seen.record.senderProduct, 0x11u);
    EXPECT_EQ(seen.record.senderId, 0x22u);
    EXPECT_EQ(seen.record.reserved, 0u);
    EXPECT_EQ(seen.description, "CheckVersion:512");
    EXPECT_EQ(seen.product, KeynoteProductId);
    EXPECT_EQ(seen.id, KeynotePlugInId);
    EXPECT_EQ(seen.doc, 42u);
    // Nobody answering leaves 0.
    HostSimReset();
    EXPECT_EQ(SendUserMessage(&sender, 42, "CreateXSDocument"), 0);
}

} // namespace
