// The bundled sample scene: the figure as a Metasequoia document with
// Keynote's skeleton and weights (JSON), and its texture images.
#pragma once

// Writes scene.json and the images into folder; false on a write error.
bool WriteSampleScene(const char* folder);
