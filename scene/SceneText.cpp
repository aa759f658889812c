#include "scene/SceneText.h"

#include <math.h>
#include <string.h>

#include <charconv>

#include <nlohmann/json.hpp>

namespace {

// A text as a JSON string, escaped by nlohmann-json: what is not UTF-8
// becomes U+FFFD.
void Text(std::string& out, const std::string& text) {
    out += nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// JSON has no NaN or infinity: such a value is written as 0.
void Number(std::string& out, float v) {
    if (!isfinite(v))
        v = 0.0f;
    // Nine significant digits, as printf's "%.9g" writes them.
    char text[32];
    out.append(text, std::to_chars(text, text + sizeof text, static_cast<double>(v),
                                   std::chars_format::general, 9)
                         .ptr);
}

void Integer(std::string& out, int32_t v) {
    char text[16];
    out.append(text, std::to_chars(text, text + sizeof text, v).ptr);
}

void Floats(std::string& out, const float* v, int n) {
    out += '[';
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            out += ", ";
        Number(out, v[i]);
    }
    out += ']';
}

void Key(std::string& out, const char* key) {
    out += '"';
    out += key;
    out += "\": ";
}

void Material(std::string& out, const SceneMaterial& m) {
    out += "{";
    Key(out, "name");
    Text(out, m.name);
    out += ", ";
    Key(out, "color");
    const float colour[3] = {m.color.r, m.color.g, m.color.b};
    Floats(out, colour, 3);
    const struct {
        const char* key;
        float value;
    } values[] = {{"alpha", m.alpha},       {"diffuse", m.diffuse},   {"ambient", m.ambient},
                  {"emission", m.emission}, {"specular", m.specular}, {"power", m.power}};
    for (const auto& v : values) {
        out += ", ";
        Key(out, v.key);
        Number(out, v.value);
    }
    out += ", ";
    Key(out, "shader");
    Integer(out, m.shader);
    out += ", ";
    Key(out, "vertexColor");
    out += m.vertexColor ? "true" : "false";
    const struct {
        const char* key;
        const std::string& value;
    } names[] = {{"texture", m.texture}, {"alphaMap", m.alphaMap}, {"bumpMap", m.bumpMap}};
    for (const auto& n : names) {
        out += ", ";
        Key(out, n.key);
        Text(out, n.value);
    }
    out += "}";
}

void Face(std::string& out, const SceneFace& f) {
    out += "{\"points\": [";
    for (int i = 0; i < f.pointCount; ++i) {
        if (i > 0)
            out += ", ";
        Integer(out, f.points[i]);
    }
    out += "], \"material\": ";
    Integer(out, f.material);
    out += ", \"uv\": [";
    for (int i = 0; i < f.pointCount; ++i) {
        if (i > 0)
            out += ", ";
        const float uv[2] = {f.uv[i].u, f.uv[i].v};
        Floats(out, uv, 2);
    }
    out += "]";
    if (f.normals.given) {
        out += ", \"normals\": [";
        for (int i = 0; i < f.pointCount; ++i) {
            if (i > 0)
                out += ", ";
            Floats(out, &f.normals.corner[i].x, 3);
        }
        out += "]";
    }
    out += "}";
}

void SkinEntry(std::string& out, const KeynoteSkinVertex& s) {
    out += "{\"bones\": [";
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            out += ", ";
        Integer(out, s.bone[i]);
    }
    out += "], \"weights\": ";
    Floats(out, s.weight, 4);
    out += "}";
}

template <typename T, typename Write>
void List(std::string& out, const std::vector<T>& items, const char* indent, Write write) {
    out += '[';
    for (size_t i = 0; i < items.size(); ++i) {
        out += i > 0 ? ",\n" : "\n";
        out += indent;
        write(out, items[i]);
    }
    if (!items.empty()) {
        out += '\n';
        out.append(indent, strlen(indent) - 1);
    }
    out += ']';
}

void Object(std::string& out, const SceneObject& o) {
    out += "{";
    Key(out, "name");
    Text(out, o.name);
    out += ", \"shading\": ";
    Integer(out, o.shading);
    out += ", \"smoothAngle\": ";
    Number(out, o.smoothAngle);
    out += ", \"visible\": ";
    out += o.visible ? "true" : "false";
    out += ", \"depth\": ";
    Integer(out, o.depth);
    out += ", \"keynote\": ";
    out += o.keynote ? "true" : "false";
    out += ",\n   \"vertices\": ";
    List(out, o.vertices, "    ", [](std::string& s, const Point3& p) { Floats(s, &p.x, 3); });
    out += ",\n   \"faces\": ";
    List(out, o.faces, "    ", Face);
    if (!o.skin.empty()) {
        out += ",\n   \"skin\": ";
        List(out, o.skin, "    ", SkinEntry);
    }
    out += "}";
}

void Bone(std::string& out, const KeynoteBone& b) {
    out += "{";
    Key(out, "name");
    Text(out, b.name);
    out += ", ";
    Key(out, "tag");
    Text(out, b.tag);
    out += ", \"parent\": ";
    if (b.parent < 0)
        out += "null";
    else
        Integer(out, b.parent);
    out += ", \"position\": ";
    Floats(out, &b.position.x, 3);
    out += ",\n   \"matrix\": ";
    Floats(out, b.bind.m, 16);
    out += "}";
}

} // namespace

std::string SceneText(const Scene& scene) {
    std::string out = "{\n\"keynote\": {\"present\": ";
    out += scene.keynotePresent ? "true" : "false";
    out += ", \"versionAnswer\": ";
    Integer(out, scene.versionAnswer);
    out += "},\n\"materials\": ";
    List(out, scene.materials, " ", Material);
    out += ",\n\"objects\": ";
    List(out, scene.objects, " ", Object);
    out += ",\n\"bones\": ";
    List(out, scene.bones, " ", Bone);
    out += "\n}\n";
    return out;
}
