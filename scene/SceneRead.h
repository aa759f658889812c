// Reads a JSON scene (docs/scene-format.md) into its records.
#pragma once

#include <string>
#include <string_view>

#include "scene/Scene.h"

// Reads and checks a scene from JSON text. On failure error says what is wrong
// and where ("objects[0].faces[2].points[1]: ...") and scene is left empty.
bool ParseScene(std::string_view text, Scene* scene, std::string* error);
