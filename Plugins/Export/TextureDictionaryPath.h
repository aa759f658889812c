// Where the texture dictionary goes beside the model.
#pragma once

#include <stddef.h>

// The dictionary's path from the model's (its parts as frame/PathParts.h
// tells them): in the file name (never a folder),
// everything from the last period is replaced by ".txd"; a file name without
// a period has its last four characters replaced (a shorter one keeps them
// all). The output buffer holds size bytes; the result is cut to fit.
void TextureDictionaryPath(const char* modelPath, char* out, size_t size);

// Whether the dictionary's path is the model's own (a model named "*.txd"),
// letter case ignored as the file system does on Windows.
bool TextureDictionaryIsTheModel(const char* modelPath);
