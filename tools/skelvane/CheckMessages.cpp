#include "tools/skelvane/CheckMessages.h"

#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include "format/Sections.h"

namespace {

// Every rule's sentence; {value}, {limit}, {hex} (the value in hexadecimal),
// {count}, {node}, {bone} and {detail} stand for the finding's fields.
struct Sentence {
    Rule rule;
    const char* text;
};

const Sentence kSentences[] = {
    {Rule::kFileUnreadable, "the file cannot be opened"},
    {Rule::kFileDamaged, "the file is damaged ({detail}); the game cannot read it"},
    {Rule::kTextureDamaged, "the texture cannot be read ({detail})"},
    {Rule::kNotChecked, "not checked: {detail}"},
    {Rule::kFrameNameLength,
     "the frame name takes {value} bytes; the game keeps {limit} and writes the rest over the "
     "data that follows it (memory corruption)"},
    {Rule::kHAnimVersion, "the HAnim PLG has version 0x{hex}; the game reads version 0x100 only"},
    {Rule::kHAnimBoneCount,
     "the HAnim hierarchy has {value} nodes but the skin has {limit} bones; the game takes the "
     "skin's bones from the hierarchy's nodes, so the two counts must be equal"},
    {Rule::kPedBoneMissing,
     "no bone has HAnim id {node}; in a ped the game looks this id up and, not finding it, "
     "indexes its bone tables at -1 (a crash or garbage)"},
    {Rule::kBoneIdUnknown,
     "HAnim id {node} is not one of the 32 ped bone ids; no animation moves this bone"},
    {Rule::kBoneLimit,
     "the skin has {value} bones; the game's skinned models hold at most {limit}"},
    {Rule::kWeightSumZero,
     "the vertex's weights sum to 0; the game divides each weight by the sum, so the vertex "
     "becomes NaN and vanishes"},
    {Rule::kWeightBoneRange,
     "a non-zero weight names bone {bone} of a skin of {limit} bones; the game reads a matrix "
     "outside its table"},
    {Rule::kSkinMaxWeights,
     "maxWeightsPerVertex is {value} but the vertices carry up to {limit} leading non-zero "
     "weights"},
    {Rule::kSkinUsedBones,
     "the used-bone list holds {value} bones but the weights use {limit}; the game updates only "
     "the listed bones' matrices"},
    {Rule::kVertexLimit,
     "the geometry has {value} vertices; the game's 16-bit indices reach {limit}"},
    {Rule::kVertexIndexRange,
     "the triangles name vertex {value} and {count} index(es) in all past the geometry's "
     "{limit} vertices; the game reads outside its vertices"},
    {Rule::kNoNormals,
     "the skinned geometry has no normals; the game probably lights it by ambient light only, so "
     "it looks dark, and prelit colours, if any, brighten it (both less certain)"},
    {Rule::kRightToRender,
     "the atomic of a skinned geometry carries no Right To Render (0x116, 1); the game draws it "
     "with the plain pipeline, unmoved by its bones"},
    {Rule::kAtomicIndexRange, "the atomic names an index past its list of {limit}"},
    {Rule::kTextureNameLength,
     "the texture name takes {value} characters; the game's names hold {limit}, so it never "
     "matches a texture"},
    {Rule::kMaskNameLength,
     "the mask name takes {value} characters; the game's names hold {limit}, so it never matches"},
    {Rule::kTextureMissing,
     "the dictionary beside the model holds no texture of this name (letter case ignored); the "
     "game draws these faces untextured unless a parent dictionary holds it"},
    {Rule::kTexturePlatform,
     "the texture is for platform 0x{hex}; the PC game reads Direct3D 9 textures (platform 9)"},
    {Rule::kTextureD3D8,
     "the texture is a Direct3D 8 native (platform 8); the game's own are platform 9 (whether "
     "it reads platform 8 is less certain)"},
    {Rule::kTextureNoLevels,
     "the texture has 0 mip levels; the game loads no pixels and reads the rest of the file "
     "from the wrong place"},
    {Rule::kTextureBlockSize,
     "the block-compressed texture is {value}x{limit}; its sides must be multiples of 4"},
    {Rule::kTextureSizePowerOfTwo,
     "the texture is {value}x{limit}; sides that are not powers of two depend on the graphics "
     "card"},
    {Rule::kTextureDuplicate,
     "the dictionary holds this name again as texture {value} (letter case ignored); the game "
     "finds that last one, librw-based tools this first one"},
};
static_assert(sizeof kSentences / sizeof kSentences[0] == kRuleCount, "one sentence per rule");

const char* TextOf(Rule rule) {
    for (const Sentence& s : kSentences)
        if (s.rule == rule)
            return s.text;
    return "";
}

// A name in quotes, with control characters, quotes and backslashes escaped.
void AppendQuoted(std::string& out, const char* text) {
    out += '"';
    for (const char* p = text; *p != '\0'; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x20 || c == 0x7F || c == '"' || c == '\\') {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

void AppendNumber(std::string& out, const char* label, int64_t n) {
    char text[48];
    snprintf(text, sizeof text, "%s%s %" PRId64, out.empty() ? "" : " ", label, n);
    out += text;
}

} // namespace

std::string FindingPlace(const Finding& f, const ModelCounts& counts) {
    std::string out;
    if (f.atomic != kNoIndex)
        AppendNumber(out, "atomic", f.atomic);
    if (f.frame != kNoIndex)
        AppendNumber(out, "frame", f.frame);
    if (f.material != kNoIndex)
        AppendNumber(out, "material", f.material);
    if (f.texture != kNoIndex)
        AppendNumber(out, "texture", f.texture);
    if (f.name[0] != '\0') {
        out += ' ';
        AppendQuoted(out, f.name);
    }
    if (f.bone != kNoIndex)
        AppendNumber(out, "bone", f.bone);
    if (f.nodeId != kNoNodeId)
        AppendNumber(out, "id", f.nodeId);
    if (f.vertex != kNoIndex) {
        AppendNumber(out, "vertex", f.vertex);
        if (f.count > 1)
            out += " (and " + std::to_string(f.count - 1) + " more)";
    }
    if (f.offset != kNoOffset) {
        char text[80];
        const char* name = SectionTypeName(f.section);
        snprintf(text, sizeof text, "%soffset 0x%08X (%s)", out.empty() ? "" : " ",
                 static_cast<unsigned>(f.offset), name != nullptr ? name : "section");
        out += text;
    }
    // The geometry is named when the model has several, when the atomic
    // names it, or when nothing more precise is known.
    std::string front;
    if (f.clump != kNoIndex && counts.clumps > 1)
        AppendNumber(front, "clump", f.clump);
    if (f.geometry != kNoIndex &&
        (counts.mostGeometries > 1 || out.empty() || f.rule == Rule::kAtomicIndexRange))
        AppendNumber(front, "geometry", f.geometry);
    if (!front.empty() && !out.empty())
        front += ' ';
    out = front + out;
    return out.empty() ? "file" : out;
}

std::string FindingSentence(const Finding& f) {
    std::string out;
    for (const char* p = TextOf(f.rule); *p != '\0';) {
        const char* close = *p == '{' ? strchr(p, '}') : nullptr;
        if (close == nullptr) {
            out += *p++;
            continue;
        }
        const std::string field(p + 1, close);
        char text[48] = "";
        if (field == "value")
            snprintf(text, sizeof text, "%" PRId64, f.value);
        else if (field == "limit")
            snprintf(text, sizeof text, "%" PRId64, f.limit);
        else if (field == "hex")
            snprintf(text, sizeof text, "%" PRIX64, static_cast<uint64_t>(f.value) & 0xFFFFFFFFu);
        else if (field == "count")
            snprintf(text, sizeof text, "%" PRIu32, f.count);
        else if (field == "node")
            snprintf(text, sizeof text, "%" PRId32, f.nodeId);
        else if (field == "bone")
            snprintf(text, sizeof text, "%" PRId32, f.bone);
        out += field == "detail" ? std::string(f.detail) : std::string(text);
        p = close + 1;
    }
    return out;
}

bool SentenceTellsValue(Rule rule) {
    const char* text = TextOf(rule);
    return strstr(text, "{value}") != nullptr || strstr(text, "{hex}") != nullptr;
}

bool SentenceTellsLimit(Rule rule) {
    return strstr(TextOf(rule), "{limit}") != nullptr;
}
