// Helpers for the Keynote stand-in tests: sending user messages as the
// exporter does, and a fixture that also clears the stand-in.
#pragma once

#include <stdint.h>

#include "frame/KeynoteLayout.h"
#include "frame/UserMessage.h"
#include "hostsim/KeynoteStandIn.h"
#include "tests/hostsim/HostSimFixture.h"

// Sends description for doc through MQ_SendMessage and returns the answer cell.
inline int32_t SendToKeynote(HostDocument doc, const char* description,
                             uint32_t product = KeynoteProductId, uint32_t id = KeynotePlugInId) {
    int32_t result = 0;
    uint32_t targetProduct = product;
    uint32_t targetId = id;
    OptionPair options[] = {
        {"document", reinterpret_cast<void*>(static_cast<uintptr_t>(doc))},
        {"target_product", &targetProduct},
        {"target_id", &targetId},
        {"description", const_cast<char*>(description)},
        {"message", nullptr},
        {"result", &result},
        {nullptr, nullptr},
    };
    UserMessageRecord record = {0x0BADF00Du, 7u, 0u, options};
    MQ_SendMessage(kHostMessageUser, &record);
    return result;
}

class KeynoteFixture : public HostSimFixture {
  protected:
    void TearDown() override {
        HostSimKeynoteReset();
        HostSimFixture::TearDown();
    }
};
