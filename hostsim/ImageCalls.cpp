// MQ_LoadImage: the host's image loader.
#include "hostsim/HostExports.h"
#include "hostsim/ImageDecode.h"

// On success the caller owns both blocks and releases them with the platform's
// local free; on failure both outputs are null, so that nothing stale is freed.
HostBool MQAPI MQ_LoadImage(const char* path, void** header, void** pixels, int32_t reserved) {
    (void)reserved;
    DibBlocks blocks;
    bool loaded = header != nullptr && pixels != nullptr && DecodeImageFile(path, &blocks);
    if (header != nullptr) {
        *header = blocks.header;
    }
    if (pixels != nullptr) {
        *pixels = blocks.pixels;
    }
    return loaded ? 1 : 0;
}
