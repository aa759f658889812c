#include "check/TextureRules.h"

#include <string.h>

namespace {

bool PowerOfTwo(uint32_t n) {
    return n != 0 && (n & (n - 1)) == 0;
}

Finding& AddTextureFinding(Rule rule, const TextureNative& t, int32_t index, FindingList& out) {
    Finding& f = out.Add(rule);
    f.texture = index;
    SetFindingText(f.name, t.name);
    return f;
}

} // namespace

TextureNative TextureHeaderOf(const TextureNativeStruct& r) {
    TextureNative t;
    t.platformId = r.platformId;
    t.filterMode = r.filterMode;
    t.addressing = r.addressing;
    memcpy(t.name, r.name, sizeof t.name);
    memcpy(t.maskName, r.maskName, sizeof t.maskName);
    t.name[sizeof t.name - 1] = '\0';
    t.maskName[sizeof t.maskName - 1] = '\0';
    t.rasterFormat = r.rasterFormat;
    t.d3dFormat = r.d3dFormat;
    t.width = r.width;
    t.height = r.height;
    t.depth = r.depth;
    t.mipLevelCount = r.mipLevelCount;
    t.rasterType = r.rasterType;
    t.nativeFlags = r.nativeFlags;
    return t;
}

void CheckTexture(const TextureNative& t, int32_t index, FindingList& out) {
    if (t.platformId != kTexturePlatformD3D9) {
        Rule rule =
            t.platformId == kTexturePlatformD3D8 ? Rule::kTextureD3D8 : Rule::kTexturePlatform;
        Finding& f = AddTextureFinding(rule, t, index, out);
        f.value = t.platformId;
        f.limit = kTexturePlatformD3D9;
        // The other fields of another platform's header mean other things.
        if (rule == Rule::kTexturePlatform)
            return;
    }
    if (t.mipLevelCount == 0)
        AddTextureFinding(Rule::kTextureNoLevels, t, index, out);
    const bool blocks = TextureDxtNumber(t) != 0;
    if (blocks && (t.width % 4 != 0 || t.height % 4 != 0)) {
        Finding& f = AddTextureFinding(Rule::kTextureBlockSize, t, index, out);
        f.value = t.width;
        f.limit = t.height;
    }
    if (!PowerOfTwo(t.width) || !PowerOfTwo(t.height)) {
        Finding& f = AddTextureFinding(Rule::kTextureSizePowerOfTwo, t, index, out);
        f.value = t.width;
        f.limit = t.height;
    }
}
