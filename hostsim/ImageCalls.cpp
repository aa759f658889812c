// MQ_LoadImage: the host's image loader.
#include "hostsim/HostExports.h"
#include "hostsim/HostState.h"
#include "hostsim/ImageDecode.h"

// On success the caller owns both blocks and releases them with the platform's
// local free; on failure both outputs are null, so that nothing stale is freed.
HostBool MQAPI MQ_LoadImage(const char* filename, void** header, void** buffer, uint32_t reserved) {
    if (reserved != 0) {
        ReportBreach(__func__, "reserved argument %u is not 0", reserved);
    }
    DibBlocks blocks;
    bool loaded = header != nullptr && buffer != nullptr && DecodeImageFile(filename, &blocks);
    if (header != nullptr) {
        *header = blocks.header;
    }
    if (buffer != nullptr) {
        *buffer = blocks.pixels;
    }
    return loaded ? 1 : 0;
}
