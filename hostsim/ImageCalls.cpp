// MQ_LoadImage: the host's image loader.
#include "hostsim/HostExports.h"

// No decoder yet: every image fails to load, and the outputs are cleared so
// that the caller never releases stale pointers. A decoder returning a bitmap
// information header and bottom-up DIB rows (released with the platform's
// local free) takes this place.
HostBool MQAPI MQ_LoadImage(const char* path, void** header, void** pixels, int32_t reserved) {
    (void)path;
    (void)reserved;
    if (header != nullptr) {
        *header = nullptr;
    }
    if (pixels != nullptr) {
        *pixels = nullptr;
    }
    return 0;
}
