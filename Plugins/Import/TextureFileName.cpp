#include "Plugins/Import/TextureFileName.h"

#include <stdint.h>
#include <string.h>

#include "frame/MQHost.h"
#include "frame/TextCase.h"
#include "frame/TextCut.h"
#include "platform/Platform.h"

namespace {

constexpr char kPngSuffix[] = ".png";
constexpr size_t kPngSuffixLength = sizeof kPngSuffix - 1;

bool IsForbidden(uint8_t c) {
    return c < 0x20 || c == 0x7F || strchr("/\\:*?\"<>|", c) != nullptr;
}

// Whether the part before the first period, without trailing spaces, names
// a device.
bool IsDeviceName(const char* name) {
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    static const char* const kNumbered[] = {"COM", "LPT"};
    size_t length = strcspn(name, ".");
    while (length > 0 && name[length - 1] == ' ')
        --length;
    for (const char* device : kDevices)
        if (length == strlen(device) && SameTextIgnoringCase(name, device, length))
            return true;
    for (const char* device : kNumbered)
        if (length == 4 && SameTextIgnoringCase(name, device, 3) && name[3] >= '0' &&
            name[3] <= '9')
            return true;
    return false;
}

} // namespace

void TextureFileNameOf(const char* textureName, char* out, size_t size) {
    if (size == 0)
        return;
    char safe[kHostPathSize];
    const size_t room = sizeof safe - 1;
    size_t n = 0;
    if (IsDeviceName(textureName))
        safe[n++] = '_';
    for (const char* p = textureName; *p != '\0' && n < room; ++p) {
        const uint8_t c = static_cast<uint8_t>(*p);
        if (PlatformIsDoubleByteLead(c) && p[1] != '\0') {
            if (n + 2 > room)
                break;
            safe[n++] = *p++;
            safe[n++] = *p;
        } else {
            safe[n++] = IsForbidden(c) ? '_' : *p;
        }
    }
    safe[n] = '\0';
    if (n > 0 && strspn(safe, ".") == n)
        memset(safe, '_', n);
    if (size <= kPngSuffixLength) {
        out[0] = '\0';
        return;
    }
    CopyCutText(safe, size - 1 - kPngSuffixLength, out, size);
    memcpy(out + strlen(out), kPngSuffix, sizeof kPngSuffix);
}
