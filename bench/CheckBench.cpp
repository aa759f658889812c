// Times the check of a pack of skinned peds of the size community peds have,
// each with the dictionary of its name beside it, as `skelvane check DIR`
// does it (in-process, output to /dev/null).
//
//   check_bench --write DIR [COUNT]  write COUNT peds (164 by default) into DIR:
//                                    pedNNN.dff (4000 to 8000 vertices, twice as
//                                    many triangles over 3 textured materials,
//                                    32 ped bones, two weights per vertex) and
//                                    pedNNN.txd (its 3 textures, DXT1 512 x 512)
//   check_bench [--runs N] DIR       time N checks of DIR; prints the median,
//                                    the fastest and the slowest
//
// A pack with any error ends the program with status 1.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "fuzz/SeedFile.h"
#include "tests/check/PedRecords.h"
#include "tests/format/TxdBuilder.h"
#include "tools/skelvane/CheckCommand.h"

namespace {

constexpr int kMaterials = 3;
constexpr uint16_t kTextureSide = 512;

std::string TextureName(int ped, int material) {
    char name[32];
    snprintf(name, sizeof name, "ped%03d_%c", ped, 'a' + material);
    return name;
}

// The quad of MakePed grown to vertexCount vertices and twice as many
// triangles (strips of neighbours), spread over the materials and the bones.
void GrowPed(PedRecords& ped, int index, int32_t vertexCount) {
    ResizePedVertices(&ped, vertexCount);
    GeometryRecord& g = ped.geometry;
    const uint32_t v = static_cast<uint32_t>(vertexCount);
    for (uint32_t i = 0; i < v; ++i) {
        g.positions[3 * i] = static_cast<float>(i % 64) * 0.01f;
        g.positions[3 * i + 2] = static_cast<float>(i / 64) * 0.01f;
    }
    const uint32_t triangles = 2 * v - 4;
    g.header.triangleCount = static_cast<int32_t>(triangles);
    g.triangles.Allocate(triangles);
    for (uint32_t t = 0; t < triangles; ++t) {
        uint16_t a = static_cast<uint16_t>(t % (v - 2));
        g.triangles[t] =
            TriangleRecord{static_cast<uint16_t>(a + 1), a, static_cast<uint16_t>(t % kMaterials),
                           static_cast<uint16_t>(a + 2)};
    }
    BinMeshRecord& b = ped.binMesh;
    b.totalIndexCount = 3 * triangles;
    b.meshes.Allocate(kMaterials);
    for (int m = 0; m < kMaterials; ++m) {
        BinMeshList& mesh = b.meshes[static_cast<size_t>(m)];
        mesh.materialIndex = static_cast<uint32_t>(m);
        uint32_t count = 0;
        for (uint32_t t = static_cast<uint32_t>(m); t < triangles; t += kMaterials)
            ++count;
        mesh.indices.Allocate(3 * count);
        uint32_t k = 0;
        for (uint32_t t = static_cast<uint32_t>(m); t < triangles; t += kMaterials) {
            mesh.indices[k++] = g.triangles[t].cornerA;
            mesh.indices[k++] = g.triangles[t].cornerB;
            mesh.indices[k++] = g.triangles[t].cornerC;
        }
    }
    MaterialListRecord& materials = ped.materials;
    materials.count = kMaterials;
    materials.materials.Allocate(kMaterials);
    for (int m = 0; m < kMaterials; ++m) {
        MaterialRecord& r = materials.materials[static_cast<size_t>(m)];
        r = MaterialRecord();
        r.present = r.hasStruct = r.hasTexture = true;
        r.values = MaterialStruct{0, {255, 255, 255, 255}, kMaterialReserved, 1, 1, 0, 1};
        snprintf(r.textureName, sizeof r.textureName, "%s", TextureName(index, m).c_str());
    }
    SkinRecord& s = ped.skin;
    for (uint32_t i = 0; i < v; ++i) {
        s.boneIndices[4 * i] = static_cast<uint8_t>(i % 32);
        s.boneIndices[4 * i + 1] = static_cast<uint8_t>((i + 1) % 32);
        s.weights[4 * i] = 0.6f;
        s.weights[4 * i + 1] = 0.4f;
    }
    s.usedBoneCount = 32;
    s.usedBoneIndices.Allocate(32);
    for (uint8_t i = 0; i < 32; ++i)
        s.usedBoneIndices[i] = i;
}

BuiltTexture Dxt1Texture(const std::string& name) {
    BuiltTexture t;
    t.name = name;
    t.rasterFormat = kRasterFormat565;
    t.d3dFormat = kD3DFormatDxt1;
    t.width = kTextureSide;
    t.height = kTextureSide;
    t.depth = 16;
    t.nativeFlags = kNativeFlagCompressed;
    t.levels.emplace_back(static_cast<size_t>(kTextureSide / 4) * (kTextureSide / 4) * 8, 0x55);
    return t;
}

int WritePack(const std::string& dir, int count) {
    for (int i = 0; i < count; ++i) {
        PedRecords ped;
        MakePed(&ped);
        GrowPed(ped, i, 4000 + (i * 397) % 4001);
        std::vector<BuiltTexture> textures;
        for (int m = 0; m < kMaterials; ++m)
            textures.push_back(Dxt1Texture(TextureName(i, m)));
        char stem[64];
        snprintf(stem, sizeof stem, "%s/ped%03d", dir.c_str(), i);
        if (!WriteSeedFile(std::string(stem) + ".dff", PedBytes(ped)) ||
            !WriteSeedFile(std::string(stem) + ".txd", TextureDictionaryBytes(textures))) {
            fprintf(stderr, "check_bench: cannot write %s\n", stem);
            return 1;
        }
    }
    return 0;
}

int TimeChecks(const std::string& dir, int runs) {
    FILE* sink = fopen("/dev/null", "w");
    if (sink == nullptr)
        return 1;
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        int status = CheckFiles({dir}, false, sink);
        auto end = std::chrono::steady_clock::now();
        if (status != 0) {
            fprintf(stderr, "check_bench: the pack holds errors\n");
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    fclose(sink);
    std::sort(ms.begin(), ms.end());
    printf("check of %s: median %.1f ms, fastest %.1f ms, slowest %.1f ms (%d runs)\n", dir.c_str(),
           ms[ms.size() / 2], ms.front(), ms.back(), runs);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && strcmp(argv[1], "--write") == 0)
        return WritePack(argv[2], argc >= 4 ? atoi(argv[3]) : 164);
    int runs = 9;
    int at = 1;
    if (argc >= 3 && strcmp(argv[1], "--runs") == 0) {
        runs = atoi(argv[2]);
        at = 3;
    }
    if (at + 1 != argc || runs < 1) {
        fprintf(stderr, "usage: check_bench --write DIR [COUNT] | check_bench [--runs N] DIR\n");
        return 64;
    }
    return TimeChecks(argv[at], runs);
}
