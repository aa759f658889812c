// The texture dictionary reader's problems as the English sentences of the
// check findings and the command's output.
#pragma once

#include <stddef.h>

#include "format/TextureDictionaryLayout.h"

// Room for any sentence of a problem.
constexpr size_t kTextureReadTextSize = 160;

// The problem's sentence, cut to fit size bytes.
void DescribeTextureProblem(const TextureReadProblem& p, char* text, size_t size);
