// Saves a document as a Metasequoia text document (.mqo). Names are written
// as the bytes they are (Shift-JIS from the plug-ins); numbers are plain
// decimals; lines end with CR LF.
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <utility>
#include <vector>

#include "hostsim/DecimalText.h"
#include "hostsim/HostState.h"
#include "hostsim/WholeFile.h"

namespace {

// The text gathered a piece at a time: with a sink, each full piece is handed
// on, so a large document is never held whole; without one, the whole text
// stays in Text().
class TextOut {
  public:
    explicit TextOut(FileSink* sink) : sink_(sink) {}
    std::string& Text() { return text_; }
    // Called after each line: hands the text on once a piece is full.
    void Drain() {
        if (sink_ != nullptr && text_.size() >= kPieceSize) {
            Pass();
        }
    }
    bool Finish() {
        if (sink_ != nullptr) {
            Pass();
        }
        return ok_;
    }

  private:
    static constexpr size_t kPieceSize = 256 * 1024;
    void Pass() {
        ok_ = ok_ && sink_->Put(text_.data(), text_.size());
        text_.clear();
    }

    FileSink* sink_;
    std::string text_;
    bool ok_ = true;
};

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

void AppendValue(std::string& out, const char* key, double value, int decimals) {
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

// Vertex and face lines are built in a stack buffer and appended once each.
constexpr size_t kLineRoom = 4096;
static_assert(8 * (kFixedTextRoom + 1) + 13 * (kIntTextRoom + 1) + 32 <= kLineRoom,
              "a face line fits its buffer");

char* Put(char* p, const char* text, size_t length) {
    memcpy(p, text, length);
    return p + length;
}

void AppendVertices(TextOut& text, const HostSimObject& obj) {
    std::string& out = text.Text();
    out += "\tvertex ";
    AppendInt(out, static_cast<int64_t>(obj.vertices.size()));
    out += " {\r\n";
    char line[kLineRoom];
    for (const Point3& p : obj.vertices) {
        char* end = Put(line, "\t\t", 2);
        end = WriteFixed(end, p.x, kCoordinateDecimals);
        *end++ = ' ';
        end = WriteFixed(end, p.y, kCoordinateDecimals);
        *end++ = ' ';
        end = WriteFixed(end, p.z, kCoordinateDecimals);
        end = Put(end, kLineEnd, 2);
        out.append(line, end);
        text.Drain();
    }
    out += "\t}\r\n";
}

// The text of recently written texture coordinates: each is written once per
// face corner, and the corners of neighbouring faces share their values, so
// most are written again soon. Direct-mapped by the value's bits.
class TexCoordTexts {
  public:
    TexCoordTexts() : entries_(kEntries) {}
    // Writes value as WriteFixed does with the texture coordinate decimals.
    char* Write(char* out, float value) {
        // Values beyond this could need more room than an entry has.
        if (!(fabsf(value) < 1.0e9f)) {
            return WriteFixed(out, value, kTexCoordDecimals);
        }
        uint32_t bits;
        memcpy(&bits, &value, sizeof bits);
        Entry& e = entries_[(bits * 2654435761u) >> (32 - kIndexBits)];
        if (!e.used || e.bits != bits) {
            char text[kFixedTextRoom];
            e.length = static_cast<uint8_t>(WriteFixed(text, value, kTexCoordDecimals) - text);
            memcpy(e.text, text, e.length);
            e.bits = bits;
            e.used = true;
        }
        memcpy(out, e.text, e.length);
        return out + e.length;
    }

  private:
    static constexpr int kIndexBits = 12;
    static constexpr size_t kEntries = size_t{1} << kIndexBits;
    struct Entry {
        uint32_t bits = 0;
        bool used = false;
        uint8_t length = 0;
        char text[24]; // sign, 10 digits, point, 5 decimals
    };
    std::vector<Entry> entries_;
};

// The text of vertex indices below 65536, made the first time each is
// written: every vertex is a corner of several faces.
class IndexTexts {
  public:
    IndexTexts() : entries_(kEntries) {}
    char* Write(char* out, int32_t value) {
        if (static_cast<uint32_t>(value) >= kEntries) {
            return WriteInt(out, value);
        }
        Entry& e = entries_[static_cast<uint32_t>(value)];
        if (e.length == 0) {
            char text[kIntTextRoom];
            e.length = static_cast<uint8_t>(WriteInt(text, value) - text);
            memcpy(e.text, text, e.length);
        }
        memcpy(out, e.text, sizeof e.text);
        return out + e.length;
    }

  private:
    static constexpr uint32_t kEntries = 65536;
    struct Entry {
        char text[7]; // at most 5 digits
        uint8_t length = 0;
    };
    std::vector<Entry> entries_;
};

void AppendFace(std::string& out, const HostSimFace& face, char* line, TexCoordTexts& uvTexts,
                IndexTexts& indexTexts) {
    char* end = Put(line, "\t\t", 2);
    end = WriteInt(end, face.pointCount);
    end = Put(end, " V(", 3);
    for (int32_t i = 0; i < face.pointCount; ++i) {
        if (i > 0) {
            *end++ = ' ';
        }
        end = indexTexts.Write(end, face.points[i]);
    }
    *end++ = ')';
    if (face.material >= 0) {
        end = Put(end, " M(", 3);
        end = WriteInt(end, face.material);
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
    end = Put(end, kLineEnd, 2);
    out.append(line, end);
}

void AppendObject(TextOut& text, const HostSimObject& obj) {
    std::string& out = text.Text();
    out += "Object ";
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
    AppendVertices(text, obj);
    out += "\tface ";
    AppendInt(out, static_cast<int64_t>(obj.faces.size()));
    out += " {\r\n";
    char line[kLineRoom];
    TexCoordTexts uvTexts;
    IndexTexts indexTexts;
    for (const HostSimFace& face : obj.faces) {
        AppendFace(out, face, line, uvTexts, indexTexts);
        text.Drain();
    }
    out += "\t}\r\n}\r\n";
}

void AppendDocument(TextOut& text, const HostSimDocument& doc) {
    std::string& out = text.Text();
    out += "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n";
    AppendScene(out);
    AppendMaterials(out, doc);
    for (HostObject handle : doc.objects) {
        const HostSimObject* obj = FindObject(handle);
        if (obj != nullptr) {
            AppendObject(text, *obj);
        }
    }
    out += "Eof\r\n";
}

} // namespace

std::string HostSimMqoText(HostDocument doc) {
    const HostSimDocument* record = FindDocument(doc);
    TextOut text(nullptr);
    if (record != nullptr) {
        AppendDocument(text, *record);
    }
    return std::move(text.Text());
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
