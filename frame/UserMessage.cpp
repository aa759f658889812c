#include "frame/UserMessage.h"

#include <string.h>

#include "frame/KeynoteLayout.h"
#include "frame/MQPlugin.h"

void* FindOption(const OptionPair* list, const char* key) {
    if (list == nullptr)
        return nullptr;
    for (const OptionPair* p = list; p->key != nullptr; ++p)
        if (strcmp(p->key, key) == 0)
            return p->value;
    return nullptr;
}

int32_t SendUserMessage(MQBasePlugin* plugin, HostDocument doc, const char* description) {
    int32_t result = 0;
    uint32_t targetProduct = KeynoteProductId;
    uint32_t targetId = KeynotePlugInId;
    UserMessageRecord record;
    plugin->GetPlugInID(&record.senderProduct, &record.senderId);
    record.reserved = 0;
    OptionPair options[] = {
        {"document", reinterpret_cast<void*>(static_cast<uintptr_t>(doc))},
        {"target_product", &targetProduct},
        {"target_id", &targetId},
        {"description", const_cast<char*>(description)},
        {"message", nullptr},
        {"result", &result},
        {nullptr, nullptr},
    };
    record.options = options;
    g_host.MQ_SendMessage(kHostMessageUser, &record);
    return result;
}
