// PNG files from 8-bit RGBA pixels, written through a temporary file beside
// the target that takes its place only when complete.
#pragma once

#include <stdint.h>

// Writes width x height pixels (red, green, blue, alpha; top row first) to
// path: RGB when every pixel is opaque, RGBA otherwise. False when the file
// could not be written or put in place; nothing is left behind then.
bool WritePngFile(const char* path, const uint8_t* rgba, uint32_t width, uint32_t height);
