// The host function table and its binding by name.
#include "frame/HostBinding.h"

#include "platform/Platform.h"

HostFunctionTable g_host;

const char* const kHostFunctionNames[kHostFunctionCount] = {
#define MQ_NAME_TYPED(ret, name, params) #name,
#define MQ_NAME_UNUSED(name) #name,
    MQ_HOST_FUNCTIONS(MQ_NAME_TYPED, MQ_NAME_UNUSED)
#undef MQ_NAME_TYPED
#undef MQ_NAME_UNUSED
};

// The list and the count agree (a short list would leave null names behind).
#define MQ_COUNT_TYPED(ret, name, params) +1
#define MQ_COUNT_UNUSED(name) +1
static_assert(0 MQ_HOST_FUNCTIONS(MQ_COUNT_TYPED, MQ_COUNT_UNUSED) == kHostFunctionCount,
              "one name per host function");
#undef MQ_COUNT_TYPED
#undef MQ_COUNT_UNUSED

namespace {

template <typename Function>
bool BindEntry(PlatformModule module, const char* name, Function* entry) {
    void* address = PlatformFindSymbol(module, name);
    if (!address) {
        return false;
    }
    *entry = reinterpret_cast<Function>(address);
    return true;
}

// Binds the entries in table order and stops at the first name the host lacks.
bool BindAll(PlatformModule module) {
#define MQ_BIND_TYPED(ret, name, params)                                                           \
    if (!BindEntry(module, #name, &g_host.name)) {                                                 \
        return false;                                                                              \
    }
#define MQ_BIND_UNUSED(name) MQ_BIND_TYPED(void, name, ())
    MQ_HOST_FUNCTIONS(MQ_BIND_TYPED, MQ_BIND_UNUSED)
#undef MQ_BIND_TYPED
#undef MQ_BIND_UNUSED
    return true;
}

} // namespace

int32_t BindHostFunctions(const char* hostProgramPath) {
    PlatformModule module = PlatformLoadModule(hostProgramPath);
    if (!module) {
        return 0;
    }
    bool bound = BindAll(module);
    PlatformFreeModule(module);
    return bound ? 1 : 0;
}
