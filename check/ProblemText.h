// The readers' problems in English, for the check findings and the command's
// output (the plug-ins word them in Japanese).
#pragma once

#include <stddef.h>

#include "format/TextureDictionaryLayout.h"

// The section stream's problem ("truncated header", ...).
const char* StreamProblemText(StreamProblem problem);

// Room for any sentence of a problem.
constexpr size_t kTextureReadTextSize = 160;

// The problem's sentence, cut to fit size bytes.
void DescribeTextureProblem(const TextureReadProblem& p, char* text, size_t size);
