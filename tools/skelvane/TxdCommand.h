// `skelvane txd FILE.txd... [-o DIR]`: lists the textures of dictionaries and
// writes each as DIR/NAME.png.
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

#include "format/ByteStream.h"
#include "tools/skelvane/CommandLine.h"

// The textures written by one run, by name: a second texture of a name
// already written (letter case aside, as the file systems compare) is not
// written over the first.
struct WrittenTextures {
    std::vector<std::string> names;
    std::vector<std::string> sources; // the dictionary each came from
};

// Prints one line per texture (name, mask name, platform, raster format,
// size, mip levels); with folder not null also writes each texture's first
// level as folder/NAME.png, unless written lists the name already (source
// names the dictionary for the record). Problems go to err. Returns the exit
// status: 0 when every texture was read (and written), 1 otherwise.
int ListTextureDictionary(ByteStream& stream, const char* folder, const char* source,
                          WrittenTextures* written, FILE* out, FILE* err);

// The subcommand: one listing per dictionary; with several each is announced
// by name and a closing line counts them.
extern const CommandSpec kTxdCommand;
