// What the checks find in a model or a texture dictionary: each finding names
// its rule (with the rule's severity) and where it stands, as plain values,
// so that the command and the plug-ins word it each in their own way.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

enum class Severity : uint8_t {
    kError,   // breaks or crashes the game
    kWarning, // looks wrong in the game
};

// Every rule, in the order of the rule table.
enum class Rule : uint8_t {
    // Reading the file.
    kFileUnreadable,
    kFileDamaged,
    kTextureDamaged,
    kNotChecked,
    // Frames and the skeleton.
    kFrameNameLength,
    kHAnimVersion,
    kHAnimBoneCount,
    kPedBoneMissing,
    kBoneIdUnknown,
    // The skin.
    kBoneLimit,
    kWeightSumZero,
    kWeightBoneRange,
    kSkinMaxWeights,
    kSkinUsedBones,
    // Geometry and atomics.
    kVertexLimit,
    kVertexIndexRange,
    kNoNormals,
    kRightToRender,
    kAtomicIndexRange,
    // Materials.
    kTextureNameLength,
    kMaskNameLength,
    kTextureMissing,
    // Texture dictionaries.
    kTexturePlatform,
    kTextureD3D8,
    kTextureNoLevels,
    kTextureBlockSize,
    kTextureSizePowerOfTwo,
    kTextureDuplicate,
};
constexpr size_t kRuleCount = static_cast<size_t>(Rule::kTextureDuplicate) + 1;

// The rule's stable id ("frame-name-length") and its severity.
const char* RuleId(Rule rule);
Severity RuleSeverity(Rule rule);
// "error" or "warning".
const char* SeverityName(Severity severity);

constexpr int32_t kNoIndex = -1;
constexpr int32_t kNoNodeId = INT32_MIN;
constexpr uint32_t kNoOffset = UINT32_MAX;
constexpr size_t kFindingNameSize = 64;
constexpr size_t kFindingDetailSize = 160;

// One finding. Fields that do not apply keep their "none" values; value and
// limit mean what the rule says (a length and its limit, a count found and
// the count expected, a width and a height).
struct Finding {
    Rule rule = Rule::kFileDamaged;
    Severity severity = Severity::kError;
    int32_t clump = kNoIndex;
    int32_t geometry = kNoIndex;
    int32_t atomic = kNoIndex;
    int32_t frame = kNoIndex;
    int32_t bone = kNoIndex;    // the skin's bone index, which is also the HAnim node index
    int32_t nodeId = kNoNodeId; // the HAnim node id
    int32_t material = kNoIndex;
    int32_t texture = kNoIndex; // position in the dictionary
    int32_t vertex = kNoIndex;  // the first vertex (or vertex index) of the kind
    uint32_t count = 0;         // how many vertices (or vertex indices) are of the kind
    int64_t value = 0;
    int64_t limit = 0;
    uint32_t offset = kNoOffset;          // where a damaged section stands in the file
    uint32_t section = 0;                 // that section's type
    char name[kFindingNameSize] = {};     // the frame's or the texture's name
    char detail[kFindingDetailSize] = {}; // the reader's reason, for damage
};

// At most this many findings are kept per file; the rest are only counted.
constexpr size_t kMaxFindings = 1000;

// The findings of one file. clump and geometry are stamped on each finding
// added, so that the rules over one record need not know where it stands.
struct FindingList {
    std::vector<Finding> items;
    uint32_t errors = 0; // kept and dropped alike
    uint32_t warnings = 0;
    uint32_t dropped = 0;
    int32_t clump = kNoIndex;
    int32_t geometry = kNoIndex;
    Finding scratch; // what Add hands out once the list is full

    // A new finding of the rule with its severity and the stamped place.
    Finding& Add(Rule rule);
};

// Copies text into a finding's fixed field, cut and terminated.
void SetFindingText(char* field, size_t size, const char* text);
template <size_t N> void SetFindingText(char (&field)[N], const char* text) {
    SetFindingText(field, N, text);
}
