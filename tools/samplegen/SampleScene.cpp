#include "tools/samplegen/SampleScene.h"

#include <math.h>
#include <stdio.h>

#include <string>
#include <vector>

namespace {

struct SceneBone {
    const char* name;
    int parent;
    float x, y, z; // model-space joint position in host units
    int nodeId;
    int flags;
};

const SceneBone kSceneBones[] = {
    {"Root", -1, 0, 0, 0, 0, 0},          {"Pelvis", 0, 0, 0, 0, 1, 0},
    {"Spine", 1, 0, 10, 0, 2, 0},         {"Spine1", 2, 0, 35, 0, 3, 0},
    {"Neck", 3, 0, 60, 0, 4, 0},          {"Head", 4, 0, 70, 0, 5, 1},
    {"L UpperArm", 3, 20, 45, 0, 32, 0},  {"L Forearm", 6, 48, 45, 0, 33, 0},
    {"L Hand", 7, 73, 45, 0, 34, 1},      {"R UpperArm", 3, -20, 45, 0, 22, 0},
    {"R Forearm", 9, -48, 45, 0, 23, 0},  {"R Hand", 10, -73, 45, 0, 24, 1},
    {"L Thigh", 1, 10, -5, 0, 41, 0},     {"L Calf", 12, 10, -47, 0, 42, 1},
    {"R Thigh", 1, -10, -5, 0, 51, 0},    {"R Calf", 14, -10, -47, 0, 52, 1},
};
constexpr int kSceneBoneCount = sizeof kSceneBones / sizeof kSceneBones[0];

struct Box {
    float lo[3], hi[3];
    int material;
};

struct SceneObject {
    const char* name;
    std::vector<Box> boxes;
};

// Weights of a point: the two nearest joints, by inverse distance.
void WeightsOf(const float p[3], int bones[4], float weights[4]) {
    int best[2] = {0, 0};
    float dist[2] = {1e30f, 1e30f};
    for (int b = 0; b < kSceneBoneCount; ++b) {
        const SceneBone& bone = kSceneBones[b];
        float dx = p[0] - bone.x, dy = p[1] - bone.y, dz = p[2] - bone.z;
        float d = sqrtf(dx * dx + dy * dy + dz * dz) + 1.0f;
        if (d < dist[0]) {
            best[1] = best[0];
            dist[1] = dist[0];
            best[0] = b;
            dist[0] = d;
        } else if (d < dist[1]) {
            best[1] = b;
            dist[1] = d;
        }
    }
    float w0 = 1.0f / dist[0], w1 = 1.0f / dist[1];
    bones[0] = best[0];
    bones[1] = best[1];
    bones[2] = bones[3] = 0;
    weights[0] = w0 / (w0 + w1);
    weights[1] = w1 / (w0 + w1);
    weights[2] = weights[3] = 0;
}

void WriteObject(FILE* f, const SceneObject& o, bool last) {
    fprintf(f, "    {\"name\": \"%s\", \"shading\": 1, \"smoothAngle\": 59.5,\n", o.name);
    std::vector<std::string> vertices, faces, skin;
    char text[512];
    for (const Box& b : o.boxes) {
        int base = static_cast<int>(vertices.size());
        for (int i = 0; i < 8; ++i) {
            float p[3] = {(i & 1) ? b.hi[0] : b.lo[0], (i & 2) ? b.hi[1] : b.lo[1],
                          (i & 4) ? b.hi[2] : b.lo[2]};
            snprintf(text, sizeof text, "[%g, %g, %g]", p[0], p[1], p[2]);
            vertices.push_back(text);
            int bones[4];
            float weights[4];
            WeightsOf(p, bones, weights);
            snprintf(text, sizeof text,
                     "{\"bones\": [%d, %d, %d, %d], \"weights\": [%.4f, %.4f, 0, 0]}", bones[0],
                     bones[1], bones[2], bones[3], weights[0], weights[1]);
            skin.push_back(text);
        }
        // Six quads, corners clockwise seen from outside.
        static const int kQuads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                         {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
        for (const auto& q : kQuads) {
            snprintf(text, sizeof text,
                     "{\"points\": [%d, %d, %d, %d], \"material\": %d, "
                     "\"uv\": [[0, 1], [0, 0], [1, 0], [1, 1]]}",
                     base + q[0], base + q[1], base + q[2], base + q[3], b.material);
            faces.push_back(text);
        }
    }
    auto list = [&](const char* key, const std::vector<std::string>& items, bool more) {
        fprintf(f, "      \"%s\": [\n", key);
        for (size_t i = 0; i < items.size(); ++i)
            fprintf(f, "        %s%s\n", items[i].c_str(), i + 1 < items.size() ? "," : "");
        fprintf(f, "      ]%s\n", more ? "," : "");
    };
    list("vertices", vertices, true);
    list("faces", faces, true);
    list("skin", skin, false);
    fprintf(f, "    }%s\n", last ? "" : ",");
}

// A 24-bit (or 32-bit) uncompressed BMP, rows bottom-up, of a pattern.
bool WriteBmp(const std::string& path, int width, int height, int bits, unsigned seed) {
    int stride = ((width * bits / 8) + 3) & ~3;
    std::vector<unsigned char> file(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&](size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<unsigned>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    file[26] = 1;
    file[28] = static_cast<unsigned char>(bits);
    put32(34, static_cast<unsigned>(stride * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &file[54 + static_cast<size_t>(y) * stride + x * bits / 8];
            bool check = ((x / 8) + (y / 8)) % 2 == 0;
            p[0] = static_cast<unsigned char>(check ? seed : seed * 3);
            p[1] = static_cast<unsigned char>(check ? seed * 5 : seed * 7);
            p[2] = static_cast<unsigned char>(check ? seed * 11 : seed * 13);
            if (bits == 32)
                p[3] = static_cast<unsigned char>(x * 255 / (width - 1));
        }
    FILE* f = fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    bool ok = fwrite(file.data(), 1, file.size(), f) == file.size();
    return fclose(f) == 0 && ok;
}

} // namespace

bool WriteSampleScene(const char* folder) {
    std::string base = folder;
    std::string tex = base + "/tex";
    if (!WriteBmp(tex + "/skin.bmp", 32, 32, 24, 40) ||
        !WriteBmp(tex + "/shirt.bmp", 32, 16, 32, 70) ||
        !WriteBmp(tex + "/jeans.bmp", 16, 16, 24, 20) ||
        !WriteBmp(tex + "/jeans_a.bmp", 16, 16, 24, 90))
        return false;
    FILE* f = fopen((base + "/sample.json").c_str(), "wb");
    if (f == nullptr)
        return false;
    fprintf(f, "{\n  \"keynote\": {\"present\": true, \"versionAnswer\": 0},\n");
    fprintf(f, "  \"materials\": [\n"
               "    {\"name\": \"skin\", \"color\": [0.94, 0.78, 0.67], \"alpha\": 1.0, "
               "\"texture\": \"tex\\\\skin.bmp\", \"alphaMap\": \"\"},\n"
               "    {\"name\": \"shirt\", \"color\": [1.0, 1.0, 1.0], \"alpha\": 1.0, "
               "\"texture\": \"tex\\\\shirt.bmp\", \"alphaMap\": \"\"},\n"
               "    {\"name\": \"jeans\", \"color\": [0.5, 0.6, 1.0], \"alpha\": 0.9, "
               "\"texture\": \"tex\\\\jeans.bmp\", \"alphaMap\": \"tex\\\\jeans_a.bmp\"},\n"
               "    {\"name\": \"unused\", \"color\": [1.0, 0.0, 0.0], \"alpha\": 1.0, "
               "\"texture\": \"tex\\\\skin.bmp\", \"alphaMap\": \"\"}\n"
               "  ],\n  \"objects\": [\n");
    std::vector<SceneObject> objects = {
        {"head", {{{-10, 55, -10}, {10, 80, 10}, 0}}},
        {"body",
         {{{-20, 0, -12}, {20, 55, 12}, 1},
          {{20, 40, -5}, {95, 50, 5}, 1},
          {{-95, 40, -5}, {-20, 50, 5}, 1}}},
        {"legs", {{{2, -90, -7}, {18, 0, 7}, 2}, {{-18, -90, -7}, {-2, 0, 7}, 2}}},
    };
    for (size_t i = 0; i < objects.size(); ++i)
        WriteObject(f, objects[i], i + 1 == objects.size());
    fprintf(f, "  ],\n  \"bones\": [\n");
    for (int b = 0; b < kSceneBoneCount; ++b) {
        const SceneBone& bone = kSceneBones[b];
        char parent[16];
        if (bone.parent < 0)
            snprintf(parent, sizeof parent, "null");
        else
            snprintf(parent, sizeof parent, "%d", bone.parent);
        fprintf(f,
                "    {\"name\": \"%s\", \"tag\": \"%d:%d:%d\", \"parent\": %s, "
                "\"position\": [%g, %g, %g], "
                "\"matrix\": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]}%s\n",
                bone.name, b, bone.nodeId, bone.flags, parent, bone.x, bone.y, bone.z,
                b + 1 < kSceneBoneCount ? "," : "");
    }
    fprintf(f, "  ]\n}\n");
    return fclose(f) == 0;
}
