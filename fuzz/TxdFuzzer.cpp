// libFuzzer target: reads each input as a texture dictionary and decodes the
// first level of every texture read, as the import and the txd command do.
// It stops (abort) when the reader breaks one of its promises: a failure
// without a reason, a texture whose palette or levels lie outside its body,
// or a level that the decoder then finds short.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "format/RasterDecode.h"
#include "format/TextureDictionaryReader.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition)
        return;
    fprintf(stderr, "txd fuzzer: %s\n", what);
    abort();
}

void CheckTexture(const TextureNative& t, const uint8_t* body, uint32_t size) {
    Require(t.mipLevelCount >= 1 && t.mipLevelCount <= kMaxMipLevels, "level count");
    Require(t.paletteOffset <= size && t.paletteEntries * 4 <= size - t.paletteOffset,
            "palette outside the body");
    for (int level = 0; level < t.mipLevelCount; ++level)
        Require(t.levelOffset[level] <= size && t.levelSize[level] <= size - t.levelOffset[level],
                "level outside the body");
    std::vector<uint8_t> rgba(static_cast<size_t>(t.width) * t.height * 4);
    const RasterView view = TextureLevelView(t, body, 0);
    const bool palettised = t.paletteEntries > 0;
    Require(DecodeRaster(view, rgba.data()) || palettised, "a level read whole decodes short");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryStream stream(data, size);
    TextureDictionaryReader reader;
    TextureReadProblem problem;
    if (!OpenTextureDictionary(reader, stream, &problem)) {
        Require(problem.code != TextureReadCode::kNone, "dictionary refused without a reason");
        return 0;
    }
    HeapArray<uint8_t> body;
    for (;;) {
        TextureNative t;
        TextureReadResult result = ReadNextTexture(reader, body, &t, &problem);
        if (result == TextureReadResult::kEnd || result == TextureReadResult::kOutOfMemory)
            break;
        if (result != TextureReadResult::kTexture) {
            Require(problem.code != TextureReadCode::kNone, "texture refused without a reason");
            if (result == TextureReadResult::kFileBroken)
                break;
            continue;
        }
        CheckTexture(t, body.Data(), static_cast<uint32_t>(body.Count()));
    }
    return 0;
}
