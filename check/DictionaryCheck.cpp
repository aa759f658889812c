#include "check/DictionaryCheck.h"

#include "check/ProblemText.h"
#include "check/TextureRules.h"
#include "format/TextureDictionaryReader.h"

namespace {

// A texture the reader refuses: its header's fields, when the body holds
// them, tell whether a rule says why (another platform, no levels);
// otherwise it is damaged.
void CheckRefusedTexture(const HeapArray<uint8_t>& body, int32_t index,
                         const TextureReadProblem& problem, FindingList& out, TextureNames* names) {
    TextureNative h;
    const uint32_t size = static_cast<uint32_t>(body.Count());
    const bool whole = ParseTextureNativeHeader(body.Data(), size, &h);
    const bool pc = h.platformId == kTexturePlatformD3D8 || h.platformId == kTexturePlatformD3D9;
    if (whole)
        AddTextureName(*names, h.name, index);
    if ((size >= 4 && !pc) || (whole && h.mipLevelCount == 0)) {
        CheckTexture(h, index, out);
        return;
    }
    Finding& f = out.Add(Rule::kTextureDamaged);
    f.texture = index;
    SetFindingText(f.name, h.name);
    DescribeTextureProblem(problem, f.detail, sizeof f.detail);
}

} // namespace

bool CheckDictionaryStream(ByteStream& stream, FindingList& out, TextureNames* names) {
    names->entries.clear();
    TextureReadProblem problem;
    TextureDictionaryReader reader;
    if (!OpenTextureDictionary(reader, stream, &problem)) {
        Finding& f = out.Add(Rule::kFileDamaged);
        DescribeTextureProblem(problem, f.detail, sizeof f.detail);
        return false;
    }
    HeapArray<uint8_t> body;
    for (int32_t index = 0;; ++index) {
        TextureNative t;
        // A texture without a Struct leaves the body empty, not the last one's.
        body.Release();
        TextureReadResult result = ReadNextTexture(reader, body, &t, &problem);
        if (result == TextureReadResult::kEnd)
            break;
        if (result == TextureReadResult::kTexture) {
            AddTextureName(*names, t.name, index);
            CheckTexture(t, index, out);
        } else if (result == TextureReadResult::kTextureBroken) {
            CheckRefusedTexture(body, index, problem, out, names);
        } else {
            Finding& f = out.Add(result == TextureReadResult::kOutOfMemory ? Rule::kNotChecked
                                                                           : Rule::kFileDamaged);
            f.texture = index;
            if (result == TextureReadResult::kOutOfMemory)
                SetFindingText(f.detail, "not enough memory for the texture");
            else
                DescribeTextureProblem(problem, f.detail, sizeof f.detail);
            break;
        }
    }
    SortTextureNames(*names);
    CheckDuplicateNames(*names, out);
    return true;
}
