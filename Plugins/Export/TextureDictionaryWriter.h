// The texture dictionary's sections, written from a texture list into any
// byte stream.
#pragma once

#include "Plugins/Export/ExportNotes.h"
#include "Plugins/Export/TextureList.h"
#include "format/ByteStream.h"
#include "frame/MQHost.h"
#include "Plugins/Shared/TextureLeftOut.h"

// How the textures are stored: compressed (DXT1, or DXT3 for textures with
// alpha) instead of 32 bits per pixel, and with a full mip chain.
struct TextureOutput {
    bool compress = false;
    bool mipmaps = false;
};

// Writes the whole dictionary. A texture whose image cannot be loaded, whose
// pixels find no memory or that would not fit the file is left out and
// added to leftOut with the reason, and textureCount is patched to the
// entries written, so the file stays well-formed. Each texture's header is held to the game's rules
// before it is written: one to be compressed whose sides are not multiples of 4 is written
// uncompressed (texture-block-size in notes' mended); the rules' findings over the textures written
// and their names go to notes' found. notes may be null. False when a section could not be written.
bool WriteTextureDictionary(ByteStream& s, HostDocument doc, const TextureList& list,
                            TexturesLeftOut& leftOut, const TextureOutput& output = TextureOutput(),
                            ExportNotes* notes = nullptr);
