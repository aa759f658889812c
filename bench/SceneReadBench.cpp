// The scene reading benchmark: a scene file (export_bench --write-scene)
// read into the scene records by the scene reader (nlohmann-json's SAX
// interface), and, where the build machine has simdjson's library, by a
// simdjson reader of the same records for comparison. That reader fills the
// records of a valid scene only: it checks nothing and names no fault, so it
// shows what the parsing alone would cost.
//
//   scene_read_bench [--runs N] SCENE.json
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "hostsim/WholeFile.h"
#include "scene/SceneRead.h"
#include "scene/SceneText.h"

#if defined(SKELVANE_SIMDJSON)
#include <simdjson.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

#if defined(SKELVANE_SIMDJSON)
using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::object;

void Floats(element value, float* out, size_t count) {
    size_t i = 0;
    for (element v : array(value)) {
        if (i < count) {
            out[i++] = static_cast<float>(double(v));
        }
    }
}

void ReadFace(element value, SceneFace* face) {
    object o = value;
    array points = o["points"];
    face->Resize(static_cast<int32_t>(points.size()));
    int32_t i = 0;
    for (element p : points) {
        face->points[i++] = static_cast<int32_t>(int64_t(p));
    }
    for (auto field : o) {
        if (field.key == "material") {
            face->material = static_cast<int32_t>(int64_t(field.value));
        } else if (field.key == "uv") {
            i = 0;
            for (element c : array(field.value)) {
                Floats(c, &face->uv[i++].u, 2);
            }
        } else if (field.key == "normals") {
            face->normals.given = true;
            face->normals.corner.Reserve(face->pointCount, Point3{0.0f, 0.0f, 0.0f});
            i = 0;
            for (element c : array(field.value)) {
                Floats(c, &face->normals.corner[i++].x, 3);
            }
        }
    }
}

void ReadObject(element value, SceneObject* out) {
    for (auto field : object(value)) {
        if (field.key == "name") {
            out->name = std::string(std::string_view(field.value));
        } else if (field.key == "shading") {
            out->shading = static_cast<int32_t>(int64_t(field.value));
        } else if (field.key == "smoothAngle") {
            out->smoothAngle = static_cast<float>(double(field.value));
        } else if (field.key == "visible") {
            out->visible = bool(field.value);
        } else if (field.key == "depth") {
            out->depth = static_cast<int32_t>(int64_t(field.value));
        } else if (field.key == "keynote") {
            out->keynote = bool(field.value);
        } else if (field.key == "vertices") {
            for (element v : array(field.value)) {
                out->vertices.emplace_back();
                Floats(v, &out->vertices.back().x, 3);
            }
        } else if (field.key == "faces") {
            for (element f : array(field.value)) {
                out->faces.emplace_back();
                ReadFace(f, &out->faces.back());
            }
        } else if (field.key == "skin") {
            for (element s : array(field.value)) {
                out->skin.emplace_back();
                KeynoteSkinVertex& skin = out->skin.back();
                int i = 0;
                for (element b : array(object(s)["bones"])) {
                    skin.bone[i++ & 3] = static_cast<int32_t>(int64_t(b));
                }
                Floats(object(s)["weights"], skin.weight, 4);
            }
        }
    }
}

void ReadMaterial(element value, SceneMaterial* out) {
    for (auto field : object(value)) {
        std::string_view key = field.key;
        float* number = key == "alpha"      ? &out->alpha
                        : key == "diffuse"  ? &out->diffuse
                        : key == "ambient"  ? &out->ambient
                        : key == "emission" ? &out->emission
                        : key == "specular" ? &out->specular
                        : key == "power"    ? &out->power
                                            : nullptr;
        std::string* text = key == "name"       ? &out->name
                            : key == "texture"  ? &out->texture
                            : key == "alphaMap" ? &out->alphaMap
                            : key == "bumpMap"  ? &out->bumpMap
                                                : nullptr;
        if (number != nullptr) {
            *number = static_cast<float>(double(field.value));
        } else if (text != nullptr) {
            *text = std::string(std::string_view(field.value));
        } else if (key == "color") {
            Floats(field.value, &out->color.r, 3);
        } else if (key == "shader") {
            out->shader = static_cast<int32_t>(int64_t(field.value));
        } else if (key == "vertexColor") {
            out->vertexColor = bool(field.value);
        }
    }
}

void ReadBone(element value, KeynoteBone* out) {
    for (auto field : object(value)) {
        if (field.key == "name") {
            out->name = std::string(std::string_view(field.value));
        } else if (field.key == "tag") {
            out->tag = std::string(std::string_view(field.value));
        } else if (field.key == "parent") {
            out->parent = field.value.is_null() ? -1 : static_cast<int32_t>(int64_t(field.value));
        } else if (field.key == "position") {
            Floats(field.value, &out->position.x, 3);
        } else if (field.key == "matrix") {
            Floats(field.value, out->bind.m, 16);
        }
    }
}

void ReadWithSimdjson(simdjson::dom::parser& parser, const simdjson::padded_string& text,
                      Scene* scene) {
    *scene = Scene();
    for (auto field : object(parser.parse(text))) {
        if (field.key == "keynote") {
            for (auto k : object(field.value)) {
                if (k.key == "present") {
                    scene->keynotePresent = bool(k.value);
                } else if (k.key == "versionAnswer") {
                    scene->versionAnswer = static_cast<int32_t>(int64_t(k.value));
                }
            }
        } else if (field.key == "materials") {
            for (element m : array(field.value)) {
                scene->materials.emplace_back();
                ReadMaterial(m, &scene->materials.back());
            }
        } else if (field.key == "objects") {
            for (element o : array(field.value)) {
                scene->objects.emplace_back();
                ReadObject(o, &scene->objects.back());
            }
        } else if (field.key == "bones") {
            for (element b : array(field.value)) {
                scene->bones.emplace_back();
                ReadBone(b, &scene->bones.back());
            }
        }
    }
}
#endif

} // namespace

int main(int argc, char** argv) {
    int runs = 9;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, atoi(argv[++i]));
        } else {
            path = argv[i];
        }
    }
    WholeFileView file;
    if (path == nullptr || !file.Open(path)) {
        fprintf(stderr, "usage: scene_read_bench [--runs N] SCENE.json\n");
        return 64;
    }
    const std::string_view text = file.Bytes();
    Scene scene;
    std::string error;
    std::vector<double> times;
    for (int run = 0; run <= runs; ++run) {
        const Clock::time_point start = Clock::now();
        if (!ParseScene(text, &scene, &error)) {
            fprintf(stderr, "scene_read_bench: %s\n", error.c_str());
            return 1;
        }
        if (run > 0) {
            times.push_back(Milliseconds(start));
        }
    }
    printf("nlohmann-json SAX (the scene reader): median %.1f ms, best %.1f ms (%zu bytes)\n",
           Median(times), *std::min_element(times.begin(), times.end()), text.size());
#if defined(SKELVANE_SIMDJSON)
    const std::string expected = SceneText(scene);
    simdjson::dom::parser parser;
    const simdjson::padded_string padded(text);
    times.clear();
    for (int run = 0; run <= runs; ++run) {
        const Clock::time_point start = Clock::now();
        ReadWithSimdjson(parser, padded, &scene);
        if (run > 0) {
            times.push_back(Milliseconds(start));
        }
    }
    if (SceneText(scene) != expected) {
        fprintf(stderr, "scene_read_bench: the simdjson reader read other values\n");
        return 1;
    }
    printf("simdjson DOM (records only, no checks): median %.1f ms, best %.1f ms\n", Median(times),
           *std::min_element(times.begin(), times.end()));
#endif
    return 0;
}
