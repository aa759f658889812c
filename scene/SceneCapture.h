// A host document captured as a scene.
#pragma once

#include "hostsim/HostSim.h"
#include "scene/Scene.h"

// The document's materials and objects as a scene (no skin, no bones;
// Keynote present). Objects are listed in document order.
bool CaptureScene(HostDocument doc, Scene* scene);
