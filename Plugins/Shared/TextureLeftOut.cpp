#include "Plugins/Shared/TextureLeftOut.h"

#include <string.h>

#include "frame/TextCut.h"

namespace {

bool SameRecord(const TextureLeftOut& r, const char* name, TextureLeftOutReason reason,
                const TextureReadProblem& read) {
    return r.reason == reason && strcmp(r.name, name) == 0 && r.read.code == read.code &&
           r.read.index == read.index && r.read.offset == read.offset;
}

} // namespace

void AddTextureLeftOut(TexturesLeftOut& list, const char* name, TextureLeftOutReason reason,
                       const TextureReadProblem* read) {
    TextureLeftOut r = {};
    CopyCutText(name, sizeof r.name - 1, r.name, sizeof r.name);
    r.reason = reason;
    if (read != nullptr)
        r.read = *read;
    for (int i = 0; i < list.count; ++i)
        if (SameRecord(list.items[i], r.name, reason, r.read))
            return;
    if (list.count == kMaxTexturesListed)
        ++list.more;
    else
        list.items[list.count++] = r;
}
