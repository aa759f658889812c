// Saves a document as a Metasequoia text document (.mqo). Names are written
// as the bytes they are (Shift-JIS from the plug-ins); numbers are plain
// decimals; lines end with CR LF.
#include <math.h>
#include <stdint.h>
#include <string.h>

#include <charconv>
#include <vector>

#include "hostsim/HostState.h"
#include "hostsim/WholeFile.h"
#include "scene/FixedText.h"
#include "scene/MqoWriter.h"
#include "scene/TextOut.h"

namespace {

const char kLineEnd[] = "\r\n";

// Decimals per kind of number.
enum {
    kCoordinateDecimals = 4,
    kTexCoordDecimals = 5,
    kColorDecimals = 3,
    kPowerDecimals = 2,
    kAngleDecimals = 1,
};

void AppendQuoted(std::string& out, const std::string& text) {
    out += '"';
    out += text;
    out += '"';
}

void AppendScene(std::string& out) {
    out += "Scene {\r\n"
           "\tpos 0.0000 0.0000 1500.0000\r\n"
           "\tlookat 0.0000 0.0000 0.0000\r\n"
           "\thead -0.5236\r\n"
           "\tpich 0.5236\r\n"
           "\tortho 0\r\n"
           "\tzoom2 5.0000\r\n"
           "\tamb 0.250 0.250 0.250\r\n"
           "}\r\n";
}

void AppendValue(std::string& out, const char* key, float value, int decimals) {
    out += ' ';
    out += key;
    out += '(';
    AppendFixed(out, value, decimals);
    out += ')';
}

void AppendMapName(std::string& out, const char* key, const std::string& name) {
    if (name.empty()) {
        return;
    }
    out += ' ';
    out += key;
    out += '(';
    AppendQuoted(out, name);
    out += ')';
}

void AppendMaterial(std::string& out, const HostSimMaterial& mat) {
    out += '\t';
    AppendQuoted(out, mat.name);
    out += " shader(";
    AppendInt(out, mat.shader);
    out += ") vcol(";
    AppendInt(out, mat.vertexColor);
    out += ") col(";
    const float channels[4] = {mat.color.r, mat.color.g, mat.color.b, mat.alpha};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            out += ' ';
        }
        AppendFixed(out, channels[i], kColorDecimals);
    }
    out += ')';
    AppendValue(out, "dif", mat.diffuse, kColorDecimals);
    AppendValue(out, "amb", mat.ambient, kColorDecimals);
    AppendValue(out, "emi", mat.emission, kColorDecimals);
    AppendValue(out, "spc", mat.specular, kColorDecimals);
    AppendValue(out, "power", mat.power, kPowerDecimals);
    AppendMapName(out, "tex", mat.textureName);
    AppendMapName(out, "aplane", mat.alphaName);
    AppendMapName(out, "bump", mat.bumpName);
    out += kLineEnd;
}

void AppendMaterials(std::string& out, const HostSimDocument& doc) {
    if (doc.materials.empty()) {
        return;
    }
    out += "Material ";
    AppendInt(out, static_cast<int64_t>(doc.materials.size()));
    out += " {\r\n";
    for (HostMaterial handle : doc.materials) {
        const HostSimMaterial* mat = FindMaterial(handle);
        if (mat != nullptr) {
            AppendMaterial(out, *mat);
        }
    }
    out += "}\r\n";
}

void AppendIntLine(std::string& out, const char* key, int64_t value) {
    out += '\t';
    out += key;
    out += ' ';
    AppendInt(out, value);
    out += kLineEnd;
}

// Vertex and face lines are written straight into the text's room.
static_assert(8 * (kNumberRoom + 1) + 13 * (kNumberRoom + 1) + 32 <= TextOut::kLineRoom,
              "a face line fits the room");

char* Put(char* p, const char* text, size_t length) {
    memcpy(p, text, length);
    return p + length;
}

// The text of recently written texture coordinates: each is written once per
// face corner, and the corners of neighbouring faces share their values, so
// most are written again soon. Direct-mapped by the value's bits.
class TexCoordTexts {
  public:
    TexCoordTexts() : entries_(kEntries) {}
    // Writes value as WriteFixed does with the texture coordinate decimals.
    char* Write(char* out, float value) {
        uint32_t bits;
        memcpy(&bits, &value, sizeof bits);
        const Entry& e = entries_[(bits * 2654435761u) >> (32 - kIndexBits)];
        if (e.bits == bits && e.length != 0) {
            memcpy(out, e.text, sizeof e.text);
            return out + e.length;
        }
        return WriteNew(out, value, bits);
    }

  private:
    // The text is made and, when it fits an entry, kept.
    __attribute__((noinline)) char* WriteNew(char* out, float value, uint32_t bits) {
        char* end = WriteFixed(out, value, kTexCoordDecimals);
        const size_t length = static_cast<size_t>(end - out);
        if (length <= sizeof(Entry::text)) {
            Entry& e = entries_[(bits * 2654435761u) >> (32 - kIndexBits)];
            memcpy(e.text, out, length);
            e.length = static_cast<uint8_t>(length);
            e.bits = bits;
        }
        return end;
    }

    static constexpr int kIndexBits = 12;
    static constexpr size_t kEntries = size_t{1} << kIndexBits;
    // An entry's text is copied whole: a face line has the room of its
    // numbers at their longest.
    struct Entry {
        char text[16];
        uint32_t bits = 0;
        uint8_t length = 0; // 0: empty
    };
    static_assert(sizeof(Entry::text) <= kNumberRoom, "an entry's copy fits a number's room");
    std::vector<Entry> entries_;
};

// Vertex indices, corner counts and materials.
char* WriteIndex(char* out, int32_t value) {
    return std::to_chars(out, out + kNumberRoom, value).ptr;
}

void AppendVertices(TextOut& text, const HostSimObject& obj) {
    for (const Point3& p : obj.vertices) {
        char* end = Put(text.Room(), "\t\t", 2);
        end = WriteFixed(end, p.x, kCoordinateDecimals);
        *end++ = ' ';
        end = WriteFixed(end, p.y, kCoordinateDecimals);
        *end++ = ' ';
        end = WriteFixed(end, p.z, kCoordinateDecimals);
        text.Advance(Put(end, kLineEnd, 2));
    }
}

char* WriteFace(char* end, const HostSimFace& face, TexCoordTexts& uvTexts) {
    end = Put(end, "\t\t", 2);
    end = WriteIndex(end, face.pointCount);
    end = Put(end, " V(", 3);
    for (int32_t i = 0; i < face.pointCount; ++i) {
        if (i > 0) {
            *end++ = ' ';
        }
        end = WriteIndex(end, face.points[i]);
    }
    *end++ = ')';
    if (face.material >= 0) {
        end = Put(end, " M(", 3);
        end = WriteIndex(end, face.material);
        *end++ = ')';
    }
    end = Put(end, " UV(", 4);
    for (int32_t i = 0; i < face.pointCount; ++i) {
        if (i > 0) {
            *end++ = ' ';
        }
        end = uvTexts.Write(end, face.uv[i].u);
        *end++ = ' ';
        end = uvTexts.Write(end, face.uv[i].v);
    }
    *end++ = ')';
    if (face.hasColors) {
        end = Put(end, " COL(", 5);
        for (int32_t i = 0; i < face.pointCount; ++i) {
            if (i > 0) {
                *end++ = ' ';
            }
            end = WriteInt(end, face.colors[i]);
        }
        *end++ = ')';
    }
    return Put(end, kLineEnd, 2);
}

void AppendObject(TextOut& text, const HostSimObject& obj) {
    std::string out = "Object ";
    AppendQuoted(out, obj.name);
    out += " {\r\n";
    AppendIntLine(out, "depth", obj.depth);
    if (obj.patchType != 0) {
        AppendIntLine(out, "patch", obj.patchType);
    }
    AppendIntLine(out, "visible", obj.visible != 0 ? 15 : 0);
    AppendIntLine(out, "locking", 0);
    AppendIntLine(out, "shading", obj.shading);
    out += "\tfacet ";
    AppendFixed(out, obj.smoothAngle, kAngleDecimals);
    out += "\r\n\tcolor ";
    AppendFixed(out, obj.color.r, kColorDecimals);
    out += ' ';
    AppendFixed(out, obj.color.g, kColorDecimals);
    out += ' ';
    AppendFixed(out, obj.color.b, kColorDecimals);
    out += kLineEnd;
    AppendIntLine(out, "color_type", obj.colorType);
    AppendIntLine(out, "mirror", obj.mirrorType);
    AppendIntLine(out, "lathe", obj.latheType);
    out += "\tvertex ";
    AppendInt(out, static_cast<int64_t>(obj.vertices.size()));
    out += " {\r\n";
    text.Add(out);
    AppendVertices(text, obj);
    out = "\t}\r\n\tface ";
    AppendInt(out, static_cast<int64_t>(obj.faces.size()));
    out += " {\r\n";
    text.Add(out);
    TexCoordTexts uvTexts;
    for (const HostSimFace& face : obj.faces) {
        text.Advance(WriteFace(text.Room(), face, uvTexts));
    }
    text.Add("\t}\r\n}\r\n", 7);
}

void AppendDocument(TextOut& text, const HostSimDocument& doc) {
    std::string out = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n";
    AppendScene(out);
    AppendMaterials(out, doc);
    text.Add(out);
    for (HostObject handle : doc.objects) {
        const HostSimObject* obj = FindObject(handle);
        if (obj != nullptr) {
            AppendObject(text, *obj);
        }
    }
    text.Add("Eof\r\n", 5);
}

} // namespace

std::string HostSimMqoText(HostDocument doc) {
    const HostSimDocument* record = FindDocument(doc);
    TextOut text(nullptr);
    if (record != nullptr) {
        AppendDocument(text, *record);
    }
    return text.Text();
}

bool HostSimSaveMqo(HostDocument doc, const char* path) {
    struct Save {
        static bool Fill(void* context, FileSink& sink) {
            TextOut text(&sink);
            AppendDocument(text, *static_cast<const HostSimDocument*>(context));
            return text.Finish();
        }
    };
    const HostSimDocument* record = FindDocument(doc);
    if (path == nullptr || record == nullptr) {
        return false;
    }
    return WriteFileInPieces(path, &Save::Fill, const_cast<HostSimDocument*>(record));
}
