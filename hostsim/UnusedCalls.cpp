// The host functions that the plug-ins bind but never call: present so that
// binding by name succeeds, and harmless when called anyway (they change
// nothing and answer zero).
#include "hostsim/HostExports.h"

#pragma GCC diagnostic ignored "-Wunused-parameter"

// Functions this host does implement though the plug-ins never call them
// (the matrix function, the name readers): their generic bodies go under
// other names.
#define MQMatrix_FloatValue MQMatrix_FloatValue_DefinedInMatrixCalls
#define MQObj_GetName MQObj_GetName_DefinedInObjectPropertyCalls
#define MQMat_GetName MQMat_GetName_DefinedInMaterialCalls
#define HOSTSIM_SKIP(ret, name, params)
#define HOSTSIM_DEFINE_UNUSED(ret, name, params)                                                   \
    ret MQAPI name params {                                                                        \
        return ret();                                                                              \
    }
MQ_HOST_FUNCTIONS(HOSTSIM_SKIP, HOSTSIM_DEFINE_UNUSED)
#undef HOSTSIM_SKIP
#undef HOSTSIM_DEFINE_UNUSED
#undef MQMatrix_FloatValue
#undef MQObj_GetName
#undef MQMat_GetName
