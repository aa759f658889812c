// Scenes written out: a document captured as a scene, and a scene as JSON
// text that ParseScene reads back to the same values.
#pragma once

#include <string>

#include "hostsim/SceneFile.h"

// The document's materials and objects as a scene (no skin, no bones;
// Keynote present). Objects are listed in document order.
bool CaptureScene(HostDocument doc, Scene* scene);

// The scene as JSON: floats with nine significant digits (they read back
// exactly), texts escaped; bytes that are not UTF-8 become U+FFFD.
std::string SceneText(const Scene& scene);
