// Writes the bundled sample model: a small skinned figure of boxes with three
// textured materials and a ped-like skeleton of sixteen bones.
#include <stdio.h>

#include <string>
#include <vector>

#include "tests/import/DffBuilder.h"
#include "tools/samplegen/SampleScene.h"

namespace {

struct Bone {
    const char* name;
    int parent; // index into the bone list, -1 for the first
    float x, y, z;
    int32_t nodeId;
};

// Positions are relative to the parent bone.
const Bone kBones[] = {
    {"Root", -1, 0, 0, 0, 0},
    {"Pelvis", 0, 0, 0, 0, 1},
    {"Spine", 1, 0, 0.1f, 0, 2},
    {"Spine1", 2, 0, 0.25f, 0, 3},
    {"Neck", 3, 0, 0.25f, 0, 4},
    {"Head", 4, 0, 0.1f, 0, 5},
    {"L UpperArm", 3, 0.2f, 0.2f, 0, 32},
    {"L Forearm", 6, 0.28f, 0, 0, 33},
    {"L Hand", 7, 0.25f, 0, 0, 34},
    {"R UpperArm", 3, -0.2f, 0.2f, 0, 22},
    {"R Forearm", 9, -0.28f, 0, 0, 23},
    {"R Hand", 10, -0.25f, 0, 0, 24},
    {"L Thigh", 1, 0.1f, -0.05f, 0, 41},
    {"L Calf", 12, 0, -0.42f, 0, 42},
    {"R Thigh", 1, -0.1f, -0.05f, 0, 51},
    {"R Calf", 14, 0, -0.42f, 0, 52},
};
constexpr int kBoneCount = sizeof kBones / sizeof kBones[0];

// A box from lo to hi with texture coordinates from its front view.
void AddBox(TestGeometry& g, Point3 lo, Point3 hi, uint16_t material) {
    uint16_t base = static_cast<uint16_t>(g.vertices.size());
    for (int i = 0; i < 8; ++i) {
        Point3 p = {(i & 1) ? hi.x : lo.x, (i & 2) ? hi.y : lo.y, (i & 4) ? hi.z : lo.z};
        g.vertices.push_back(p);
        g.texCoords.push_back(TexCoord{(i & 1) ? 1.0f : 0.0f, (i & 2) ? 0.0f : 1.0f});
    }
    static const uint16_t kQuads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                          {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& q : kQuads) {
        g.triangles.push_back({static_cast<uint16_t>(base + q[0]),
                               static_cast<uint16_t>(base + q[1]),
                               static_cast<uint16_t>(base + q[2]), material});
        g.triangles.push_back({static_cast<uint16_t>(base + q[0]),
                               static_cast<uint16_t>(base + q[2]),
                               static_cast<uint16_t>(base + q[3]), material});
    }
}

TestClump MakeFigure() {
    TestClump clump;
    TestFrame root;
    root.flags = kFrameFlagNotBone | 3;
    root.writeHAnim = false;
    root.writeName = false;
    clump.frames.push_back(root);
    for (int i = 0; i < kBoneCount; ++i) {
        const Bone& b = kBones[i];
        TestFrame f;
        f.name = b.name;
        f.parent = b.parent + 1;
        f.position[0] = b.x;
        f.position[1] = b.y;
        f.position[2] = b.z;
        f.nodeId = b.nodeId;
        if (i == 0) {
            // The root bone's rotation of the game's ped models, which the
            // importer's pose reset restores: bones and mesh then agree.
            const float turn[9] = {0, 0, 1, 1, 0, 0, 0, 1, 0};
            for (int k = 0; k < 9; ++k)
                f.rotation[k] = turn[k];
        }
        clump.frames.push_back(f);
        clump.frames[1].hierarchy.push_back(HAnimNodeRecord{b.nodeId, i, 0});
    }
    // The hierarchy's push and pop flags of the end bones.
    for (int leaf : {5, 8, 11, 13, 15})
        clump.frames[1].hierarchy[static_cast<size_t>(leaf)].nodeFlags = 1;
    TestGeometry& g = clump.geometry;
    g.materials.resize(3);
    g.materials[0].texture = "skin";
    g.materials[0].rgba[0] = 240;
    g.materials[0].rgba[1] = 200;
    g.materials[0].rgba[2] = 170;
    g.materials[1].texture = "shirt";
    g.materials[2].texture = "jeans";
    g.materials[2].rgba[3] = 230;
    AddBox(g, {-0.1f, 0.55f, -0.1f}, {0.1f, 0.8f, 0.1f}, 0);      // head
    AddBox(g, {-0.2f, 0.0f, -0.12f}, {0.2f, 0.55f, 0.12f}, 1);    // torso
    AddBox(g, {0.2f, 0.4f, -0.05f}, {0.95f, 0.5f, 0.05f}, 1);     // left arm
    AddBox(g, {-0.95f, 0.4f, -0.05f}, {-0.2f, 0.5f, 0.05f}, 1);   // right arm
    AddBox(g, {0.02f, -0.9f, -0.07f}, {0.18f, 0.0f, 0.07f}, 2);   // left leg
    AddBox(g, {-0.18f, -0.9f, -0.07f}, {-0.02f, 0.0f, 0.07f}, 2); // right leg
    return clump;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--scene") {
        if (!WriteSampleScene(argv[2])) {
            fprintf(stderr, "samplegen: cannot write the scene into %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    // An option it does not know is no file name.
    if (argc != 2 || argv[1][0] == '-') {
        fprintf(stderr, "usage: samplegen OUT.dff | samplegen --scene FOLDER\n");
        return 64;
    }
    std::vector<uint8_t> bytes = BuildDff({MakeFigure()});
    FILE* f = fopen(argv[1], "wb");
    if (f == nullptr || fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        fprintf(stderr, "samplegen: cannot write %s\n", argv[1]);
        return 1;
    }
    fclose(f);
    return 0;
}
