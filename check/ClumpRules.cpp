#include "check/ClumpRules.h"

#include "check/FrameRules.h"
#include "check/GeometryRules.h"
#include "check/SkinRules.h"

void CheckClumpRecords(const ClumpRecords& r, const TextureNames* dictionary, FindingList& out) {
    out.clump = 0;
    CheckFrameList(*r.frames, out);
    out.geometry = 0;
    CheckGeometry(*r.geometry, r.binMesh, r.skin != nullptr, out);
    CheckMaterials(*r.materials, dictionary, out);
    if (r.skin != nullptr) {
        CheckSkin(*r.skin, out);
        CheckSkinAgainstSkeleton(*r.frames, *r.skin, out);
    }
    out.geometry = kNoIndex;
    if (r.atomic != nullptr) {
        const bool skinned = r.skin != nullptr;
        CheckAtomic(*r.atomic, 0, r.frames->frameCount, 1, &skinned, out);
    }
    if (r.skin != nullptr)
        CheckPedSkeleton(*r.frames, out);
    out.clump = kNoIndex;
}
