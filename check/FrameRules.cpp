#include "check/FrameRules.h"

#include <string.h>

namespace {

// The HAnim ids of the game's ped skeleton.
constexpr int32_t kPedBoneIds[] = {0,  1,  2,  3,  4,  5,  6,  7,   8,   21, 22,
                                   23, 24, 25, 26, 31, 32, 33, 34,  35,  36, 41,
                                   42, 43, 44, 51, 52, 53, 54, 201, 301, 302};
static_assert(sizeof kPedBoneIds / sizeof kPedBoneIds[0] == 32, "32 ped bones");

// The ids the game looks up in every ped (bones it animates by code and the
// centres of the hit spheres): without one of them it indexes its tables at -1.
constexpr int32_t kLookedUpIds[] = {2,  3,  4,  5,  8,  21, 22, 23, 24, 31,
                                    32, 33, 34, 41, 42, 43, 51, 52, 53};

bool IsPedBoneId(int32_t id) {
    for (int32_t ped : kPedBoneIds)
        if (ped == id)
            return true;
    return false;
}

const HAnimPlgRecord* HierarchyOf(const FrameListRecord& frames) {
    int32_t frame = HierarchyFrameOf(frames);
    return frame < 0 ? nullptr : &frames.extensions[static_cast<size_t>(frame)].hanim;
}

} // namespace

int32_t HierarchyFrameOf(const FrameListRecord& frames) {
    for (size_t i = 0; i < frames.extensions.Count(); ++i) {
        const FrameExtensionRecord& e = frames.extensions[i];
        if (e.hasHAnim && e.hanim.header.nodeCount > 0 && e.hanim.nodes.Count() > 0)
            return static_cast<int32_t>(i);
    }
    return -1;
}

void CheckFrameList(const FrameListRecord& frames, FindingList& out) {
    for (size_t i = 0; i < frames.extensions.Count(); ++i) {
        const FrameExtensionRecord& e = frames.extensions[i];
        if (e.hasName) {
            uint32_t length = static_cast<uint32_t>(strnlen(e.name, sizeof e.name));
            if (e.nameLength > length)
                length = e.nameLength;
            if (length > kMaxFrameNameLength) {
                Finding& f = out.Add(Rule::kFrameNameLength);
                f.frame = static_cast<int32_t>(i);
                f.value = length;
                f.limit = kMaxFrameNameLength;
                SetFindingText(f.name, e.name);
            }
        }
        if (e.hasHAnim && e.hanim.header.version != kHAnimVersion) {
            Finding& f = out.Add(Rule::kHAnimVersion);
            f.frame = static_cast<int32_t>(i);
            f.nodeId = e.hanim.header.nodeId;
            f.value = e.hanim.header.version;
            f.limit = kHAnimVersion;
            SetFindingText(f.name, e.hasName ? e.name : "");
        }
    }
}

void CheckSkinAgainstSkeleton(const FrameListRecord& frames, const SkinRecord& skin,
                              FindingList& out) {
    const HAnimPlgRecord* h = HierarchyOf(frames);
    int32_t nodes = h != nullptr ? h->header.nodeCount : 0;
    if (nodes == skin.boneCount)
        return;
    Finding& f = out.Add(Rule::kHAnimBoneCount);
    f.frame = HierarchyFrameOf(frames);
    f.value = nodes;
    f.limit = skin.boneCount;
}

void CheckPedSkeleton(const FrameListRecord& frames, FindingList& out) {
    const HAnimPlgRecord* h = HierarchyOf(frames);
    const size_t nodes = h != nullptr ? h->nodes.Count() : 0;
    for (int32_t id : kLookedUpIds) {
        bool found = false;
        for (size_t n = 0; n < nodes && !found; ++n)
            found = h->nodes[n].nodeId == id;
        if (!found) {
            Finding& f = out.Add(Rule::kPedBoneMissing);
            f.nodeId = id;
        }
    }
    for (size_t i = 0; i < frames.extensions.Count(); ++i) {
        const FrameExtensionRecord& e = frames.extensions[i];
        if (!e.hasHAnim || IsPedBoneId(e.hanim.header.nodeId))
            continue;
        Finding& f = out.Add(Rule::kBoneIdUnknown);
        f.frame = static_cast<int32_t>(i);
        f.nodeId = e.hanim.header.nodeId;
        SetFindingText(f.name, e.hasName ? e.name : "");
    }
}
