// Messages between plug-ins: key-value option lists, and user messages sent
// through the host to another plug-in, which answers in a result cell.
#pragma once

#include <stdint.h>

#include "frame/MQHost.h"

class MQBasePlugin;

// One key-value pair; a list ends at the first pair whose key is null.
struct OptionPair {
    const char* key;
    void* value;
};

// Handed to MQ_SendMessage with kind 101.
struct UserMessageRecord {
    uint32_t senderProduct;
    uint32_t senderId;
    uint32_t reserved; // always 0
    OptionPair* options;
};

// The value of the first pair whose key equals key byte for byte, or null
// when the list is absent or has no such key.
void* FindOption(const OptionPair* list, const char* key);

// Sends description to Keynote on behalf of plugin, for the document; returns
// Keynote's answer, 0 when nobody answers.
int32_t SendUserMessage(MQBasePlugin* plugin, HostDocument doc, const char* description);
