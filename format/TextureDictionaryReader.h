// Reading a texture dictionary file: its Struct, then one Texture Native at a
// time, each Struct body read whole and checked by ParseTextureNative.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "format/SectionReader.h"
#include "format/TextureDictionaryLayout.h"
#include "frame/HeapArray.h"

struct TextureDictionaryReader {
    SectionCursor cursor;
    uint16_t textureCount = 0;
    uint16_t nextIndex = 0;
};

enum class TextureReadResult : uint8_t {
    kTexture,       // the next texture was read
    kEnd,           // every texture the dictionary counts has been read
    kTextureBroken, // this texture cannot be read (problem says why); the next can be tried
    kFileBroken,    // the file is damaged from here on (problem says where)
    kOutOfMemory,
};

// Enters the stream's first Texture Dictionary and reads its Struct. False
// with the problem's code when there is none or the file is damaged.
bool OpenTextureDictionary(TextureDictionaryReader& reader, ByteStream& stream,
                           TextureReadProblem* problem);

// Reads the next Texture Native: body receives its Struct body, texture the
// record whose offsets point into body. A texture or file that cannot be
// read sets problem (its index and the dictionary's count always).
TextureReadResult ReadNextTexture(TextureDictionaryReader& reader, HeapArray<uint8_t>& body,
                                  TextureNative* texture, TextureReadProblem* problem);
