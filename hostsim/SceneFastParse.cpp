#include "hostsim/SceneFastParse.h"

#include <float.h>
#include <math.h>
#include <stdint.h>

#include <charconv>
#include <string_view>

namespace {

// A JSON number as the checking reader sees it: a token without fraction or
// exponent is an integer, any other is a double.
struct Number {
    bool integer = true;
    bool negative = false;
    uint64_t magnitude = 0;
    double value = 0.0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Length of the well-formed UTF-8 sequence (two to four bytes) at p, or 0.
size_t Utf8Length(const unsigned char* p, const unsigned char* end) {
    size_t n = 0;
    unsigned char low = 0x80, high = 0xBF; // range of the second byte
    if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        n = 2;
    } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
        n = 3;
        low = p[0] == 0xE0 ? 0xA0 : 0x80;
        high = p[0] == 0xED ? 0x9F : 0xBF;
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        n = 4;
        low = p[0] == 0xF0 ? 0x90 : 0x80;
        high = p[0] == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (static_cast<size_t>(end - p) < n || p[1] < low || p[1] > high) {
        return 0;
    }
    for (size_t i = 2; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            return 0;
        }
    }
    return n;
}

class FastReader {
  public:
    FastReader(const char* begin, const char* end) : p_(begin), end_(end) {}

    bool Read(Scene* scene);

  private:
    void SkipSpace() {
        while (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) {
            ++p_;
        }
    }
    bool Take(char c) {
        SkipSpace();
        if (p_ < end_ && *p_ == c) {
            ++p_;
            return true;
        }
        return false;
    }
    bool Literal(std::string_view word) {
        if (static_cast<size_t>(end_ - p_) < word.size() ||
            std::string_view(p_, word.size()) != word) {
            return false;
        }
        p_ += word.size();
        return true;
    }

    // Calls member(key) for each member, positioned at its value. Keys are
    // plain ASCII without escapes (every key of a scene is).
    template <typename Member> bool Object(Member member) {
        if (!Take('{')) {
            return false;
        }
        if (Take('}')) {
            return true;
        }
        do {
            if (!Take('"')) {
                return false;
            }
            const char* key = p_;
            while (p_ < end_ && *p_ != '"' && *p_ != '\\' && *p_ >= 0x20) {
                ++p_;
            }
            if (p_ == end_ || *p_ != '"') {
                return false;
            }
            std::string_view name(key, static_cast<size_t>(p_ - key));
            ++p_;
            if (!Take(':') || !member(name)) {
                return false;
            }
        } while (Take(','));
        return Take('}');
    }

    // Calls element(index) for each element, positioned at it.
    template <typename Element> bool Array(Element element) {
        if (!Take('[')) {
            return false;
        }
        if (Take(']')) {
            return true;
        }
        size_t index = 0;
        do {
            if (!element(index++)) {
                return false;
            }
        } while (Take(','));
        return Take(']');
    }

    bool ReadNumber(Number* n);
    bool ReadInt(int32_t* out);
    bool ReadFloat(float* out);
    bool ReadFloats(float* out, size_t count);
    bool ReadBool(bool* out);
    bool ReadText(std::string* out);
    bool ReadEscapedText(const char* start, std::string* out);

    bool ReadMaterial(SceneMaterial* out);
    bool ReadObject(SceneObject* out);
    bool ReadFace(SceneFace* out);
    bool ReadCorners(CornerArray<SceneCorner>* out, size_t width, int32_t* count);
    bool ReadSkinVertex(KeynoteSkinVertex* out);
    bool ReadBone(KeynoteBone* out);

    const char* p_;
    const char* end_;
};

// Each key once: a second occurrence is left to the checking reader.
bool Once(uint32_t* seen, uint32_t bit) {
    if ((*seen & bit) != 0) {
        return false;
    }
    *seen |= bit;
    return true;
}

bool FastReader::ReadNumber(Number* n) {
    SkipSpace();
    const char* start = p_;
    if (p_ < end_ && *p_ == '-') {
        n->negative = true;
        ++p_;
    }
    if (p_ == end_ || !IsDigit(*p_)) {
        return false;
    }
    bool overflow = false;
    if (*p_ == '0') {
        ++p_;
    } else {
        for (; p_ < end_ && IsDigit(*p_); ++p_) {
            uint64_t digit = static_cast<uint64_t>(*p_ - '0');
            overflow = overflow || n->magnitude > (UINT64_MAX - digit) / 10;
            n->magnitude = n->magnitude * 10 + digit;
        }
    }
    if (p_ < end_ && *p_ == '.') {
        n->integer = false;
        ++p_;
        if (p_ == end_ || !IsDigit(*p_)) {
            return false;
        }
        while (p_ < end_ && IsDigit(*p_)) {
            ++p_;
        }
    }
    if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
        n->integer = false;
        ++p_;
        if (p_ < end_ && (*p_ == '+' || *p_ == '-')) {
            ++p_;
        }
        if (p_ == end_ || !IsDigit(*p_)) {
            return false;
        }
        while (p_ < end_ && IsDigit(*p_)) {
            ++p_;
        }
    }
    if (n->integer) {
        // Integers past 64 bits are doubles to the checking reader.
        if (overflow || (n->negative && n->magnitude > (uint64_t{1} << 63))) {
            return false;
        }
        double v = static_cast<double>(n->magnitude);
        n->value = n->negative && n->magnitude != 0 ? -v : v;
        return true;
    }
    auto result = std::from_chars(start, p_, n->value);
    return result.ec == std::errc() && result.ptr == p_ && isfinite(n->value);
}

bool FastReader::ReadInt(int32_t* out) {
    Number n;
    if (!ReadNumber(&n) || !n.integer ||
        n.magnitude > (n.negative ? uint64_t{0x80000000u} : uint64_t{INT32_MAX})) {
        return false;
    }
    *out = n.negative ? static_cast<int32_t>(0 - n.magnitude) : static_cast<int32_t>(n.magnitude);
    return true;
}

bool FastReader::ReadFloat(float* out) {
    Number n;
    if (!ReadNumber(&n) || !(fabs(n.value) <= FLT_MAX)) {
        return false;
    }
    *out = static_cast<float>(n.value);
    return true;
}

bool FastReader::ReadFloats(float* out, size_t count) {
    size_t read = 0;
    return Array([&](size_t i) {
               read = i + 1;
               return i < count && ReadFloat(&out[i]);
           }) &&
           read == count;
}

bool FastReader::ReadBool(bool* out) {
    SkipSpace();
    if (Literal("true")) {
        *out = true;
        return true;
    }
    if (Literal("false")) {
        *out = false;
        return true;
    }
    return false;
}

bool FastReader::ReadText(std::string* out) {
    if (!Take('"')) {
        return false;
    }
    const char* start = p_;
    while (p_ < end_) {
        unsigned char c = static_cast<unsigned char>(*p_);
        if (c == '"') {
            out->assign(start, p_);
            ++p_;
            return true;
        }
        if (c == '\\' || c < 0x20 || c >= 0x80) {
            return ReadEscapedText(start, out);
        }
        ++p_;
    }
    return false;
}

// The rest of a text holding escapes or UTF-8 sequences. A NUL or a surrogate
// escape is left to the checking reader.
bool FastReader::ReadEscapedText(const char* start, std::string* out) {
    out->assign(start, p_);
    const unsigned char* end = reinterpret_cast<const unsigned char*>(end_);
    while (p_ < end_) {
        const unsigned char* u = reinterpret_cast<const unsigned char*>(p_);
        if (*u == '"') {
            ++p_;
            return true;
        }
        if (*u < 0x20) {
            return false;
        }
        if (*u >= 0x80) {
            size_t n = Utf8Length(u, end);
            if (n == 0) {
                return false;
            }
            out->append(p_, n);
            p_ += n;
            continue;
        }
        if (*u != '\\') {
            *out += *p_++;
            continue;
        }
        if (end_ - p_ < 2) {
            return false;
        }
        char e = p_[1];
        p_ += 2;
        switch (e) {
        case '"':
        case '\\':
        case '/':
            *out += e;
            break;
        case 'b':
            *out += '\b';
            break;
        case 'f':
            *out += '\f';
            break;
        case 'n':
            *out += '\n';
            break;
        case 'r':
            *out += '\r';
            break;
        case 't':
            *out += '\t';
            break;
        case 'u': {
            if (end_ - p_ < 4) {
                return false;
            }
            uint32_t cp = 0;
            for (int i = 0; i < 4; ++i) {
                int h = HexValue(p_[i]);
                if (h < 0) {
                    return false;
                }
                cp = cp << 4 | static_cast<uint32_t>(h);
            }
            p_ += 4;
            if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) {
                return false;
            }
            if (cp < 0x80) {
                *out += static_cast<char>(cp);
            } else if (cp < 0x800) {
                *out += static_cast<char>(0xC0 | cp >> 6);
                *out += static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                *out += static_cast<char>(0xE0 | cp >> 12);
                *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                *out += static_cast<char>(0x80 | (cp & 0x3F));
            }
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

bool FastReader::ReadMaterial(SceneMaterial* out) {
    uint32_t seen = 0;
    bool ok = Object([&](std::string_view key) {
        if (key == "name") {
            return Once(&seen, 1) && ReadText(&out->name);
        }
        if (key == "color") {
            float c[3];
            if (!Once(&seen, 2) || !ReadFloats(c, 3)) {
                return false;
            }
            out->color = ColorRGB{c[0], c[1], c[2]};
            return true;
        }
        if (key == "alpha") {
            return Once(&seen, 4) && ReadFloat(&out->alpha);
        }
        if (key == "diffuse") {
            return Once(&seen, 8) && ReadFloat(&out->diffuse);
        }
        if (key == "ambient") {
            return Once(&seen, 16) && ReadFloat(&out->ambient);
        }
        if (key == "emission") {
            return Once(&seen, 32) && ReadFloat(&out->emission);
        }
        if (key == "specular") {
            return Once(&seen, 64) && ReadFloat(&out->specular);
        }
        if (key == "power") {
            return Once(&seen, 128) && ReadFloat(&out->power);
        }
        if (key == "shader") {
            return Once(&seen, 256) && ReadInt(&out->shader);
        }
        if (key == "vertexColor") {
            return Once(&seen, 512) && ReadBool(&out->vertexColor);
        }
        if (key == "texture") {
            return Once(&seen, 1024) && ReadText(&out->texture);
        }
        if (key == "alphaMap") {
            return Once(&seen, 2048) && ReadText(&out->alphaMap);
        }
        if (key == "bumpMap") {
            return Once(&seen, 4096) && ReadText(&out->bumpMap);
        }
        return false;
    });
    return ok && (seen & 1) != 0 && out->shader >= 0 && out->shader <= 4;
}

// Entries of width numbers, one per point; *count is how many there were.
bool FastReader::ReadCorners(CornerArray<SceneCorner>* out, size_t width, int32_t* count) {
    return Array([&](size_t i) {
        if (i >= static_cast<size_t>(kMaxScenePoints)) {
            return false;
        }
        *count = static_cast<int32_t>(i + 1);
        out->Reserve(*count, SceneCorner{});
        return ReadFloats((*out)[*count - 1].value, width);
    });
}

bool FastReader::ReadFace(SceneFace* out) {
    uint32_t seen = 0;
    CornerArray<SceneCorner> uv;
    CornerArray<SceneCorner> normals;
    int32_t uvCount = 0;
    int32_t normalCount = 0;
    bool ok = Object([&](std::string_view key) {
        if (key == "points") {
            return Once(&seen, 1) && Array([&](size_t i) {
                       if (i >= static_cast<size_t>(kMaxScenePoints)) {
                           return false;
                       }
                       out->Resize(static_cast<int32_t>(i + 1));
                       return ReadInt(&out->points[static_cast<int32_t>(i)]);
                   });
        }
        if (key == "material") {
            return Once(&seen, 2) && ReadInt(&out->material);
        }
        if (key == "uv") {
            return Once(&seen, 4) && ReadCorners(&uv, 2, &uvCount);
        }
        if (key == "normals") {
            return Once(&seen, 8) && ReadCorners(&normals, 3, &normalCount);
        }
        return false;
    });
    if (!ok || out->pointCount == 0 || ((seen & 4) != 0 && uvCount != out->pointCount) ||
        ((seen & 8) != 0 && normalCount != out->pointCount)) {
        return false;
    }
    if ((seen & 4) != 0) {
        for (int32_t i = 0; i < out->pointCount; ++i) {
            out->uv[i] = TexCoord{uv[i].value[0], uv[i].value[1]};
        }
    }
    if ((seen & 8) != 0) {
        out->normals.given = true;
        out->normals.corner.Reserve(out->pointCount, Point3{0.0f, 0.0f, 0.0f});
        for (int32_t i = 0; i < out->pointCount; ++i) {
            const float* n = normals[i].value;
            out->normals.corner[i] = Point3{n[0], n[1], n[2]};
        }
    }
    return true;
}

bool FastReader::ReadSkinVertex(KeynoteSkinVertex* out) {
    uint32_t seen = 0;
    return Object([&](std::string_view key) {
        if (key == "bones") {
            return Once(&seen, 1) &&
                   Array([&](size_t i) { return i < 4 && ReadInt(&out->bone[i]); });
        }
        if (key == "weights") {
            return Once(&seen, 2) &&
                   Array([&](size_t i) { return i < 4 && ReadFloat(&out->weight[i]); });
        }
        return false;
    });
}

bool FastReader::ReadObject(SceneObject* out) {
    uint32_t seen = 0;
    bool ok = Object([&](std::string_view key) {
        if (key == "name") {
            return Once(&seen, 1) && ReadText(&out->name);
        }
        if (key == "shading") {
            return Once(&seen, 2) && ReadInt(&out->shading);
        }
        if (key == "smoothAngle") {
            return Once(&seen, 4) && ReadFloat(&out->smoothAngle);
        }
        if (key == "visible") {
            return Once(&seen, 8) && ReadBool(&out->visible);
        }
        if (key == "depth") {
            return Once(&seen, 16) && ReadInt(&out->depth);
        }
        if (key == "keynote") {
            return Once(&seen, 32) && ReadBool(&out->keynote);
        }
        if (key == "vertices") {
            return Once(&seen, 64) && Array([&](size_t) {
                       float v[3];
                       if (!ReadFloats(v, 3)) {
                           return false;
                       }
                       out->vertices.push_back(Point3{v[0], v[1], v[2]});
                       return true;
                   });
        }
        if (key == "faces") {
            return Once(&seen, 128) && Array([&](size_t) {
                       out->faces.emplace_back();
                       return ReadFace(&out->faces.back());
                   });
        }
        if (key == "skin") {
            return Once(&seen, 256) && Array([&](size_t) {
                       out->skin.emplace_back();
                       return ReadSkinVertex(&out->skin.back());
                   });
        }
        return false;
    });
    if (!ok || (seen & 1) == 0 || (out->shading != 0 && out->shading != 1) || out->depth < 0 ||
        ((seen & 256) != 0 && out->skin.size() != out->vertices.size())) {
        return false;
    }
    for (const SceneFace& face : out->faces) {
        for (int32_t i = 0; i < face.pointCount; ++i) {
            if (face.points[i] < 0 || static_cast<size_t>(face.points[i]) >= out->vertices.size()) {
                return false;
            }
        }
    }
    return true;
}

bool FastReader::ReadBone(KeynoteBone* out) {
    uint32_t seen = 0;
    bool ok = Object([&](std::string_view key) {
        if (key == "name") {
            return Once(&seen, 1) && ReadText(&out->name) && out->name.size() < 256;
        }
        if (key == "tag") {
            return Once(&seen, 2) && ReadText(&out->tag) && out->tag.size() < 256;
        }
        if (key == "position") {
            float v[3];
            if (!Once(&seen, 4) || !ReadFloats(v, 3)) {
                return false;
            }
            out->position = Point3{v[0], v[1], v[2]};
            return true;
        }
        if (key == "matrix") {
            return Once(&seen, 8) && ReadFloats(out->bind.m, 16);
        }
        if (key == "parent") {
            if (!Once(&seen, 16)) {
                return false;
            }
            SkipSpace();
            if (Literal("null")) {
                out->parent = -1;
                return true;
            }
            // An explicit index must name a bone; -1 is only written as null.
            return ReadInt(&out->parent) && out->parent >= 0;
        }
        return false;
    });
    return ok && (seen & 3) == 3;
}

bool FastReader::Read(Scene* scene) {
    uint32_t seen = 0;
    bool ok = Object([&](std::string_view key) {
        if (key == "keynote") {
            uint32_t inner = 0;
            return Once(&seen, 1) && Object([&](std::string_view k) {
                       if (k == "present") {
                           return Once(&inner, 1) && ReadBool(&scene->keynotePresent);
                       }
                       if (k == "versionAnswer") {
                           return Once(&inner, 2) && ReadInt(&scene->versionAnswer);
                       }
                       return false;
                   });
        }
        if (key == "materials") {
            return Once(&seen, 2) && Array([&](size_t) {
                       scene->materials.emplace_back();
                       return ReadMaterial(&scene->materials.back());
                   });
        }
        if (key == "objects") {
            return Once(&seen, 4) && Array([&](size_t) {
                       scene->objects.emplace_back();
                       return ReadObject(&scene->objects.back());
                   });
        }
        if (key == "bones") {
            return Once(&seen, 8) && Array([&](size_t) {
                       scene->bones.emplace_back();
                       return ReadBone(&scene->bones.back());
                   });
        }
        return false;
    });
    SkipSpace();
    if (!ok || p_ != end_) {
        return false;
    }
    // References to what may come later in the text.
    const int64_t materialCount = static_cast<int64_t>(scene->materials.size());
    for (const SceneObject& object : scene->objects) {
        for (const SceneFace& face : object.faces) {
            if (face.material < -1 || face.material >= materialCount) {
                return false;
            }
        }
    }
    const int64_t boneCount = static_cast<int64_t>(scene->bones.size());
    for (const KeynoteBone& bone : scene->bones) {
        if (bone.parent >= boneCount) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ParseSceneFast(std::string_view text, Scene* scene) {
    *scene = Scene();
    // A byte order mark is left to the checking reader.
    if (!text.empty() && static_cast<unsigned char>(text[0]) == 0xEF) {
        return false;
    }
    FastReader reader(text.data(), text.data() + text.size());
    return reader.Read(scene);
}
