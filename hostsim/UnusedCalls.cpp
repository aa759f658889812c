// The host functions that the plug-ins bind but never call: present so that
// binding by name succeeds, and harmless when called anyway (they change
// nothing and answer zero).
#include "hostsim/HostExports.h"

#pragma GCC diagnostic ignored "-Wunused-parameter"

#define HOSTSIM_SKIP(ret, name, params)
#define HOSTSIM_DEFINE_UNUSED(ret, name, params)                                                   \
    ret MQAPI name params {                                                                        \
        return ret();                                                                              \
    }
MQ_HOST_FUNCTIONS(HOSTSIM_SKIP, HOSTSIM_DEFINE_UNUSED)
#undef HOSTSIM_SKIP
#undef HOSTSIM_DEFINE_UNUSED
