// Writes the seed files of the import fuzzer: small valid models, each taking
// the importer down a different path. Usage: make_import_seeds DIR
#include <stdio.h>

#include <string>
#include <vector>

#include "fuzz/SeedFile.h"
#include "format/SectionWriter.h"
#include "tests/import/DffBuilder.h"
#include "tests/import/PedModel.h"

namespace {

// Prelit colours (vertex-colour materials), two texture coordinate sets and a
// triangle left out of the material split.
TestClump MakePrelitClump() {
    TestClump clump = MakeClumpWithBones({"Root", "Spine"});
    clump.frames[2].parent = 1;
    clump.frames[2].position[1] = 0.5f;
    TestGeometry& g = clump.geometry;
    g.flags =
        kGeometryPositions | kGeometryTextured2 | kGeometryPrelit | kGeometryModulateMaterialColor;
    g.texCoordSets = 2;
    g.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    g.texCoords = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    g.colours = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0x80808080u};
    g.triangles = {{0, 1, 2, 0}, {0, 2, 3, 0}, {1, 2, 3, kNoMaterial}};
    g.materials.resize(1);
    g.materials[0].texture = "body";
    return clump;
}

// No material list and no Bin Mesh; one triangle names a vertex that does not
// exist. The bones branch into a tree, under frames whose names have fixed poses.
TestClump MakeBareTreeClump() {
    TestClump clump = MakeClumpWithBones({"Normal", " Pelvis", "L Thigh", "R Thigh", "Spine"});
    clump.frames[2].parent = 1;
    clump.frames[3].parent = 2;
    clump.frames[4].parent = 2;
    clump.frames[5].parent = 2;
    clump.frames[3].position[0] = 0.2f;
    clump.frames[4].position[0] = -0.2f;
    clump.frames[5].position[2] = 0.4f;
    clump.frames[5].hierarchy.clear();
    TestGeometry& g = clump.geometry;
    g.flags = kGeometryPositions;
    g.texCoords.clear();
    g.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    g.triangles = {{0, 1, 2, 0}, {0, 2, 7, 0}};
    g.writeMaterialList = false;
    g.writeBinMesh = false;
    return clump;
}

// Every frame flagged 0, the root included, so the root counts as a bone and
// carries the hierarchy; the hierarchy's last node lies past the one node per
// frame but the root that is looked at, so the last bone is not found.
TestClump MakeAllBonesClump() {
    TestClump clump = MakeClumpWithBones({"Pelvis", "Spine"});
    TestFrame& root = clump.frames[0];
    root.flags = 0;
    root.writeHAnim = true;
    root.writeName = true;
    root.name = "Root";
    root.nodeId = 0;
    root.hierarchy = {{0, 0, 0}, {100, 1, 0}, {101, 2, 0}};
    clump.frames[1].hierarchy.clear();
    for (TestFrame& f : clump.frames)
        f.flags = 0;
    clump.frames[2].parent = 1;
    return clump;
}

// A texture dictionary before the clump and zero padding after it, as model
// archives leave them.
std::vector<uint8_t> MakePaddedFile() {
    MemoryStream s;
    const uint8_t dictionary[4] = {0, 0, 0, 0};
    WriteSection(s, kSectionTextureDictionary, dictionary, sizeof dictionary);
    std::vector<uint8_t> bytes = s.Data();
    std::vector<uint8_t> model = BuildDff({MakeSimpleClump()});
    bytes.insert(bytes.end(), model.begin(), model.end());
    bytes.resize(bytes.size() + 64, 0);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_import_seeds DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    struct Seed {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Seed seeds[] = {
        {"simple.dff", BuildDff({MakeSimpleClump()})},
        {"three_clumps.dff",
         BuildDff({MakeSimpleClump(), MakePrelitClump(), MakeClumpWithBones({"Root"})})},
        {"prelit_uv2.dff", BuildDff({MakePrelitClump()})},
        {"bare_tree.dff", BuildDff({MakeBareTreeClump()})},
        {"all_bones.dff", BuildDff({MakeAllBonesClump()})},
        {"padded.dff", MakePaddedFile()},
        {"ped_skin.dff", BuildDff({MakePedModel(1).clump})},
    };
    for (const Seed& seed : seeds) {
        std::string path = dir + "/" + seed.name;
        if (!WriteSeedFile(path, seed.bytes)) {
            fprintf(stderr, "make_import_seeds: cannot write %s\n", path.c_str());
            return 1;
        }
        printf("%s: %zu bytes\n", path.c_str(), seed.bytes.size());
    }
    return 0;
}
