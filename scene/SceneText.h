// A scene written as JSON text that ParseScene reads back to the same values.
#pragma once

#include <string>

#include "scene/Scene.h"

// The scene as JSON: floats with nine significant digits (they read back
// exactly); texts escaped by nlohmann-json, whatever is not UTF-8 replaced by
// U+FFFD.
std::string SceneText(const Scene& scene);
