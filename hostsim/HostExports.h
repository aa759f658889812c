// The host functions as this program exports them: undecorated C names,
// stdcall on Windows, visible to dlsym/GetProcAddress by name.
#pragma once

#include "frame/MQHost.h"

#if defined(_WIN32)
#define HOSTSIM_EXPORT __declspec(dllexport)
#else
#define HOSTSIM_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
#define HOSTSIM_DECLARE_TYPED(ret, name, params) HOSTSIM_EXPORT ret MQAPI name params;
#define HOSTSIM_DECLARE_UNUSED(name) HOSTSIM_EXPORT int32_t MQAPI name(void);
MQ_HOST_FUNCTIONS(HOSTSIM_DECLARE_TYPED, HOSTSIM_DECLARE_UNUSED)
#undef HOSTSIM_DECLARE_TYPED
#undef HOSTSIM_DECLARE_UNUSED
}
