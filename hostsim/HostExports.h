// The host functions as this program exports them: undecorated C names,
// stdcall on 32-bit Windows, visible to dlsym/GetProcAddress by name. Each is
// declared with the host's own prototype, so a definition of another type
// does not compile.
#pragma once

#include "frame/HostPrototypes.h"
#include "frame/MQHost.h"

#if defined(_WIN32)
#define HOSTSIM_EXPORT __declspec(dllexport)
#else
#define HOSTSIM_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
#define HOSTSIM_DECLARE(ret, name, params) HOSTSIM_EXPORT HostPrototype::name name;
MQ_HOST_PROTOTYPES(HOSTSIM_DECLARE)
#undef HOSTSIM_DECLARE
}
