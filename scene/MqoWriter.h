// A host document saved as a Metasequoia text document (.mqo).
#pragma once

#include <string>

#include "hostsim/HostSim.h"

// Writes the document as a Metasequoia text document.
bool HostSimSaveMqo(HostDocument doc, const char* path);
// The same text, into a string.
std::string HostSimMqoText(HostDocument doc);
