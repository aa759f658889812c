// Binding of the host functions by name from the host program.
#pragma once

#include <stdint.h>

#include "frame/MQHost.h"

// Loads the host program, looks up every host function in binding order and
// stores it in g_host. Returns 1 when all are bound, else 0: when the program
// cannot be loaded nothing is bound; at the first missing name binding stops,
// and the entries before it keep their addresses. The module reference taken
// here is released before returning; the host program stays loaded anyway.
int32_t BindHostFunctions(const char* hostProgramPath);
