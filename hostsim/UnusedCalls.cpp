// The host functions that the plug-ins bind but never call: present so that
// binding by name succeeds, and harmless when called anyway.
#include "hostsim/HostExports.h"

#define HOSTSIM_SKIP_TYPED(ret, name, params)
#define HOSTSIM_DEFINE_UNUSED(name)                                                                \
    int32_t MQAPI name(void) {                                                                     \
        return 0;                                                                                  \
    }
MQ_HOST_FUNCTIONS(HOSTSIM_SKIP_TYPED, HOSTSIM_DEFINE_UNUSED)
#undef HOSTSIM_SKIP_TYPED
#undef HOSTSIM_DEFINE_UNUSED
