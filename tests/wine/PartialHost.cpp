// A stand-in host program for the binding test: it exports the host
// functions in binding order except the last one, MQXmlElem_Value, which it
// exports under another name. None of them is ever called; a plug-in bound to
// this host must refuse it.
#include <stdint.h>

#include "frame/MQHost.h"

#define PARTIAL_HOST_FUNCTION(name)                                                                \
    extern "C" __declspec(dllexport) int32_t MQAPI name() {                                        \
        return 0;                                                                                  \
    }
#define PARTIAL_HOST_ENTRY(ret, name, params) PARTIAL_HOST_FUNCTION(name)
// Renamed before the table expands, so the host lacks exactly this name.
#define MQXmlElem_Value MQXmlElem_Value_Missing
MQ_HOST_FUNCTIONS(PARTIAL_HOST_ENTRY, PARTIAL_HOST_ENTRY)
#undef MQXmlElem_Value
