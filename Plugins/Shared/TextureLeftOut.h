// A texture that an import or an export left out, and why: plain records
// collected while the operation runs, shown by the driver in one message at
// its end. The list is bounded; what does not fit is only counted.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "format/TextureDictionaryLayout.h"
#include "frame/MQHost.h"

enum class TextureLeftOutReason : uint8_t {
    kOutOfMemory,
    kCannotLoad,    // export: the image cannot be loaded
    kPastFileLimit, // export: the dictionary would grow past what a file holds
    kCannotOpen,    // import: the dictionary cannot be opened
    kUnreadable,    // import: the dictionary or texture cannot be read (read says why)
    kPaletteIndex,  // import: a palette index lies outside the palette
    kCannotWrite,   // import: the PNG file cannot be written
    kNoLevels,      // import: written, from the one level a texture of 0 mip levels holds
};

// Room for a texture, file or dictionary name: a path as the host gives it.
constexpr size_t kTextureLeftOutNameSize = kHostPathSize;

struct TextureLeftOut {
    char name[kTextureLeftOutNameSize];
    TextureLeftOutReason reason;
    TextureReadProblem read; // for kUnreadable
};

// At most this many are listed; the message says how many more there were.
constexpr int kMaxTexturesListed = 8;

struct TexturesLeftOut {
    TextureLeftOut items[kMaxTexturesListed] = {};
    int count = 0;
    int more = 0;

    bool Any() const { return count > 0; }
};

// Adds a record, unless one of the same name, reason and problem is there.
void AddTextureLeftOut(TexturesLeftOut& list, const char* name, TextureLeftOutReason reason,
                       const TextureReadProblem* read = nullptr);
