// The host function table and its binding by name.
#include "frame/HostBinding.h"

#include <type_traits>

#include "frame/HostPrototypes.h"
#include "platform/Platform.h"

HostFunctionTable g_host;

const char* const kHostFunctionNames[kHostFunctionCount] = {
#define MQ_NAME(ret, name, params) #name,
    MQ_HOST_FUNCTIONS(MQ_NAME, MQ_NAME)};

// The table against the host's declarations: every entry has the host's type,
// and the names come in the host's binding order.
#define MQ_CHECK_TYPE(ret, name, params)                                                           \
    static_assert(std::is_same<decltype(HostFunctionTable::name), HostPrototype::name*>::value,    \
                  #name " is bound with another type than the host declares");
MQ_HOST_FUNCTIONS(MQ_CHECK_TYPE, MQ_CHECK_TYPE)
#undef MQ_CHECK_TYPE

namespace {

constexpr const char* kTableNames[] = {MQ_HOST_FUNCTIONS(MQ_NAME, MQ_NAME)};
constexpr const char* kPrototypeNames[] = {MQ_HOST_PROTOTYPES(MQ_NAME)};

constexpr bool SameText(const char* a, const char* b) {
    return *a == *b && (*a == '\0' || SameText(a + 1, b + 1));
}

constexpr bool SameOrder() {
    for (int i = 0; i < kHostFunctionCount; ++i) {
        if (!SameText(kTableNames[i], kPrototypeNames[i])) {
            return false;
        }
    }
    return true;
}

static_assert(sizeof(kTableNames) / sizeof(kTableNames[0]) == kHostFunctionCount &&
                  sizeof(kPrototypeNames) / sizeof(kPrototypeNames[0]) == kHostFunctionCount,
              "one name per host function");
static_assert(SameOrder(), "the table binds the host functions in the host's order");

} // namespace
#undef MQ_NAME

namespace {

// The modeller's newer SDK (4.8) no longer binds the two name readers, which
// it replaced by attribute calls; the plug-ins never call them, so a host that
// lacks them is still bound.
bool IsOptional(const char* name) {
    return SameText(name, "MQObj_GetName") || SameText(name, "MQMat_GetName");
}

template <typename Function>
bool BindEntry(PlatformModule module, const char* name, Function* entry) {
    void* address = PlatformFindSymbol(module, name);
    if (!address) {
        return IsOptional(name);
    }
    *entry = reinterpret_cast<Function>(address);
    return true;
}

// Binds the entries in table order and stops at the first name the host lacks.
bool BindAll(PlatformModule module) {
#define MQ_BIND(ret, name, params)                                                                 \
    if (!BindEntry(module, #name, &g_host.name)) {                                                 \
        return false;                                                                              \
    }
    MQ_HOST_FUNCTIONS(MQ_BIND, MQ_BIND)
#undef MQ_BIND
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
