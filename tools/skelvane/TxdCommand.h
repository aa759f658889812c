// `skelvane txd FILE.txd [-o DIR]`: lists the textures of a dictionary and
// writes each as DIR/NAME.png.
#pragma once

#include <stdio.h>

#include "format/ByteStream.h"

// Prints one line per texture (name, mask name, platform, raster format,
// size, mip levels); with folder not null also writes each texture's first
// level as folder/NAME.png. Problems go to err. Returns the exit status: 0
// when every texture was read (and written), 1 otherwise.
int ListTextureDictionary(ByteStream& stream, const char* folder, FILE* out, FILE* err);

// The command's entry: args are the operands after "txd".
int RunTxdCommand(int argc, char** argv);
